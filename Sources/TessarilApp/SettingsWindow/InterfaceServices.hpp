#pragma once

#include <functional>
#include <memory>
#include <string>

#include "TessarilApp/AppKit/AlertPresenter.hpp"
#include "TessarilApp/AppKit/ColorDialogPanelPresenter.hpp"
#include "TessarilApp/AppKit/ColorPanelPresenter.hpp"
#include "TessarilApp/AppKit/EventMonitors.hpp"
#include "TessarilApp/AppKit/FileDialogPanelPresenter.hpp"
#include "TessarilApp/AppKit/FilePanelPresenter.hpp"
#include "TessarilApp/AppKit/MessageBoxAlertPresenter.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseLinkDialog.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseLinkPrompt.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril {

// What the settings window and its pages show their alerts, panels and dialogs through, where the
// application's local event monitors live, and who hears of each save and each suspension call.
// The defaults are the application's real dialogs and no listeners; tests and the replay tool put in
// scripted presenters and recorders.
struct InterfaceServices {
    std::shared_ptr<appkit::AlertPresenter> alerts = std::make_shared<appkit::MessageBoxAlertPresenter>();
    std::shared_ptr<appkit::FilePanelPresenter> filePanels = std::make_shared<appkit::FileDialogPanelPresenter>();
    std::shared_ptr<appkit::ColorPanelPresenter> colorPanel = std::make_shared<appkit::ColorDialogPanelPresenter>();
    // The phrase editor's link dialog, over the active window.
    std::shared_ptr<FixedPhraseLinkPrompt> linkPrompt = std::make_shared<FixedPhraseLinkDialog>();
    std::shared_ptr<appkit::EventMonitors> eventMonitors = std::make_shared<appkit::EventMonitors>();
    // After each save of the settings, with the value saved.
    std::function<void(const TessarilSettings& settings)> didSaveSettings;
    // After each suspension call to the keyboard controller, resumes included.
    std::function<void(bool isSuspended, const std::string& reason)> didSetControllerSuspended;
};

} // namespace tessaril
