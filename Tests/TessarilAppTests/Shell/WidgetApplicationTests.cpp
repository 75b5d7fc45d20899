// The Qt application as the delegate's application object.
#include <gtest/gtest.h>

#include <functional>

#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWidget>

#include "TessarilApp/Shell/StatusMenu.hpp"
#include "TessarilApp/Shell/WidgetApplication.hpp"

using namespace tessaril;

namespace {

// Ends the application from inside its launch, as the status menu's quit does.
struct QuittingDelegate final : ApplicationDelegate {
    explicit QuittingDelegate(WidgetApplication& owner) : application(owner) {}
    void applicationDidFinishLaunching() override {
        launched = true;
        application.terminate();
    }
    bool applicationShouldHandleReopen(bool hasVisibleWindows) override {
        reopenedWithVisibleWindows.push_back(hasVisibleWindows);
        return true;
    }
    TerminateReply applicationShouldTerminate() override {
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
    QWidget window;
    window.show();
    application.reopen();
    EXPECT_EQ(delegate.reopenedWithVisibleWindows, (std::vector<bool>{false, true}));
    application.setActivationPolicy(ActivationPolicy::regular);
}

namespace {

struct TerminateCounter final : ApplicationDelegate {
    void applicationDidFinishLaunching() override {}
    bool applicationShouldHandleReopen(bool) override { return true; }
    TerminateReply applicationShouldTerminate() override {
        ++asked;
        return TerminateReply::terminateCancel;
    }
    int asked = 0;
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
    WidgetApplication application(*qApp);
    TerminateCounter delegate;
    application.setDelegate(&delegate);
    application.setMainMenu(StatusMenu::mainMenu());
    QWidget window;
    auto* field = new QLineEdit(&window);
    auto* view = new QTextEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(field);
    layout->addWidget(view);
    window.show();
    QApplication::setActiveWindow(&window);

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
    const std::vector<std::pair<QWidget*, std::function<std::string()>>> controls{
        {field, [field] { return field->text().toStdString(); }},
        {view, [view] { return view->toPlainText().toStdString(); }},
    };
    for (const auto& [control, text] : controls) {
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
    application.setDelegate(nullptr);
}
