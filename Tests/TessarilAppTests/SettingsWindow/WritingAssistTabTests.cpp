// The writing-assist page driven through the real window: pair-rule cards in each target state, the
// legacy rules stored on the first edit, texts, delete and add, and the trigger capture with its
// refusals, its overwrite question and its single running capture.
#include <optional>
#include <string>

#include "TessarilApp/AppKit/Event.hpp"

#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"

namespace tessaril {
namespace {

using appkit::Event;

PairAssistRule pair(const std::string& id, const std::string& title, std::optional<Shortcut> trigger = std::nullopt) {
    return PairAssistRule(id, title, true, WritingAssistInputModeCondition::anytime, std::move(trigger), "(", ")");
}

Shortcut controlKey(const std::string& character) {
    return Shortcut{ShortcutModifierSet{ShortcutModifier::control}, ShortcutKey::character(character)};
}

WritingAssistSettings rulesOf(std::vector<PairAssistRule> rules) {
    WritingAssistSettings settings;
    settings.pairAssistRules = std::move(rules);
    return settings;
}

// Stored rules A (⌃A) and B; an application following the default; a set member.
TessarilSettings appsDocument() {
    TessarilSettings settings;
    settings.writingAssist = rulesOf({pair("a", "丸括弧", controlKey("a")), pair("b", "角括弧")});
    settings.appWritingAssistSettings["com.example.follows"] = {"Follows", true, rulesOf({pair("x", "X")})};
    settings.writingAssistSets.emplace_back("set-1", "仕事", rulesOf({pair("s", "セット括弧")}),
                                            std::vector<SettingsSetAppTarget>{{"com.example.member", "Member"}});
    return settings;
}

nlohmann::json suspended(bool isSuspended) { return {{"suspended", isSuspended}, {"reason", "shortcut-capture"}}; }

class WritingAssistTabTests : public SettingsPageTest {
protected:
    void startAssist(std::optional<std::string> app, TessarilSettings settings = appsDocument(),
                     std::vector<std::string> answers = {}) {
        start({.settings = std::move(settings), .tab = SettingsTab::writingAssist, .answers = std::move(answers)});
        delegate().selectedWritingAssistAppBundleIdentifier = std::move(app);
        rebuild();
    }
    void press(std::uint16_t keyCode, std::uint64_t flags, std::optional<std::string> characters) {
        harness->driver().key(Event::keyDown(keyCode, flags, std::move(characters)));
        harness->finishStep();
    }
    std::vector<PairAssistRule> storedRules() { return delegate().settings.writingAssist.pairAssistRules; }
};

TEST_F(WritingAssistTabTests, EachTargetStateShowsItsRulesAndEditability) {
    struct Case {
        std::optional<std::string> app;
        std::vector<std::string> triggers;
        bool editable;
        bool setNote;
    };
    const Case cases[] = {
        {std::nullopt, {"⌃+A", "未設定"}, true, false},
        {"com.example.follows", {"⌃+A", "未設定"}, false, false},
        {"com.example.member", {"未設定"}, true, true},
        {"com.example.none", {"⌃+A", "未設定"}, false, false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.app.value_or("default"));
        startAssist(test.app);
        EXPECT_EQ(each({.action = "beginPairAssistShortcutCapture:"}, "title"), test.triggers);
        EXPECT_EQ(control({.action = "beginPairAssistShortcutCapture:"})["enabled"], test.editable);
        EXPECT_EQ(control({.action = "updatePairAssistEnabled:"})["enabled"], test.editable);
        EXPECT_EQ(control({.action = "addPairAssistRule"}).is_null(), !test.editable);
        EXPECT_EQ(control({.action = "deletePairAssistRule:"}).is_null(), !test.editable);
        EXPECT_EQ(labelsFrom("この対象はセット「仕事」に所属しています。変更はセット本体に保存されます。", 1).size(),
                  test.setNote ? 1u : 0u);
    }
}

TEST_F(WritingAssistTabTests, TheFirstEditStoresTheLegacyRulesAndEditsOne) {
    startAssist(std::nullopt, TessarilSettings());
    const auto derived = delegate().settings.writingAssist.effectivePairAssistRules();
    ASSERT_EQ(derived.size(), 2u);
    ASSERT_TRUE(storedRules().empty());
    EXPECT_EQ(control({.action = "deletePairAssistRule:"})["enabled"], true);
    choose({.action = "updatePairAssistInputModeCondition:", .identifier = derived[1].id}, "いつでも");
    auto expected = derived;
    expected[1].inputModeCondition = WritingAssistInputModeCondition::anytime;
    EXPECT_EQ(storedRules(), expected);
    EXPECT_EQ(takeSaved().size(), 1u);
}

TEST_F(WritingAssistTabTests, TextsSaveAsTypedUnlessBothAreEmptyAndTheLastRuleCannotBeDeleted) {
    startAssist(std::nullopt);
    type({.placeholder = "“"}, "");
    type({.placeholder = "”"}, " 」");
    click({.action = "savePairAssistRuleText:", .identifier = "a"});
    EXPECT_EQ(storedRules()[0].openingText, "");
    EXPECT_EQ(storedRules()[0].closingText, " 」");
    EXPECT_EQ(labelsFrom("プレビュー: | 」", 1).size(), 1u);
    takeLines();

    const TessarilSettings before = delegate().settings;
    type({.placeholder = "”"}, "");
    click({.action = "savePairAssistRuleText:", .identifier = "a"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert("保存できません", "前後のどちらかに文字を入れてください。", {"OK"}, "OK")});
    EXPECT_EQ(delegate().settings, before);

    click({.action = "deletePairAssistRule:", .identifier = "a"});
    ASSERT_EQ(storedRules().size(), 1u);
    EXPECT_EQ(storedRules()[0].id, "b");
    EXPECT_EQ(control({.action = "deletePairAssistRule:", .identifier = "b"})["enabled"], false);

    click({.action = "addPairAssistRule"});
    ASSERT_EQ(storedRules().size(), 2u);
    const PairAssistRule added = storedRules()[1];
    EXPECT_EQ(added, PairAssistRule(added.id, "括弧・引用", false, WritingAssistInputModeCondition::kanaOnly, std::nullopt, "「", "」"));
    EXPECT_FALSE(added.id.empty());
}

TEST_F(WritingAssistTabTests, CaptureIgnoresModifierKeysEndsOnEscapeAndRecordsAKeyWithAModifier) {
    startAssist(std::nullopt);
    click({.action = "beginPairAssistShortcutCapture:", .identifier = "b"});
    EXPECT_EQ(control({.action = "beginPairAssistShortcutCapture:", .identifier = "b"})["title"], "キーを押してください...");
    EXPECT_TRUE(delegate().eventController().isSuspended());
    press(56, 0, std::nullopt); // Shift alone
    EXPECT_EQ(delegate().writingAssistShortcutCaptureTarget, "b");
    press(53, 0, "\x1b");
    EXPECT_FALSE(delegate().writingAssistShortcutCaptureTarget);
    EXPECT_FALSE(delegate().eventController().isSuspended());
    EXPECT_EQ(delegate().services().userInterface.eventMonitors->monitorCount(), 0u);
    EXPECT_EQ(storedRules(), appsDocument().writingAssist.pairAssistRules);
    takeLines();

    click({.action = "beginPairAssistShortcutCapture:", .identifier = "b"});
    press(18, Event::commandFlag | Event::shiftFlag, "1"); // ⌘⇧1
    EXPECT_EQ(storedRules()[1].trigger,
              (Shortcut{ShortcutModifierSet{ShortcutModifier::command, ShortcutModifier::shift}, ShortcutKey::character("1")}));
    EXPECT_EQ(control({.action = "beginPairAssistShortcutCapture:", .identifier = "b"})["title"], "⌘+⇧+1");
}

TEST_F(WritingAssistTabTests, KeysThatCanNeverFireAreRefusedWithTheReason) {
    struct Case {
        const char* title;
        std::uint16_t keyCode;
        std::uint64_t flags;
        std::optional<std::string> characters;
        const char* message;
        const char* informative;
    };
    const char* needsModifier = "Control、Shift、Option、Command のいずれかを押しながら文字キーを押してください。";
    const char* needsKey = "ショートカットには、修飾キーと文字キーの組み合わせを使ってください。";
    const Case cases[] = {
        {"a alone", 0, 0, "a", "修飾キーが必要です", needsModifier},
        {"⌃ Space", 49, Event::controlFlag, " ", "文字キーが必要です", needsKey},
        {"⌃ Return", 36, Event::controlFlag, "\r", "文字キーが必要です", needsKey},
        {"⌃ left arrow", 123, Event::controlFlag, "\xEF\x9C\x82", "文字キーが必要です", needsKey},
        {"⌥ forward delete", 117, Event::optionFlag, "\xEF\x9C\xA8", "文字キーが必要です", needsKey},
        {"Tab alone", 48, 0, "\t", "修飾キーが必要です", needsModifier},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        startAssist(std::nullopt);
        click({.action = "beginPairAssistShortcutCapture:", .identifier = "b"});
        takeLines();
        press(test.keyCode, test.flags, test.characters);
        EXPECT_EQ(takeLines(), (std::vector<json>{suspended(false), alert(test.message, test.informative, {"OK"}, "OK")}));
        EXPECT_EQ(storedRules(), appsDocument().writingAssist.pairAssistRules);
        EXPECT_FALSE(delegate().writingAssistShortcutCaptureTarget);
    }
}

TEST_F(WritingAssistTabTests, TheSameShortcutIsReportedAndAnotherRulesShortcutMovesOnlyAfterAsking) {
    startAssist(std::nullopt, appsDocument(), {"OK", "キャンセル", "角括弧に移動"});
    click({.action = "beginPairAssistShortcutCapture:", .identifier = "a"});
    takeLines();
    press(0, Event::controlFlag, "a");
    EXPECT_EQ(takeLines(), (std::vector<json>{suspended(false),
                                              alert("すでに設定済みです", "丸括弧のショートカットはすでに ⌃+A です。変更はありません。",
                                                    {"OK"}, "OK")}));

    const std::string question = "丸括弧で使っているショートカットです。角括弧に移動すると、丸括弧のショートカットはクリアされます。";
    for (const char* answer : {"キャンセル", "角括弧に移動"}) {
        SCOPED_TRACE(answer);
        click({.action = "beginPairAssistShortcutCapture:", .identifier = "b"});
        takeLines();
        press(0, Event::controlFlag, "a");
        const auto seen = takeLines();
        ASSERT_GE(seen.size(), 2u);
        EXPECT_EQ(seen[1], alert("このキーを移動しますか？", question, {"角括弧に移動", "キャンセル"}, answer));
    }
    EXPECT_EQ(storedRules()[0].trigger, std::nullopt);
    EXPECT_EQ(storedRules()[1].trigger, controlKey("a"));
}

TEST_F(WritingAssistTabTests, StartingAPairCaptureEndsAnyOtherCaptureAndAClickEndsIt) {
    startAssist(std::nullopt);
    delegate().shortcutCaptureTarget = ShortcutCaptureTarget{ShortcutCaptureTarget::TextTool{TextToolAction::plainCopy}};
    click({.action = "beginPairAssistShortcutCapture:", .identifier = "a"});
    EXPECT_FALSE(delegate().shortcutCaptureTarget.has_value());
    click({.action = "beginPairAssistShortcutCapture:", .identifier = "b"});
    EXPECT_EQ(delegate().writingAssistShortcutCaptureTarget, "b");
    EXPECT_EQ(delegate().services().userInterface.eventMonitors->monitorCount(), 2u);
    EXPECT_EQ(each({.action = "beginPairAssistShortcutCapture:"}, "title"),
              (std::vector<std::string>{"⌃+A", "キーを押してください..."}));

    harness->driver().mouseDown();
    harness->finishStep();
    EXPECT_FALSE(delegate().writingAssistShortcutCaptureTarget);
    EXPECT_EQ(delegate().services().userInterface.eventMonitors->monitorCount(), 0u);
    EXPECT_EQ(each({.action = "beginPairAssistShortcutCapture:"}, "title"), (std::vector<std::string>{"⌃+A", "未設定"}));
}

TEST_F(WritingAssistTabTests, AnApplicationsEditsGoToItsSetAndChoosingATargetEndsACapture) {
    startAssist("com.example.member");
    click({.action = "updatePairAssistEnabled:", .identifier = "s"});
    EXPECT_FALSE(delegate().settings.writingAssistSets[0].value.pairAssistRules[0].isEnabled);
    EXPECT_EQ(delegate().settings.writingAssist, appsDocument().writingAssist);

    click({.action = "beginPairAssistShortcutCapture:", .identifier = "s"});
    choose({.action = "selectWritingAssistTargetFromPopup:"}, "デフォルト");
    EXPECT_FALSE(delegate().writingAssistShortcutCaptureTarget);
    EXPECT_EQ(delegate().selectedWritingAssistAppBundleIdentifier, std::nullopt);
}

} // namespace
} // namespace tessaril
