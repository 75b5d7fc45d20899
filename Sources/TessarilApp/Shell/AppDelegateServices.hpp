#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Platform/Bundle/Bundle.hpp"
#include "Platform/Foundation/DistributedNotificationCenter.hpp"
#include "Platform/Foundation/UserDefaults.hpp"
#include "Platform/LoginItem/LoginItemService.hpp"
#include "Platform/Pasteboard/Pasteboard.hpp"
#include "Platform/Process/ProcessInfo.hpp"
#include "Platform/Workspace/Workspace.hpp"
#include "TessarilApp/Shell/Application.hpp"
#include "TessarilApp/SettingsWindow/InterfaceServices.hpp"
#include "TessarilApp/Shell/StatusItem.hpp"
#include "TessarilMac/Pipeline/KeyboardPipeline.hpp"

namespace tessaril {

// Everything the application delegate runs on, handed in by `main` (the real services) or by a test or
// the replay tool (stand-ins on virtual time). Every reference must outlive the delegate.
struct AppDelegateServices {
    platform::ProcessInfo processInfo;
    // The working directory relative switch paths are taken against.
    std::filesystem::path currentDirectory;
    platform::Bundle mainBundle;
    // The bundle of the application's packaged resources, looked in after the main bundle.
    std::optional<platform::Bundle> resourceBundle;
    Application& application;
    platform::Workspace& workspace;
    platform::DistributedNotificationCenter& distributedNotificationCenter;
    // The keyboard pipeline's platform: its `defaults` are the standard user defaults, its
    // `mainExecutor` runs all of the delegate's deferred work and timers.
    KeyboardPipeline::Services pipeline;
    // Opens the throw-away user-defaults suite of QA mode by name.
    std::function<platform::UserDefaults&(const std::string& suiteName)> openDefaultsSuite;
    // The general pasteboard the text actions borrow (the system clipboard in the application).
    std::shared_ptr<platform::Pasteboard> pasteboard;
    // Makes the status item when it is first needed.
    std::function<std::unique_ptr<StatusItem>()> makeStatusItem;
    // Alerts, file panels and event monitors of the windows, and who hears of saves and suspensions.
    InterfaceServices userInterface = {};
    // The application as a login item of the user's session, and whether it runs installed.
    platform::LoginItemService& loginItems;
};

} // namespace tessaril
