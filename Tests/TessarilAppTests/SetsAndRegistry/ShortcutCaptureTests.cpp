// Capturing a new shortcut for a text tool or a fixed phrase through the real window: accepted keys,
// Escape, modifier keys alone, refusals, duplicates anywhere in the registry, a mouse press, the window
// closed mid-capture, and the one capture that runs at a time — each with its suspension calls.
#include <optional>
#include <string>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Event.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilAppTests/SetsAndRegistry/RegistryDocuments.hpp"
#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"

namespace tessaril {
namespace {

using appkit::Event;
using namespace tessaril::testing;

// Each reported line in short: "suspend", "resume" (with a reason other than the capture's after
// it), "saved", or "alert " and the alert's message.
std::vector<std::string> summary(const std::vector<nlohmann::json>& lines) {
    std::vector<std::string> words;
    for (const auto& line : lines) {
        if (line.contains("suspended")) {
            std::string word = line["suspended"].get<bool>() ? "suspend" : "resume";
            if (line["reason"] != "shortcut-capture") word += " " + line["reason"].get<std::string>();
            words.push_back(word);
        } else if (line.contains("saved")) {
            words.push_back("saved");
        } else if (line.contains("alert")) {
            words.push_back("alert " + line["alert"]["message"].get<std::string>());
        } else {
            words.push_back(line.dump());
        }
    }
    return words;
}

using Words = std::vector<std::string>;
// Starting a capture ends both kinds of capture first, each with its resume call.
const Words starting{"resume", "resume", "suspend"};

Words operator+(Words left, const Words& right) {
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

class ShortcutCaptureTests : public SettingsPageTest {
protected:
    void press(std::uint16_t keyCode, std::uint64_t flags, std::optional<std::string> characters) {
        harness->driver().key(Event::keyDown(keyCode, flags, std::move(characters)));
        harness->finishStep();
    }
    void captureTextTool(const std::string& action) { click({.identifier = "textTool:" + action}); }
    // Starts a capture from a button of the given identifier, as the phrase panels will send it.
    void captureFrom(const std::string& identifier) {
        appkit::Button sender;
        sender.setIdentifier(identifier);
        delegate().beginShortcutCapture(sender);
        harness->finishStep();
    }
    bool isIdle() {
        return !delegate().shortcutCaptureTarget && !delegate().shortcutCaptureMonitor &&
               !delegate().shortcutCaptureCancelMonitor &&
               delegate().services().userInterface.eventMonitors->monitorCount() == 0 &&
               !delegate().eventController().isSuspended();
    }
    Words takeSummary() { return summary(takeLines()); }
};

TEST_F(ShortcutCaptureTests, AKeyWithAModifierIsRecordedInBaseFormAndShiftStays) {
    struct Case {
        const char* title;
        std::uint16_t keyCode;
        std::uint64_t flags;
        std::optional<std::string> characters;
        std::string shown;
    };
    const Case cases[] = {
        {"⌘⇧/", 44, Event::commandFlag | Event::shiftFlag, "/", "⌘+⇧+/"},
        {"⌘⇧1 with the shifted character", 18, Event::commandFlag | Event::shiftFlag, "!", "⌘+⇧+1"},
        {"⌥ keypad period", 65, Event::optionFlag, ".", "⌥+テンキー ."},
        {"⌘ keypad 7 types its digit", 89, Event::commandFlag, "7", "⌘+7"},
        {"⌃ with a key off the table", 200, Event::controlFlag, "É", "⌃+É"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        start();
        captureTextTool("characterCount");
        EXPECT_EQ(control({.identifier = "textTool:characterCount"})["title"], "キー入力中...");
        EXPECT_TRUE(delegate().eventController().isSuspended());
        press(test.keyCode, test.flags, test.characters);
        EXPECT_TRUE(isIdle());
        EXPECT_EQ(takeSummary(), (starting + Words{"resume", "saved"}));
        EXPECT_EQ(shortcutTitle(delegate().settings.textTools.characterCount.shortcut), test.shown);
        EXPECT_FALSE(delegate().settings.textTools.characterCount.isEnabled);
        EXPECT_EQ(control({.identifier = "textTool:characterCount"})["title"], test.shown);
    }
}

TEST_F(ShortcutCaptureTests, ModifierKeysKeepWaitingAndEscapeEndsWithoutAChange) {
    start();
    captureTextTool("plainCopy");
    for (std::uint16_t modifierKey : {56, 57, 55, 63}) press(modifierKey, Event::shiftFlag, std::nullopt); // ⇧, ⇪, ⌘, fn
    press(0, 0, "a");  // without a modifier it is refused, and the capture is over
    press(12, Event::commandFlag, "q"); // no capture runs: the key goes on, nothing is assigned
    EXPECT_EQ(takeSummary(), (starting + Words{"resume", "alert 修飾キーが必要です"}));
    // An arrow key types a private-use character, which no shortcut can be made of.
    captureTextTool("plainCopy");
    press(123, Event::controlFlag, "\xEF\x9C\x82");
    EXPECT_EQ(takeSummary(), (starting + Words{"resume", "alert 文字キーが必要です"}));
    captureTextTool("plainCopy");
    press(53, Event::commandFlag, "\x1b");
    EXPECT_TRUE(isIdle());
    EXPECT_EQ(takeSummary(), (starting + Words{"resume"}));
    EXPECT_EQ(delegate().settings, TessarilSettings());
    EXPECT_EQ(control({.identifier = "textTool:plainCopy"})["title"], "⌘+⌃+C");
}

TEST_F(ShortcutCaptureTests, AShortcutOfAnotherEnabledRowAnywhereIsRefusedAndADisabledOneIsNot) {
    TessarilSettings settings;
    settings.textTools.plainCopy.isEnabled = true;
    start({.settings = settings});
    captureTextTool("plainPaste");
    press(8, Event::commandFlag | Event::controlFlag, "c");
    const auto seen = takeLines();
    EXPECT_EQ(summary(seen), (starting + Words{"resume", "alert ショートカットが重複しています"}));
    EXPECT_EQ(seen.back(), alert("ショートカットが重複しています",
                                 "⌘+⌃+C は「プレーンコピー」で使われています。先に台帳か元の設定で付け替えてください。", {"OK"}, "OK"));
    EXPECT_EQ(delegate().settings, settings);
    EXPECT_TRUE(isIdle());

    // Re-recording a tool's own shortcut is no duplicate; with plain copy off its shortcut is free.
    captureTextTool("plainCopy");
    press(8, Event::commandFlag | Event::controlFlag, "c");
    delegate().settings.textTools.plainCopy.isEnabled = false;
    captureTextTool("plainPaste");
    press(8, Event::commandFlag | Event::controlFlag, "c");
    EXPECT_EQ(delegate().settings.textTools.plainPaste.shortcut, commandControl("c"));
    EXPECT_EQ(delegate().settings.textTools.plainCopy.shortcut, commandControl("c"));
}

// A default phrase is blocked by an application's own phrase and a set's phrase, which the registry
// itself calls only a caution; a phrase edited for an application goes to that application's set.
TEST_F(ShortcutCaptureTests, PhrasesAreCheckedAgainstEveryScopeAndSavedWhereTheTargetLives) {
    TessarilSettings settings = documentWithEveryGroup();
    settings.textTools.plainCopy.isEnabled = false;
    start({.settings = settings});
    captureFrom("fixedPhraseDefault:p1");
    press(9, Event::commandFlag | Event::controlFlag, "v");
    const auto seen = takeLines();
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[4]["alert"]["informative"], "⌘+⌃+V は「無題の定型文」で使われています。先に台帳か元の設定で付け替えてください。");

    settings.fixedPhraseAssist.rules[1].isEnabled = false;
    delegate().settings = settings;
    captureFrom("fixedPhraseDefault:p1");
    press(9, Event::commandFlag | Event::controlFlag, "v");
    EXPECT_EQ(takeLines().back()["alert"]["informative"],
              "⌘+⌃+V は「署名」で使われています。先に台帳か元の設定で付け替えてください。");

    captureFrom("fixedPhrase:p1"); // no application selected: the default rule, its own shortcut again
    press(8, Event::commandFlag | Event::controlFlag, "c");
    EXPECT_EQ(takeSummary(), (starting + Words{"resume", "saved"}));

    delegate().selectedFixedPhraseAppBundleIdentifier = "com.m";
    captureFrom("fixedPhrase:pf");
    press(46, Event::commandFlag | Event::controlFlag, "m");
    EXPECT_EQ(delegate().settings.fixedPhraseAssistSets[0].value.rules[0].trigger, commandControl("m"));
    captureFrom("fixedPhrase:missing");
    press(46, Event::commandFlag | Event::optionFlag, "m");
    EXPECT_EQ(takeSummary(), (starting + Words{"resume", "saved"} + starting + Words{"resume", "saved"})); // nothing to change, saved all the same
    settings.fixedPhraseAssistSets[0].value.rules[0].trigger = commandControl("m");
    EXPECT_EQ(delegate().settings, settings);
}

TEST_F(ShortcutCaptureTests, AMousePressAClosedWindowOrAnotherCaptureEndIt) {
    start();
    captureTextTool("plainCopy");
    harness->driver().mouseDown();
    harness->finishStep();
    EXPECT_TRUE(isIdle());
    EXPECT_EQ(control({.identifier = "textTool:plainCopy"})["title"], "⌘+⌃+C");
    EXPECT_EQ(takeSummary(), (starting + Words{"resume"}));

    // A click on another capture button ends the running capture and starts its own.
    captureTextTool("plainCopy");
    captureTextTool("plainPaste");
    EXPECT_EQ(delegate().shortcutCaptureTarget, ShortcutCaptureTarget{ShortcutCaptureTarget::TextTool{TextToolAction::plainPaste}});
    EXPECT_EQ(delegate().services().userInterface.eventMonitors->monitorCount(), 2u);
    takeLines();

    harness->close();
    EXPECT_TRUE(isIdle());
    EXPECT_EQ(takeSummary(), (Words{"resume", "resume", "resume settings-window-close"}));

    harness->open();
    takeLines();
    // While a pair capture runs, ending this kind first keeps the controller suspended.
    delegate().writingAssistShortcutCaptureTarget = "pair";
    captureTextTool("characterCount");
    EXPECT_FALSE(delegate().writingAssistShortcutCaptureTarget);
    EXPECT_EQ(delegate().services().userInterface.eventMonitors->monitorCount(), 2u);
    EXPECT_EQ(takeSummary(), (Words{"suspend", "resume", "suspend"}));
}

TEST_F(ShortcutCaptureTests, ASenderThatNamesNoTargetStartsNothing) {
    start();
    for (const char* identifier : {"", "textTool:copy", "fixedPhrase:", "guard:q"}) captureFrom(identifier);
    EXPECT_TRUE(isIdle());
    EXPECT_TRUE(takeLines().empty());
}

} // namespace
} // namespace tessaril
