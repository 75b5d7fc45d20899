// Tessaril's process: the shortcut-capture key maps, the QA choice (made before Qt starts, so the QA
// export can default to the off-screen platform), one running instance per user, the platform the
// delegate runs on, and the event loop.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include <QApplication>
#include <QClipboard>
#include <QIcon>
#include <QPixmap>

#include "Platform/Foundation/DistributedNotificationCenter.hpp"
#include "Platform/Foundation/UserDefaults.hpp"
#include "Platform/LoginItem/XDGAutostartLoginItemService.hpp"
#include "Platform/Logging/ProcessLog.hpp"
#include "Platform/Logging/StandardErrorLogSink.hpp"
#include "Platform/Logging/SystemLogSink.hpp"
#include "Platform/Process/ProcessInfo.hpp"
#include "Platform/Session/SimulatedSession.hpp"
#include "Platform/TextInputSources/SelectedSourceChangeBroadcast.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilApp/Shell/DesktopWorkspace.hpp"
#include "TessarilApp/Shell/LogindSessionMonitor.hpp"
#include "TessarilApp/Shell/QASettingsPreviewRequest.hpp"
#include "TessarilApp/Shell/QtMainExecutor.hpp"
#include "TessarilApp/Shell/ShortcutCaptureKeyMaps.hpp"
#include "TessarilApp/Shell/SimulatedSessionDriver.hpp"
#include "TessarilApp/Shell/SingleInstance.hpp"
#include "TessarilApp/Shell/SystemPasteboard.hpp"
#include "TessarilApp/Shell/SystemTrayStatusItem.hpp"
#include "TessarilApp/Shell/TerminationSignals.hpp"
#include "TessarilApp/Shell/ToolkitTranslation.hpp"
#include "TessarilApp/Shell/WidgetApplication.hpp"
#include "TessarilMac/Pipeline/TessarilApplicationIdentity.hpp"

using namespace tessaril;

namespace {

// How long a later launch waits for the running instance, which may itself be starting.
constexpr std::chrono::milliseconds handOverTimeout{10000};

std::filesystem::path currentDirectory() {
    std::error_code error;
    auto directory = std::filesystem::current_path(error);
    return error ? std::filesystem::path("/") : directory;
}

// The application as a bundle: its identifier and version, run from the executable's directory, with
// its resources in "Resources" beside it (a build) or in the installed data directory.
platform::Bundle mainBundle() {
    std::filesystem::path directory = QCoreApplication::applicationDirPath().toStdString();
    std::error_code error;
    const bool isBuilt = std::filesystem::is_directory(directory / "Resources", error);
    return platform::Bundle{
        .bundleIdentifier = std::string(application_identity::bundleIdentifier),
        .infoDictionary = {{"CFBundleShortVersionString", TESSARIL_VERSION}, {"CFBundleVersion", TESSARIL_VERSION}},
        .bundlePath = directory,
        .resourcePath = isBuilt ? directory / "Resources" : std::filesystem::path(TESSARIL_INSTALLED_RESOURCES),
    };
}

// QA mode's handler of Qt's own messages (such as a missing runtime directory): they go to the system
// log, so that the export's report stays the one line on standard error; only the message that ends
// the process is also shown there.
void qtMessageToSystemLog(QtMsgType type, const QMessageLogContext&, const QString& message) {
    static platform::SystemLogSink sink;
    const auto level = type == QtDebugMsg || type == QtInfoMsg ? platform::LogLevel::info
                       : type == QtWarningMsg                  ? platform::LogLevel::notice
                                                               : platform::LogLevel::error;
    sink.write(platform::LogRecord{"qt", "", level, message.toStdString()});
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char* argv[]) {
    shortcutCaptureCharacterByKeyCode();
    shortcutCaptureKeyByKeyCode();

    const auto processInfo = platform::ProcessInfo::current(argc, argv);
    const auto workingDirectory = currentDirectory();
    const bool isQAExport = QASettingsPreviewRequest::current(processInfo, workingDirectory).has_value();
    if (isQAExport && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (isQAExport) qInstallMessageHandler(qtMessageToSystemLog);

    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName("Tessaril");
    // The launcher entry the desktop matches the windows with, for their icon and name.
    QGuiApplication::setDesktopFileName("tessaril");
    QApplication::setStyle("Fusion");
    if (!installToolkitTranslation()) {
        qInfo("Tessaril: Qt's catalog %s is missing; Qt's own dialogs show in English.", toolkitTranslationCatalog);
    }

    SingleInstance instance(SingleInstance::serverName(processInfo));
    if (!isQAExport) {
        switch (instance.launch(handOverTimeout)) {
        case SingleInstance::HandOver::handedOver: return 0;
        case SingleInstance::HandOver::runningInstanceDidNotAnswer:
            std::fputs("Tessaril is already running but did not answer.\n", stderr);
            return 1;
        case SingleInstance::HandOver::noRunningInstance: break;
        }
    }

    // The keyboard side runs in the simulated login session: Linux has no event taps, virtual HID
    // keyboards or input-source service to give it.
    QtMainExecutor mainExecutor;
    platform::SimulatedSession session{platform::SessionConfiguration{}};
    SimulatedSessionDriver sessionDriver(session);
    auto kanaKeyboardExecutor = session.mainQueue().makeSerialExecutor("kana-keyboard");
    auto modeKeyWorkerExecutor = session.mainQueue().makeSerialExecutor("mode-key-queue");
    platform::DistributedNotificationCenter distributedNotificationCenter;
    auto broadcast = platform::broadcastSelectedSourceChanges(session.inputSources(), distributedNotificationCenter);

    auto bundle = mainBundle();
    auto logSink = std::make_shared<platform::StandardErrorLogSink>();
    WidgetApplication application(qtApplication);
    DesktopWorkspace workspace(processInfo.processIdentifier,
                               platform::RunningApplication{bundle.bundleIdentifier, std::string("Tessaril")});
    // Sleep, wake and session switches; the QA export observes none of them.
    std::unique_ptr<LogindSessionMonitor> loginSession;
    if (!isQAExport) {
        loginSession = LogindSessionMonitor::start(
            QDBusConnection::systemBus(), static_cast<std::uint32_t>(processInfo.processIdentifier),
            [&workspace](platform::WorkspaceNotification notification) { workspace.post(notification); },
            platform::ProcessLog(logSink));
    }
    std::vector<std::unique_ptr<platform::UserDefaults>> throwAwaySuites;
    // Only the executable `cmake --install` placed counts as installed and may start at login.
    platform::XDGAutostartLoginItemService loginItems(platform::XDGAutostartLoginItemService::autostartDirectory(processInfo),
                                                      QCoreApplication::applicationFilePath().toStdString(),
                                                      TESSARIL_INSTALLED_EXECUTABLE,
                                                      std::string(application_identity::bundleIdentifier));
    AppDelegateServices services{
        .processInfo = processInfo,
        .currentDirectory = workingDirectory,
        .mainBundle = bundle,
        .resourceBundle = std::nullopt,
        .application = application,
        .workspace = workspace,
        .distributedNotificationCenter = distributedNotificationCenter,
        .pipeline = KeyboardPipeline::Services{session.events(), *session.hidDevices(), session.inputSources(),
                                               platform::UserDefaults::standard(), mainExecutor, *kanaKeyboardExecutor,
                                               *modeKeyWorkerExecutor, session.clock(), session.accessibility(),
                                               session.threads(), logSink},
        // QA mode's suite lives in memory: it is emptied at start anyway and leaves no file behind.
        .openDefaultsSuite = [&throwAwaySuites](const std::string&) -> platform::UserDefaults& {
            return *throwAwaySuites.emplace_back(std::make_unique<platform::UserDefaults>());
        },
        .pasteboard = std::make_shared<SystemPasteboard>(*QGuiApplication::clipboard()),
        .makeStatusItem = [] { return std::make_unique<SystemTrayStatusItem>(); },
        .loginItems = loginItems,
    };

    int status = 0;
    {
        AppDelegate delegate(std::move(services));
        if (auto icon = delegate.appIconImage()) QApplication::setWindowIcon(QIcon(QPixmap::fromImage(*icon)));
        application.setDelegate(&delegate);
        if (!isQAExport && !instance.listen([&application] { application.reopen(); })) {
            std::fprintf(stderr, "Tessaril: a later launch cannot reach this one: %s\n",
                         instance.errorString().toLocal8Bit().constData());
        }
        // The session's request: it ends the application without asking anyone.
        TerminationSignals terminationSignals([&application](int) { application.terminate(TerminationRequest::session); });
        status = application.run();
        application.setDelegate(nullptr);
    }
    session.inputSources().removeSelectedSourceChangedObserver(broadcast);
    return status;
}
