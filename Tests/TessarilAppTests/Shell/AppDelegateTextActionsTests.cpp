// The delegate's text actions on the application's clipboard, in the simulated login session: the
// keystrokes pass the running event tap, and the frontmost application answers ⌘C.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>

#include "Platform/Quartz/EventField.hpp"
#include "TessarilAppTests/Shell/AppDelegateHarness.hpp"

using namespace tessaril;
using namespace tessaril::shell_testing;

namespace {

constexpr std::int64_t keyC = 8;
constexpr std::int64_t keyV = 9;
constexpr std::uint16_t keyQ = 12;

void programCopies(const QString& html, const QString& text) {
    auto* data = new QMimeData;
    data->setHtml(html);
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}

const QMimeData& clipboard() { return *QGuiApplication::clipboard()->mimeData(); }

// The launched application, a styled "old" on the clipboard, and a frontmost application that copies
// its selection (if any) at each ⌘C it receives.
struct TextActionsRun {
    TextActionsRun() {
        programCopies("<b>old</b>", "old");
        harness.session.setObserver([this](const platform::SessionObservation& observation) {
            const auto* posted = std::get_if<platform::SessionObservation::EventPosted>(&observation.payload);
            if (posted == nullptr || posted->event.type() != platform::EventType::keyDown) return;
            const auto keyCode = posted->event.integerValueField(platform::EventField::keyboardEventKeycode);
            keyDowns.push_back(keyCode);
            if (keyCode == keyC && selection) programCopies("<i>" + *selection + "</i>", *selection);
        });
        harness.launch();
    }
    void settle() { harness.session.runReadyWork(); }

    AppDelegateHarness harness;
    std::optional<QString> selection;
    std::vector<std::int64_t> keyDowns;
};

TEST(AppDelegateTextActions, PlainPasteWorksOnTheClipboard) {
    TextActionsRun run;
    run.harness.app().performPlainPaste();
    run.settle();
    EXPECT_EQ(run.keyDowns, (std::vector<std::int64_t>{keyV}));
    EXPECT_FALSE(clipboard().hasHtml());
    EXPECT_EQ(clipboard().text(), "old");
    run.harness.at(220);
    EXPECT_EQ(clipboard().html(), "<b>old</b>");

    run.harness.session.events().setRemainingEventCreations(0);
    run.harness.app().performPlainPaste();
    EXPECT_EQ(run.harness.app().lastStatus, "入力送信エラー: MacKeyboardActionDispatcherError");
    EXPECT_EQ(clipboard().html(), "<b>old</b>");
}

TEST(AppDelegateTextActions, ACountPanelStaysThroughTheSystemsOwnKeysAndGoesAtTheNextTypedKey) {
    TextActionsRun run;
    run.harness.app().settings.textTools.copiesCharacterCountResult = true;
    run.selection = "ab";
    run.harness.app().performCharacterCountCheck();
    run.settle();
    run.harness.at(140);
    EXPECT_EQ(run.keyDowns, (std::vector<std::int64_t>{keyC}));
    EXPECT_EQ(clipboard().text(), "文字数\t2\n空白除く\t2\n行数\t1\n半角換算\t2");
    AppDelegate& app = run.harness.app();
    ASSERT_TRUE(app.characterCountHUDPanel);
    EXPECT_EQ(app.characterCountHUDPanel->size(), QSize(292, 154));

    app.keyboardPipeline().insertText("x");
    run.settle();
    EXPECT_TRUE(app.characterCountHUDPanel);

    run.harness.session.keyDown({keyQ, 0});
    run.settle();
    EXPECT_FALSE(app.characterCountHUDPanel);
    EXPECT_FALSE(app.characterCountHUDGlobalMonitor || app.characterCountHUDLocalMonitor);

    app.performCharacterCountCheck();
    run.harness.at(400);
    ASSERT_TRUE(app.characterCountHUDPanel);
    QWidget window;
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(&window, &key);
    EXPECT_FALSE(app.characterCountHUDPanel);
}

} // namespace
