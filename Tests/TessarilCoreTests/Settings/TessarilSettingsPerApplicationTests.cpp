#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TessarilCore/Settings/TessarilSettingsPerApplication.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"

namespace tessaril {
namespace {

constexpr std::string_view app = "com.example.editor";
constexpr std::string_view otherApp = "com.example.mail";

// One feature's operations and a way to tell its values apart by a small number, so that the tests
// below run once for all four features.
struct GuardFamily {
    using Value = DoublePressGuardSettings;
    static constexpr bool finderEntryIsPermanent = true;
    static Value marked(int mark) {
        Value value;
        value.timeoutMilliseconds = 1000 + mark;
        return value;
    }
    // The overlay takes the entry's timeout, so the mark survives it.
    static int mark(const Value& value) { return static_cast<int>(value.timeoutMilliseconds - 1000); }
    static Value& global(TessarilSettings& settings) { return settings.globalShortcutGuard; }
    static auto& entries(TessarilSettings& settings) { return settings.appShortcutGuardSettings; }
    static auto& sets(TessarilSettings& settings) { return settings.shortcutGuardSets; }
    static constexpr auto valueInForce = &shortcutGuardSettings;
    static constexpr auto usesOwn = &usesAppShortcutGuardSettings;
    static constexpr auto enable = &enableAppShortcutGuardSettings;
    static constexpr auto remove = &removeAppShortcutGuardSettings;
    static constexpr auto setUsesDefault = &setAppShortcutGuardUsesDefault;
    static constexpr auto update = &updateShortcutGuardSettings;
};

struct KeypadFamily {
    using Value = KeypadShortcutHackSettings;
    static constexpr bool finderEntryIsPermanent = false;
    static Value marked(int mark) {
        Value value;
        value.period.outputText = std::to_string(mark);
        return value;
    }
    static int mark(const Value& value) { return std::stoi(value.period.outputText); }
    static Value& global(TessarilSettings& settings) { return settings.keypadShortcutHacks; }
    static auto& entries(TessarilSettings& settings) { return settings.appKeypadShortcutHackSettings; }
    static auto& sets(TessarilSettings& settings) { return settings.keypadShortcutHackSets; }
    static constexpr auto valueInForce = &keypadShortcutHackSettings;
    static constexpr auto usesOwn = &usesAppKeypadShortcutHackSettings;
    static constexpr auto enable = &enableAppKeypadShortcutHackSettings;
    static constexpr auto remove = &removeAppKeypadShortcutHackSettings;
    static constexpr auto setUsesDefault = &setAppKeypadShortcutHacksUsesDefault;
    static constexpr auto update = &updateKeypadShortcutHackSettings;
};

struct WritingAssistFamily {
    using Value = WritingAssistSettings;
    static constexpr bool finderEntryIsPermanent = false;
    static Value marked(int mark) {
        Value value;
        value.quoteAssist.openingText = std::to_string(mark);
        return value;
    }
    static int mark(const Value& value) { return std::stoi(value.quoteAssist.openingText); }
    static Value& global(TessarilSettings& settings) { return settings.writingAssist; }
    static auto& entries(TessarilSettings& settings) { return settings.appWritingAssistSettings; }
    static auto& sets(TessarilSettings& settings) { return settings.writingAssistSets; }
    static constexpr auto valueInForce = &writingAssistSettings;
    static constexpr auto usesOwn = &usesAppWritingAssistSettings;
    static constexpr auto enable = &enableAppWritingAssistSettings;
    static constexpr auto remove = &removeAppWritingAssistSettings;
    static constexpr auto setUsesDefault = &setAppWritingAssistUsesDefault;
    static constexpr auto update = &updateWritingAssistSettings;
};

struct FixedPhraseFamily {
    using Value = FixedPhraseAssistSettings;
    static constexpr bool finderEntryIsPermanent = false;
    static Value marked(int mark) {
        Value value;
        value.rules.emplace_back("rule", std::to_string(mark), true, std::nullopt, "text");
        return value;
    }
    static int mark(const Value& value) { return value.rules.empty() ? -1 : std::stoi(value.rules.front().title); }
    static Value& global(TessarilSettings& settings) { return settings.fixedPhraseAssist; }
    static auto& entries(TessarilSettings& settings) { return settings.appFixedPhraseAssistSettings; }
    static auto& sets(TessarilSettings& settings) { return settings.fixedPhraseAssistSets; }
    static constexpr auto valueInForce = &fixedPhraseAssistSettings;
    static constexpr auto usesOwn = &usesAppFixedPhraseAssistSettings;
    static constexpr auto enable = &enableAppFixedPhraseAssistSettings;
    static constexpr auto remove = &removeAppFixedPhraseAssistSettings;
    static constexpr auto setUsesDefault = &setAppFixedPhraseAssistUsesDefault;
    static constexpr auto update = &updateFixedPhraseAssistSettings;
};

template <class Family> class PerApplicationFamilyTest : public ::testing::Test {
public:
    using Value = typename Family::Value;

    PerApplicationFamilyTest() { Family::global(settings) = Family::marked(0); }

    void addSet(int mark, std::vector<std::string_view> apps) {
        std::vector<SettingsSetAppTarget> targets;
        for (auto bundleIdentifier : apps) targets.emplace_back(bundleIdentifier, "");
        Family::sets(settings).emplace_back("set-" + std::to_string(mark), "Set", Family::marked(mark), targets);
    }
    // An entry of the application's own, holding `mark`.
    void addOwnEntry(std::string_view bundleIdentifier, int mark) {
        Family::enable(settings, bundleIdentifier, "App", false);
        Family::update(settings, bundleIdentifier, [&](Value& value) { value = Family::marked(mark); });
    }
    void addFollowingEntry(std::string_view bundleIdentifier, int staleMark) {
        addOwnEntry(bundleIdentifier, staleMark);
        Family::setUsesDefault(settings, bundleIdentifier, true);
    }
    int markInForce(std::optional<std::string_view> bundleIdentifier) const {
        return Family::mark(Family::valueInForce(settings, bundleIdentifier));
    }
    // The mark of the value an edit for the application reaches, or -1 when the edit is not made.
    int markEdited(std::optional<std::string_view> bundleIdentifier) {
        int edited = -1;
        int calls = 0;
        Family::update(settings, bundleIdentifier, [&](Value& value) {
            ++calls;
            edited = Family::mark(value);
        });
        EXPECT_LE(calls, 1);
        return edited;
    }

    TessarilSettings settings;
};

using Families = ::testing::Types<GuardFamily, KeypadFamily, WritingAssistFamily, FixedPhraseFamily>;
TYPED_TEST_SUITE(PerApplicationFamilyTest, Families);

TYPED_TEST(PerApplicationFamilyTest, NoApplicationMeansTheGlobalValue) {
    this->addSet(7, {app});
    this->addOwnEntry(app, 8);
    EXPECT_EQ(this->markInForce(std::nullopt), 0);
    EXPECT_FALSE(TypeParam::usesOwn(this->settings, std::nullopt));
    EXPECT_EQ(this->markEdited(std::nullopt), 0);
}

TYPED_TEST(PerApplicationFamilyTest, ValueInForceEditTargetAndOwnValueByLayer) {
    struct Case {
        const char* name;
        std::function<void(PerApplicationFamilyTest<TypeParam>&)> arrange;
        int inForce;
        bool usesOwn;
        int edited;
    };
    const std::vector<Case> cases{
        {"nothing", [](auto&) {}, 0, false, -1},
        {"own entry", [](auto& test) { test.addOwnEntry(app, 4); }, 4, true, 4},
        {"entry following the global value", [](auto& test) { test.addFollowingEntry(app, 4); }, 0, false, -1},
        {"entry of another application", [](auto& test) { test.addOwnEntry(otherApp, 4); }, 0, false, -1},
        {"second and third set list it",
         [](auto& test) {
             test.addSet(1, {otherApp});
             test.addSet(2, {otherApp, app});
             test.addSet(3, {app});
         },
         2, true, 2},
        {"set wins over an own entry",
         [](auto& test) {
             test.addOwnEntry(app, 4);
             test.addSet(5, {app});
         },
         5, true, 5},
        {"set wins over a following entry",
         [](auto& test) {
             test.addFollowingEntry(app, 4);
             test.addSet(5, {app});
         },
         5, true, 5},
        {"identifier differs in case only",
         [](auto& test) {
             test.addSet(5, {"com.example.Editor"});
             test.addOwnEntry("COM.EXAMPLE.EDITOR", 4);
         },
         0, false, -1},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        this->settings = TessarilSettings();
        TypeParam::global(this->settings) = TypeParam::marked(0);
        testCase.arrange(*this);
        const TessarilSettings before = this->settings;
        EXPECT_EQ(this->markInForce(app), testCase.inForce);
        EXPECT_EQ(TypeParam::usesOwn(this->settings, app), testCase.usesOwn);
        EXPECT_EQ(this->markEdited(app), testCase.edited);
        EXPECT_EQ(this->settings, before) << "reading the edit target changed nothing";
    }
}

TYPED_TEST(PerApplicationFamilyTest, EditChangesOnlyTheFirstSetThatListsTheApplication) {
    this->addSet(2, {app});
    this->addSet(3, {app});
    TypeParam::update(this->settings, app, [](auto& value) { value = TypeParam::marked(9); });
    EXPECT_EQ(TypeParam::mark(TypeParam::sets(this->settings)[0].value), 9);
    EXPECT_EQ(TypeParam::mark(TypeParam::sets(this->settings)[1].value), 3);
    EXPECT_EQ(this->markInForce(std::nullopt), 0);
}

TYPED_TEST(PerApplicationFamilyTest, LeavingTheSetBringsTheEntryValueBack) {
    this->addOwnEntry(app, 4);
    this->addSet(5, {app});
    ASSERT_EQ(this->markInForce(app), 5);
    TypeParam::sets(this->settings).front().appTargets.clear();
    EXPECT_EQ(this->markInForce(app), 4);
}

TYPED_TEST(PerApplicationFamilyTest, FollowingAndLeavingTheGlobalValue) {
    // Leaving starts from the current global value, never from an own value set aside earlier.
    this->addFollowingEntry(app, 4);
    TypeParam::global(this->settings) = TypeParam::marked(6);
    TypeParam::setUsesDefault(this->settings, app, false);
    EXPECT_EQ(this->markInForce(app), 6);
    EXPECT_TRUE(TypeParam::usesOwn(this->settings, app));

    // Leaving again changes nothing.
    TypeParam::update(this->settings, app, [](auto& value) { value = TypeParam::marked(7); });
    TypeParam::setUsesDefault(this->settings, app, false);
    EXPECT_EQ(this->markInForce(app), 7);

    // Following keeps the own value stored but unread.
    TypeParam::setUsesDefault(this->settings, app, true);
    EXPECT_EQ(this->markInForce(app), 6);
    EXPECT_FALSE(TypeParam::usesOwn(this->settings, app));

    // An application without an entry is left alone.
    const TessarilSettings before = this->settings;
    TypeParam::setUsesDefault(this->settings, otherApp, false);
    EXPECT_EQ(this->settings, before);
}

TYPED_TEST(PerApplicationFamilyTest, AddingAnEntryCopiesTheGlobalValueOnce) {
    TypeParam::enable(this->settings, app, "  Editor ", true);
    const auto& entry = TypeParam::entries(this->settings).at(std::string(app));
    EXPECT_EQ(entry.displayName, "  Editor ");
    TypeParam::setUsesDefault(this->settings, app, false);
    EXPECT_EQ(this->markInForce(app), 0);

    const TessarilSettings before = this->settings;
    TypeParam::enable(this->settings, app, "Other name", true);
    EXPECT_EQ(this->settings, before);
}

TYPED_TEST(PerApplicationFamilyTest, RemovingAnEntryLeavesTheSetsAndTheFinderGuard) {
    this->addOwnEntry(app, 4);
    this->addSet(5, {app});
    TypeParam::remove(this->settings, app);
    EXPECT_FALSE(TypeParam::entries(this->settings).contains(std::string(app)));
    EXPECT_EQ(this->markInForce(app), 5);

    const std::string finder = "com.apple.finder";
    TypeParam::enable(this->settings, finder, "Finder", true);
    TypeParam::remove(this->settings, finder);
    EXPECT_EQ(TypeParam::entries(this->settings).contains(finder), TypeParam::finderEntryIsPermanent);

    const TessarilSettings before = this->settings;
    TypeParam::remove(this->settings, "com.example.unknown");
    EXPECT_EQ(this->settings, before);
}

// ---- The guard overlay

ShortcutGuardRule guardRule(std::string letter, std::int64_t pressCount, bool isEnabled = true) {
    return ShortcutGuardRule{std::move(letter), isEnabled, pressCount, ShortcutGuardTimingPreset::standard, std::nullopt,
                             keyboard_preset::standardSet};
}

DoublePressGuardSettings guardWithRules(bool isEnabled, std::int64_t timeout, std::vector<ShortcutGuardRule> rules) {
    return DoublePressGuardSettings(isEnabled, timeout, {}, std::move(rules));
}

struct OverlayCase {
    const char* name;
    std::vector<ShortcutGuardRule> globalRules;
    std::vector<ShortcutGuardRule> entryRules;
    std::vector<ShortcutGuardRule> expectedRules;
};

TEST(ShortcutGuardOverlayTest, EntryRulesReplaceGlobalRulesByLetter) {
    const std::vector<OverlayCase> cases{
        {"entry adds and replaces letters",
         {guardRule("d", 2), guardRule("q", 2), guardRule("w", 2)},
         {guardRule("x", 4), guardRule("q", 3)},
         {guardRule("d", 2), guardRule("q", 3), guardRule("w", 2), guardRule("x", 4)}},
        {"entry without rules follows the global rules",
         {guardRule("d", 2), guardRule("q", 2)},
         {},
         {guardRule("d", 2), guardRule("q", 2)}},
        {"entry listing a letter twice: its later rule stands",
         {guardRule("q", 2)},
         {guardRule("q", 3, false), guardRule("q", 4)},
         {guardRule("q", 4)}},
        {"global rules repeating a letter the entry does not list are all kept, in order",
         {guardRule("q", 2, false), guardRule("q", 3), guardRule("w", 2)},
         {guardRule("w", 4)},
         {guardRule("q", 2, false), guardRule("q", 3), guardRule("w", 4)}},
        {"global rules repeating a letter the entry lists are all replaced",
         {guardRule("q", 2, false), guardRule("q", 3)},
         {guardRule("q", 4)},
         {guardRule("q", 4)}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TessarilSettings settings;
        settings.globalShortcutGuard = guardWithRules(false, 700, testCase.globalRules);
        settings.appShortcutGuardSettings[std::string(app)] =
            AppShortcutGuardSettings{"Editor", false, guardWithRules(true, 1500, testCase.entryRules)};

        const auto guard = shortcutGuardSettings(settings, app);
        EXPECT_TRUE(guard.isEnabled);
        EXPECT_EQ(guard.timeoutMilliseconds, 1500);
        EXPECT_EQ(guard.rules, testCase.expectedRules);
        DoublePressGuardSettings::ShortcutSet expectedShortcuts;
        for (const auto& rule : testCase.expectedRules) expectedShortcuts.insert(*Shortcut::commandLetter(rule.letter));
        EXPECT_EQ(guard.shortcuts, expectedShortcuts);
    }
}

TEST(ShortcutGuardOverlayTest, GlobalEditsReachLettersTheEntryDoesNotList) {
    TessarilSettings settings;
    settings.globalShortcutGuard = guardWithRules(false, 700, {guardRule("d", 2), guardRule("q", 2)});
    settings.appShortcutGuardSettings[std::string(app)] =
        AppShortcutGuardSettings{"Editor", false, guardWithRules(true, 700, {guardRule("q", 3)})};

    updateShortcutGuardSettings(settings, std::nullopt, [](DoublePressGuardSettings& guard) {
        guard.upsertRule(guardRule("d", 4));
    });
    EXPECT_EQ(shortcutGuardSettings(settings, app).rules, (std::vector{guardRule("d", 4), guardRule("q", 3)}));

    // An edit for the application changes its own rules, not the overlay.
    updateShortcutGuardSettings(settings, app, [](DoublePressGuardSettings& guard) {
        EXPECT_EQ(guard.rules, std::vector{guardRule("q", 3)});
        guard.upsertRule(guardRule("w", 2));
    });
    EXPECT_EQ(settings.appShortcutGuardSettings.at(std::string(app)).doublePressGuard.rules,
              (std::vector{guardRule("q", 3), guardRule("w", 2)}));
}

TEST(ShortcutGuardOverlayTest, SetGuardIsUsedWholeWithoutGlobalRules) {
    TessarilSettings settings;
    settings.globalShortcutGuard = guardWithRules(false, 700, {guardRule("d", 2), guardRule("q", 2)});
    const auto setGuard = guardWithRules(true, 450, {guardRule("x", 3)});
    settings.shortcutGuardSets.emplace_back("set", "Set", setGuard,
                                            std::vector{SettingsSetAppTarget(app, "Editor")});
    EXPECT_EQ(shortcutGuardSettings(settings, app), setGuard);
}

TEST(RuleEngineSettingsForApplicationTest, PresetSettingsWithTheGuardAndKeypadHacksInForce) {
    TessarilSettings settings;
    settings.activePreset = KeyboardPreset::compactUS;
    settings.profiles.compactUS.leftCommandDelayMilliseconds = 120;
    settings.profiles.compactUS.doublePressGuard = guardWithRules(true, 700, {guardRule("z", 2)});
    settings.globalShortcutGuard = guardWithRules(true, 900, {guardRule("d", 2)});
    settings.keypadShortcutHacks.usesKeypadEqualCombo = true;
    settings.appShortcutGuardSettings[std::string(app)] =
        AppShortcutGuardSettings{"Editor", false, guardWithRules(false, 1200, {guardRule("q", 3)})};

    auto expected = settings.profiles.compactUS;
    expected.doublePressGuard = settings.globalShortcutGuard;
    expected.keypadShortcutHacks = settings.keypadShortcutHacks;
    EXPECT_EQ(ruleEngineSettings(settings, std::nullopt, std::nullopt), expected);

    expected.doublePressGuard = guardWithRules(false, 1200, {guardRule("d", 2), guardRule("q", 3)});
    EXPECT_EQ(ruleEngineSettings(settings, KeyboardIdentifier::keyboardType(40), app), expected);
}

TEST(SetTargetOwnershipTest, AnApplicationStaysOnlyInTheFirstSetThatListsIt) {
    UUIDGenerator::ScopedOverride uuids(UUIDGenerator::sequential());
    using Set = SettingsSet<KeypadShortcutHackSettings>;
    auto target = [](std::string_view bundleIdentifier) { return SettingsSetAppTarget(bundleIdentifier, ""); };
    std::vector<Set> sets{
        Set("a", "A", {}, {target("com.x"), target("com.y")}),
        Set("b", "B", {}, {target("com.y")}),
        Set("c", "C", {}, {target("com.z"), target("com.x")}),
    };
    // Targets are normally unique within a set; a repeat that slipped in keeps its first listing.
    sets[0].appTargets.push_back(target("com.x"));

    const auto owned = normalizedSetTargetOwnership(sets);
    ASSERT_EQ(owned.size(), 3u);
    EXPECT_EQ(owned[0].appTargets, (std::vector{target("com.x"), target("com.y")}));
    EXPECT_TRUE(owned[1].appTargets.empty());
    EXPECT_EQ(owned[1].id, "b");
    EXPECT_EQ(owned[2].appTargets, std::vector{target("com.z")});
}

} // namespace
} // namespace tessaril
