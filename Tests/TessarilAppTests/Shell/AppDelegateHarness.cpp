#include "TessarilAppTests/Shell/AppDelegateHarness.hpp"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "Platform/TextInputSources/SelectedSourceChangeBroadcast.hpp"
#include "TessarilApp/Shell/SystemPasteboard.hpp"
#include "TessarilMac/Pipeline/TessarilApplicationIdentity.hpp"

namespace tessaril::shell_testing {

namespace {

platform::SessionConfiguration sessionConfiguration(bool trusted) {
    platform::SessionConfiguration configuration;
    configuration.accessibilityTrusted = trusted;
    return configuration;
}

} // namespace

AppDelegateHarness::AppDelegateHarness(Options options)
    : session(sessionConfiguration(options.accessibilityTrusted)),
      loginItems(options.installed, options.loginItemStatus),
      broadcastToken_(platform::broadcastSelectedSourceChanges(session.inputSources(), distributedNotificationCenter)) {
    workspace.setFrontmostApplication(options.frontmostApplication);
    if (options.storedSettings) TessarilSettingsStore(session.defaults()).save(*options.storedSettings);
    AppDelegateServices services{
        .processInfo = platform::ProcessInfo{options.arguments, options.environment, processIdentifier},
        .currentDirectory = "/work",
        .mainBundle = platform::Bundle{.bundleIdentifier = std::string(application_identity::bundleIdentifier),
                                       .infoDictionary = options.infoDictionary,
                                       .bundlePath = "/opt/tessaril",
                                       .resourcePath = options.mainBundleResources},
        .resourceBundle = options.resourceBundle,
        .application = application,
        .workspace = workspace,
        .distributedNotificationCenter = distributedNotificationCenter,
        .pipeline = KeyboardPipeline::Services{session.events(), *session.hidDevices(), session.inputSources(),
                                               session.defaults(), session.mainQueue(), *kanaKeyboardExecutor,
                                               *modeKeyWorkerExecutor, session.clock(), session.accessibility(),
                                               session.threads(), session.logSink()},
        .openDefaultsSuite = [this](const std::string& name) -> platform::UserDefaults& {
            auto& suite = suites[name];
            if (!suite) suite = std::make_unique<platform::UserDefaults>();
            return *suite;
        },
        .pasteboard = std::make_shared<SystemPasteboard>(*QGuiApplication::clipboard()),
        .makeStatusItem =
            [this, hasButton = options.statusItemHasButton] {
                auto item = std::make_unique<RecordingStatusItem>(hasButton);
                statusItem_ = item.get();
                return item;
            },
        .loginItems = loginItems,
    };
    services.userInterface.alerts = alerts;
    delegate = std::make_unique<AppDelegate>(std::move(services));
    application.setDelegate(delegate.get());
}

AppDelegateHarness::~AppDelegateHarness() {
    application.setDelegate(nullptr);
    delegate.reset();
    session.inputSources().removeSelectedSourceChangedObserver(broadcastToken_);
}

void AppDelegateHarness::launch() {
    delegate->applicationDidFinishLaunching();
    session.runReadyWork();
}

RecordingStatusItem& AppDelegateHarness::statusItem() {
    if (statusItem_ == nullptr) ADD_FAILURE() << "the delegate made no status item";
    return *statusItem_;
}

std::string AppDelegateHarness::toolTip() { return statusItem().toolTip().value_or("(none)"); }

MenuItem AppDelegateHarness::accessibilityLine() {
    const Menu* menu = statusItem().menu();
    if (menu == nullptr || menu->items.size() < 6) {
        ADD_FAILURE() << "no status menu";
        return {};
    }
    return menu->items[5];
}

std::size_t AppDelegateHarness::menuCount() { return statusItem().menus().size(); }

} // namespace tessaril::shell_testing
