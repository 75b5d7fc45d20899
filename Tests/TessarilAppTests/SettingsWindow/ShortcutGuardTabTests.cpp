// The shortcut-guard page driven through the real window: its rows in each target state, rule edits,
// adding and renaming letters, and where edits of inherited rules go.
#include <optional>
#include <string>

#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"

namespace tessaril {
namespace {

ShortcutGuardRule rule(const std::string& letter, bool isEnabled = true, std::int64_t pressCount = 2,
                       ShortcutGuardTimingPreset timing = ShortcutGuardTimingPreset::standard,
                       std::optional<std::int64_t> custom = std::nullopt) {
    return {letter, isEnabled, pressCount, timing, custom, keyboard_preset::standardSet};
}

DoublePressGuardSettings guardWith(std::vector<ShortcutGuardRule> rules, bool isEnabled = false) {
    return DoublePressGuardSettings(isEnabled, 700, {}, std::move(rules));
}

// The default guard has D, Q and W; "own" overrides Q and adds X; the set has only Z.
TessarilSettings appsDocument() {
    TessarilSettings settings;
    settings.globalShortcutGuard = guardWith({rule("d"), rule("q"), rule("w")});
    settings.appShortcutGuardSettings["com.example.own"] = {"Own", false, guardWith({rule("q", true, 3), rule("x")}, true)};
    settings.appShortcutGuardSettings["com.example.follows"] = {"Follows", true, guardWith({rule("x")})};
    settings.shortcutGuardSets.emplace_back("set-1", "仕事", guardWith({rule("z", true, 4)}),
                                            std::vector<SettingsSetAppTarget>{{"com.example.member", "Member"}});
    return settings;
}

class ShortcutGuardTabTests : public SettingsPageTest {
protected:
    void startGuard(std::optional<std::string> app, TessarilSettings settings = appsDocument(),
                    std::vector<std::string> answers = {}) {
        start({.settings = std::move(settings), .tab = SettingsTab::shortcutGuard, .answers = std::move(answers)});
        delegate().selectedShortcutAppBundleIdentifier = std::move(app);
        rebuild();
    }
    std::vector<std::string> letters() { return each({.action = "updateShortcutRuleLetter:"}, "value"); }
};

TEST_F(ShortcutGuardTabTests, EachTargetStateShowsItsRulesHeaderAndEditability) {
    struct Case {
        std::optional<std::string> app;
        std::vector<std::string> letters;
        const char* header;
        const char* tag;
        const char* detail;
        bool editable;
    };
    const Case cases[] = {
        {std::nullopt, {"D", "Q", "W"}, "誤爆防止: デフォルト", "基準", "この対象で危ないショートカットを二度押しにします。", true},
        {"com.example.own", {"D", "Q", "W", "X"}, "誤爆防止: Own", "個別", "この対象で危ないショートカットを二度押しにします。", true},
        {"com.example.follows", {"D", "Q", "W"}, "誤爆防止: Follows", "デフォルト準拠", "デフォルト設定に準拠しています。", false},
        // Only the set's rules apply to a member, so only they are listed.
        {"com.example.member", {"Z"}, "誤爆防止: Member", "セット", "セット「仕事」の誤爆防止設定を編集します。", true},
        {"com.example.none", {"D", "Q", "W"}, "誤爆防止: デフォルト", "デフォルト準拠", "デフォルト設定に準拠しています。", false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.app.value_or("default"));
        startGuard(test.app);
        EXPECT_EQ(letters(), test.letters);
        EXPECT_EQ(labelsFrom(test.header, 4), (std::vector<std::string>{test.header, test.tag, "誤爆防止", test.detail}));
        EXPECT_EQ(control({.action = "updateShortcutRulePressCount:"})["enabled"], test.editable);
        EXPECT_EQ(control({.action = "toggleShortcutGuardEnabled:"})["enabled"], test.editable);
        EXPECT_EQ(control({.action = "addShortcutRule"}).is_null(), !test.editable);
    }
    // The own entry's Q (three presses) is the row shown, not the default's.
    startGuard("com.example.own");
    EXPECT_EQ(control({.action = "updateShortcutRulePressCount:", .identifier = "q"})["selected"], "3");
    EXPECT_EQ(control({.action = "toggleShortcutGuardEnabled:"})["value"], "ON");

    startGuard(std::nullopt, TessarilSettings::memberwise([](TessarilSettings& s) { s.globalShortcutGuard = guardWith({}); }));
    EXPECT_EQ(labelsFrom("未設定", 2), (std::vector<std::string>{"未設定", "OFF"}));
}

TEST_F(ShortcutGuardTabTests, AddingALetterUpsertsAFreshRuleAndRefusesAnythingButOneLetter) {
    struct Case {
        const char* typed;
        std::optional<std::string> letter;
    };
    const Case cases[] = {{"q", "q"}, {" w ", "w"}, {"K", "k"}, {"ab", std::nullopt}, {"1", std::nullopt}, {"", std::nullopt}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.typed);
        TessarilSettings stored = appsDocument();
        stored.globalShortcutGuard = guardWith({rule("q", false, 4, ShortcutGuardTimingPreset::custom, 2000)});
        startGuard(std::nullopt, stored);
        type({.placeholder = "A-Z"}, test.typed);
        click({.action = "addShortcutRule"});
        if (test.letter) {
            stored.globalShortcutGuard.upsertRule(rule(*test.letter));
            EXPECT_EQ(takeSaved().size(), 1u);
            EXPECT_EQ(delegate().settings, stored);
        } else {
            EXPECT_EQ(takeLines(), std::vector<json>{alert("追加できません", "⌘と組み合わせる英字を1文字だけ入力してください。", {"OK"}, "OK")});
            EXPECT_EQ(delegate().settings, stored);
        }
    }
}

TEST_F(ShortcutGuardTabTests, ChangingALetterRefusesADuplicateAndForAnApplicationSwitchesTheDefaultLetterOff) {
    startGuard(std::nullopt);
    const TessarilSettings before = delegate().settings;
    type({.action = "updateShortcutRuleLetter:", .identifier = "w"}, "q");
    pressReturn({.action = "updateShortcutRuleLetter:", .identifier = "w"});
    const auto seen = takeLines();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], alert("変更できません", "キーはA-Zの1文字で、同じ対象内では重複できません。", {"OK"}, "OK"));
    EXPECT_EQ(delegate().settings, before);
    EXPECT_EQ(control({.action = "updateShortcutRuleLetter:", .identifier = "w"})["value"], "W");

    // D is inherited from the default guard: the application gets its own copy under E, and D off.
    startGuard("com.example.own");
    TessarilSettings expected = delegate().settings;
    type({.action = "updateShortcutRuleLetter:", .identifier = "d"}, "e");
    pressReturn({.action = "updateShortcutRuleLetter:", .identifier = "d"});
    EXPECT_EQ(takeSaved().size(), 1u);
    auto& own = expected.appShortcutGuardSettings["com.example.own"].doublePressGuard;
    own.upsertRule(rule("e"));
    own.upsertRule(rule("d", false));
    EXPECT_EQ(delegate().settings, expected);
    EXPECT_EQ(letters(), (std::vector<std::string>{"D", "E", "Q", "W", "X"}));
}

TEST_F(ShortcutGuardTabTests, TimingAndSecondsEditsStoreClampedCustomTimes) {
    startGuard(std::nullopt);
    choose({.action = "updateShortcutRuleTiming:", .identifier = "w"}, "カスタム");
    EXPECT_EQ(control({.action = "updateShortcutRuleCustomSeconds:", .identifier = "w"})["value"], "0.70");
    EXPECT_EQ(control({.action = "updateShortcutRuleCustomSeconds:", .identifier = "w"})["enabled"], true);
    EXPECT_EQ(control({.action = "updateShortcutRuleCustomSeconds:", .identifier = "q"})["enabled"], false);
    struct Case {
        const char* typed;
        std::int64_t milliseconds;
    };
    for (const auto& test : {Case{"9", 5000}, Case{"0.05", 100}, Case{"abc", 100}, Case{"1.2345", 1234}}) {
        SCOPED_TRACE(test.typed);
        type({.action = "updateShortcutRuleCustomSeconds:", .identifier = "w"}, test.typed);
        pressReturn({.action = "updateShortcutRuleCustomSeconds:", .identifier = "w"});
        EXPECT_EQ(delegate().settings.globalShortcutGuard.rules[2], rule("w", true, 2, ShortcutGuardTimingPreset::custom, test.milliseconds));
    }
    choose({.action = "updateShortcutRuleTiming:", .identifier = "w"}, "遅い");
    choose({.action = "updateShortcutRulePressCount:", .identifier = "w"}, "4");
    EXPECT_EQ(control({.action = "updateShortcutRuleCustomSeconds:", .identifier = "w"})["value"], "1.00");
    EXPECT_EQ(delegate().settings.globalShortcutGuard.rules[2], rule("w", true, 4, ShortcutGuardTimingPreset::slow, 1234));
}

TEST_F(ShortcutGuardTabTests, EditingARuleGoesToItsTargetAndAnInheritedRuleBecomesTheApplicationsOwn) {
    // Own entry: switching the inherited W off copies it in first.
    startGuard("com.example.own");
    TessarilSettings expected = delegate().settings;
    click({.action = "toggleShortcutRuleEnabled:", .identifier = "w"});
    expected.appShortcutGuardSettings["com.example.own"].doublePressGuard.upsertRule(rule("w", false));
    EXPECT_EQ(takeSaved().size(), 1u);
    EXPECT_EQ(delegate().settings, expected);

    // Set member: its rule changes in the set, and no default rule is added to the set.
    startGuard("com.example.member");
    expected = delegate().settings;
    click({.action = "toggleShortcutGuardPresetScope:", .identifier = "shortcut:z|all"});
    click({.action = "toggleShortcutGuardEnabled:"});
    auto& setGuard = expected.shortcutGuardSets[0].value;
    ShortcutGuardRule z = rule("z", true, 4);
    z.activePresets = {};
    setGuard.upsertRule(z);
    setGuard.isEnabled = true;
    EXPECT_EQ(delegate().settings, expected);
}

} // namespace
} // namespace tessaril
