// Quitting while the phrase page holds typed text that is not saved: a person's quit (the status
// menu's 終了, Ctrl+Q) asks, with キャンセル as the default, and キャンセル keeps the application with
// the text in front; a session's quit never asks. The input stops only when the application ends.
#include <functional>
#include <string>
#include <vector>

#include "TessarilApp/AppKit/Event.hpp"
#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"

namespace tessaril {
namespace {

constexpr const char* titlePlaceholder = "タイトル（任意）";

class QuitConfirmationTests : public SettingsPageTest {
protected:
    void startOnPhrases(std::vector<std::string> answers) {
        TessarilSettings settings;
        settings.fixedPhraseAssist = coding::decode<FixedPhraseAssistSettings>(
            {{"rules", {{{"id", "a"}, {"title", "挨拶"}, {"plainText", "了解です。"}}}}});
        // Trusted, so opening the window starts the input and a quit has something to stop.
        start({.settings = std::move(settings), .tab = SettingsTab::fixedPhrases, .accessibilityTrusted = true,
               .answers = std::move(answers)});
        ASSERT_EQ(delegate().activeInputBackend, ActiveKeyboardInputBackend::eventTap);
    }
    void typeTitle(const std::string& text) { type(title, text); }
    bool inputRuns() { return delegate().activeInputBackend == ActiveKeyboardInputBackend::eventTap && delegate().eventTapBackend().isRunning(); }
    static json question(const std::string& answer) {
        return alert("保存されていない定型文があります", "保存していない変更は破棄されます。終了しますか？", {"破棄して終了", "キャンセル"},
                     answer);
    }

    const Address title{.identifier = "a", .placeholder = titlePlaceholder};
};

// How a quit is asked for.
using Quit = std::function<void(replay::SettingsWindowHarness&)>;

const Quit statusMenuQuit = [](replay::SettingsWindowHarness& harness) { ASSERT_TRUE(harness.chooseMenuItem("quit", std::nullopt)); };
// Ctrl+Q: the shortcut modifier of this platform is the event's command flag.
const Quit quitKey = [](replay::SettingsWindowHarness& harness) {
    harness.driver().key(appkit::Event::keyDown(12, appkit::Event::commandFlag, "q"));
    harness.finishStep();
};
// A termination signal, logout or shutdown.
const Quit sessionQuit = [](replay::SettingsWindowHarness& harness) {
    harness.application().terminate(TerminationRequest::session);
    harness.finishStep();
};

TEST_F(QuitConfirmationTests, OnlyAPersonsQuitOverUnsavedTextAsksAndOnlyAnEndStopsTheInput) {
    struct Case {
        const char* name;
        Quit quit;
        bool typed;
        std::vector<std::string> answers;
        std::vector<json> lines;
        bool terminates;
    };
    const Case cases[] = {
        {"menu without edits", statusMenuQuit, false, {}, {}, true},
        {"key without edits", quitKey, false, {}, {}, true},
        {"menu, discarded", statusMenuQuit, true, {"破棄して終了"}, {question("破棄して終了")}, true},
        {"key, discarded", quitKey, true, {"破棄して終了"}, {question("破棄して終了")}, true},
        {"menu, cancelled", statusMenuQuit, true, {"キャンセル"}, {question("キャンセル")}, false},
        {"key, cancelled", quitKey, true, {"キャンセル"}, {question("キャンセル")}, false},
        // The session waits for nobody, whatever answer a person would have given.
        {"session with edits", sessionQuit, true, {"キャンセル"}, {}, true},
        {"session without edits", sessionQuit, false, {}, {}, true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        startOnPhrases(test.answers);
        if (test.typed) typeTitle("書きかけ");
        lines.clear();
        test.quit(*harness);
        EXPECT_EQ(takeLines(), test.lines);
        EXPECT_EQ(harness->hasTerminated(), test.terminates);
        EXPECT_EQ(inputRuns(), !test.terminates);
        // Nothing is saved on the way out, and a declined quit leaves the text unsaved on the page.
        EXPECT_EQ(delegate().settings.fixedPhraseAssist.rules.front().title, "挨拶");
        EXPECT_EQ(delegate().hasUnsavedFixedPhraseEdits(), test.typed);
    }
}

TEST_F(QuitConfirmationTests, TheQuestionDefaultsToCancel) {
    startOnPhrases({"キャンセル"});
    typeTitle("書きかけ");
    delegate().quit();
    ASSERT_EQ(harness->alerts().presented().size(), 1u);
    const appkit::Alert& asked = harness->alerts().presented().front().alert;
    EXPECT_EQ(asked.style, appkit::Alert::Style::warning);
    EXPECT_EQ(asked.buttons, (std::vector<std::string>{"破棄して終了", "キャンセル"}));
    EXPECT_EQ(asked.defaultButton, 1u);
}

// キャンセル shows the text where it was typed, whether the window was in front, behind another or
// closed; the next step goes on from there.
TEST_F(QuitConfirmationTests, CancellingBringsTheWindowForwardWithTheTextStillUnsaved) {
    for (const bool closesFirst : {false, true}) {
        SCOPED_TRACE(closesFirst ? "window closed" : "window open");
        startOnPhrases({"キャンセル"});
        typeTitle("書きかけ");
        if (closesFirst) {
            harness->close();
            ASSERT_FALSE(delegate().settingsWindow->isVisible());
        }
        // An open window is only brought forward: where the person put it, with the very field typed in.
        delegate().settingsWindow->move(12, 34);
        const QPoint position = delegate().settingsWindow->pos();
        const QLineEdit* typedIn = delegate().fixedPhraseTitleFields.at("a");
        const int activations = harness->application().activations();
        lines.clear();
        statusMenuQuit(*harness);
        EXPECT_EQ(takeLines(), std::vector<json>{question("キャンセル")});
        EXPECT_FALSE(harness->hasTerminated());
        EXPECT_TRUE(delegate().settingsWindow->isVisible());
        // Once for the question, once to bring the window forward.
        EXPECT_EQ(harness->application().activations(), activations + 2);
        if (!closesFirst) {
            EXPECT_EQ(delegate().settingsWindow->pos(), position);
            EXPECT_EQ(delegate().fixedPhraseTitleFields.at("a"), typedIn);
        }
        EXPECT_EQ(delegate().selectedSettingsTab, SettingsTab::fixedPhrases);
        EXPECT_EQ(control(title)["value"], "書きかけ");
        EXPECT_TRUE(delegate().hasUnsavedFixedPhraseEdits());

        EXPECT_EQ(saveFixedPhraseTitle("a"), "書きかけ");
        statusMenuQuit(*harness);
        EXPECT_TRUE(takeLines().empty());
        EXPECT_TRUE(harness->hasTerminated());
    }
}

} // namespace
} // namespace tessaril
