// The Qt application as the delegate's application object.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <QClipboard>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilApp/Shell/StatusMenu.hpp"
#include "TessarilApp/Shell/WidgetApplication.hpp"
#include "TessarilAppTests/Shell/AppDelegateHarness.hpp"

using namespace tessaril;

namespace {

// Ends the application from inside its launch, as the status menu's quit does.
struct QuittingDelegate final : ApplicationDelegate {
    explicit QuittingDelegate(WidgetApplication& owner) : application(owner) {}
    void applicationDidFinishLaunching() override {
        launched = true;
        application.terminate(TerminationRequest::user);
    }
    bool applicationShouldHandleReopen(bool hasVisibleWindows) override {
        reopenedWithVisibleWindows.push_back(hasVisibleWindows);
        return true;
    }
    TerminateReply applicationShouldTerminate(TerminationRequest) override {
        asked = true;
        return TerminateReply::terminateNow;
    }
    WidgetApplication& application;
    bool launched = false;
    bool asked = false;
    std::vector<bool> reopenedWithVisibleWindows;
};

} // namespace

TEST(WidgetApplication, TheLoopTellsTheDelegateItLaunchedAndEndsWhenTheDelegateAgreesToTerminate) {
    WidgetApplication application(*qApp);
    QuittingDelegate delegate(application);
    application.setDelegate(&delegate);
    application.setActivationPolicy(ActivationPolicy::accessory);
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
    EXPECT_EQ(application.run(), 0);
    EXPECT_TRUE(delegate.launched);
    EXPECT_TRUE(delegate.asked);

    application.reopen();
    appkit::Window window({QSize(200, 100), QSize(200, 100), "Tessaril", true, false, QColor(Qt::black)});
    window.show();
    application.reopen();
    EXPECT_EQ(delegate.reopenedWithVisibleWindows, (std::vector<bool>{false, true}));
    application.setActivationPolicy(ActivationPolicy::regular);
}

namespace {

// Answers every termination request with `reply` and keeps which requests came; its launch does what
// the test asks.
struct TerminationRecorder final : ApplicationDelegate {
    void applicationDidFinishLaunching() override { launch(); }
    bool applicationShouldHandleReopen(bool) override { return true; }
    TerminateReply applicationShouldTerminate(TerminationRequest request) override {
        requests.push_back(request);
        return reply;
    }
    std::function<void()> launch;
    TerminateReply reply = TerminateReply::terminateNow;
    std::vector<TerminationRequest> requests;
};

} // namespace

// A person's quit ends the loop only when the delegate agrees; a session's ends it whatever the answer,
// also when the session ends the loop itself; the QA export's exit asks nobody. Each end asks once.
TEST(WidgetApplication, OnlyAPersonsQuitCanBeDeclinedAndEveryOtherEndStillTellsTheDelegate) {
    using enum TerminationRequest;
    struct Case {
        const char* name;
        TerminateReply reply;
        std::function<void(WidgetApplication&)> launch;
        int status;
        std::vector<TerminationRequest> requests;
    };
    const Case cases[] = {
        {"a person's quit, agreed", TerminateReply::terminateNow, [](WidgetApplication& app) { app.terminate(user); }, 0, {user}},
        // A second quit before the loop has ended asks nothing more.
        {"two quits", TerminateReply::terminateNow,
         [](WidgetApplication& app) {
             app.terminate(user);
             app.terminate(session);
         },
         0, {user}},
        // Declined: the loop runs on until something else ends it.
        {"a person's quit, declined", TerminateReply::terminateCancel,
         [](WidgetApplication& app) {
             app.terminate(user);
             QTimer::singleShot(0, [&app] { app.exit(7); });
         },
         7, {user}},
        {"a signal, declined", TerminateReply::terminateCancel, [](WidgetApplication& app) { app.terminate(session); }, 0, {session}},
        {"the session manager's end of the loop", TerminateReply::terminateCancel, [](WidgetApplication&) { QCoreApplication::quit(); },
         0, {session}},
        {"the export's exit", TerminateReply::terminateNow, [](WidgetApplication& app) { app.exit(5); }, 5, {}},
    };
    for (const auto& test : cases) {
        WidgetApplication application(*qApp);
        TerminationRecorder delegate;
        delegate.reply = test.reply;
        delegate.launch = [&] { test.launch(application); };
        application.setDelegate(&delegate);
        // A loop that would never end fails the case instead of hanging the suite.
        QTimer stuck;
        stuck.setSingleShot(true);
        QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        stuck.start(5000);
        EXPECT_EQ(application.run(), test.status) << test.name;
        EXPECT_EQ(delegate.requests, test.requests) << test.name;
        application.setDelegate(nullptr);
    }
}

// A later launch reopens the running one: only the application's own windows keep it from showing the
// settings window. A tray reached over XEmbed holds the status item's icon in a top-level window of
// the application, which is no window of its own.
TEST(WidgetApplication, AReopenCountsOnlyTheApplicationsOwnWindows) {
    WidgetApplication application(*qApp);
    shell_testing::AppDelegateHarness harness;
    AppDelegate& delegate = harness.app();
    const auto settingsWindowShows = [&delegate] { return delegate.settingsWindow && delegate.settingsWindow->isVisible(); };
    const auto reopen = [&application, &delegate] { delegate.applicationShouldHandleReopen(application.hasVisibleWindows()); };
    QWidget trayIcon(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
    trayIcon.show();
    QMenu menu;
    menu.addAction("Tessaril");
    menu.popup(QPoint(0, 0));

    struct Step {
        std::string what;
        std::function<void()> action;
        bool hasVisibleWindows;
    };
    const std::vector<Step> steps{
        {"the tray's icon and its menu", [] {}, false},
        {"the guide", [&delegate] { delegate.showOnboardingGuide(); }, true},
        {"the guide closed", [&delegate] { delegate.onboardingPopover->close(); }, false},
        {"the settings window", [&delegate] { delegate.openSettingsWindow(); }, true},
        {"the settings window closed", [&delegate] { delegate.settingsWindow->close(); }, false},
        {"a dialog", [&trayIcon] { (new QDialog(&trayIcon))->show(); }, true},
    };
    for (const auto& step : steps) {
        step.action();
        EXPECT_EQ(application.hasVisibleWindows(), step.hasVisibleWindows) << step.what;
    }
    for (QDialog* dialog : trayIcon.findChildren<QDialog*>()) dialog->hide();

    // With the tray's icon only, a reopen shows the settings window; with the guide up it does not.
    ASSERT_FALSE(settingsWindowShows());
    delegate.showOnboardingGuide();
    reopen();
    EXPECT_FALSE(settingsWindowShows());
    delegate.onboardingPopover->close();
    reopen();
    EXPECT_TRUE(settingsWindowShows());
    delegate.settingsWindow->close();
    menu.hide();
}

namespace {

struct TerminateCounter final : ApplicationDelegate {
    void applicationDidFinishLaunching() override {}
    bool applicationShouldHandleReopen(bool) override { return true; }
    TerminateReply applicationShouldTerminate(TerminationRequest) override {
        ++asked;
        return TerminateReply::terminateCancel;
    }
    int asked = 0;
};

// The application with the main menu installed, and a window with a field and a text view.
struct EditingWindow {
    EditingWindow() {
        application.setDelegate(&delegate);
        application.setMainMenu(StatusMenu::mainMenu());
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(view);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    ~EditingWindow() { application.setDelegate(nullptr); }
    EditingWindow(const EditingWindow&) = delete;
    EditingWindow& operator=(const EditingWindow&) = delete;

    // Each control with what it shows.
    std::vector<std::pair<QWidget*, std::function<std::string()>>> controls() const {
        return {{field, [this] { return field->text().toStdString(); }}, {view, [this] { return view->toPlainText().toStdString(); }}};
    }

    WidgetApplication application{*qApp};
    TerminateCounter delegate;
    QWidget window;
    QLineEdit* field = new QLineEdit(&window);
    QTextEdit* view = new QTextEdit(&window);
};

// A key press as it reaches the focused control.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
}

} // namespace

// The installed main menu: Ctrl+Q asks to quit, the edit items' keys act on the focused field or text
// view, in order on the same text (select all, copy, cut, undo, redo, paste).
TEST(WidgetApplication, TheMainMenusKeyEquivalentsQuitAndEditTheFocusedControl) {
    EditingWindow editing;
    auto& [application, delegate, window, field, view] = editing;

    struct Step {
        const char* item;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::string text;
        std::string clipboard;
    };
    const Step steps[] = {
        {"すべて選択", Qt::Key_A, Qt::ControlModifier, "abc", "before"},
        {"コピー", Qt::Key_C, Qt::ControlModifier, "abc", "abc"},
        {"カット", Qt::Key_X, Qt::ControlModifier, "", "abc"},
        {"取り消す", Qt::Key_Z, Qt::ControlModifier, "abc", "abc"},
        {"やり直す", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "", "abc"},
        {"ペースト", Qt::Key_V, Qt::ControlModifier, "abc", "abc"},
    };
    for (const auto& [control, text] : editing.controls()) {
        control->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), control);
        if (control == field) field->insert("abc");
        else view->insertPlainText("abc");
        QGuiApplication::clipboard()->setText("before");
        for (const auto& step : steps) {
            press(step.key, step.modifiers);
            EXPECT_EQ(text(), step.text) << step.item;
            EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), step.clipboard) << step.item;
        }
        // 削除 has no key: the menu item itself deletes the selection.
        MainMenuKeyEquivalents::performEditAction(control, "selectAll:");
        EXPECT_TRUE(MainMenuKeyEquivalents::performEditAction(control, "delete:"));
        EXPECT_EQ(text(), "");
    }
    EXPECT_EQ(delegate.asked, 0);
    press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(delegate.asked, 1) << "Ctrl+Q is Tessarilを終了";
}

// What the key equivalents must not do: change a read-only field or text view, or quit while a dialog
// waits for an answer. The keys then go on to the control or dialog, which refuse them as well.
TEST(WidgetApplication, TheMainMenusKeyEquivalentsLeaveReadOnlyControlsAndOpenDialogsAlone) {
    EditingWindow editing;
    auto& [application, delegate, window, field, view] = editing;

    struct Case {
        const char* item;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const Case cases[] = {
        {"カット", Qt::Key_X, Qt::ControlModifier},
        {"ペースト", Qt::Key_V, Qt::ControlModifier},
        {"取り消す", Qt::Key_Z, Qt::ControlModifier},
    };
    for (const auto& [control, text] : editing.controls()) {
        for (const auto& entry : cases) {
            // Typed text leaves something to undo; then the control turns read-only, all selected.
            field->setReadOnly(false);
            view->setReadOnly(false);
            field->clear();
            view->clear();
            field->insert("abc");
            view->insertPlainText("abc");
            field->setReadOnly(true);
            view->setReadOnly(true);
            control->setFocus();
            ASSERT_EQ(QApplication::focusWidget(), control);
            press(Qt::Key_A, Qt::ControlModifier);
            QGuiApplication::clipboard()->setText("pasted");
            press(entry.key, entry.modifiers);
            EXPECT_EQ(text(), "abc") << entry.item << (control == field ? " in a field" : " in a text view");
        }
        EXPECT_FALSE(MainMenuKeyEquivalents::performEditAction(control, "delete:"));
        EXPECT_EQ(text(), "abc");
    }

    QDialog dialog(&window);
    dialog.setModal(true);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    QKeyEvent quitKey(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier);
    QApplication::sendEvent(&dialog, &quitKey);
    EXPECT_EQ(delegate.asked, 0) << "Ctrl+Q while a dialog waits for an answer";
    dialog.hide();
    press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(delegate.asked, 1) << "Ctrl+Q once the dialog is answered";
}
