#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TessarilCore/Settings/TessarilSettingsMigrations.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"

namespace tessaril {
namespace {

AppShortcutGuardSettings guardEntry(std::string displayName, bool usesDefault = true,
                                    DoublePressGuardSettings guard = DoublePressGuardSettings()) {
    return AppShortcutGuardSettings{std::move(displayName), usesDefault, std::move(guard)};
}

KeypadShortcutHackSettings keypadWithEnabledRules(int enabledCount) {
    KeypadShortcutHackSettings hacks;
    hacks.usesKeypadEqualCombo = true;
    KeypadShortcutHackRule* rules[] = {&hacks.period, &hacks.slash, &hacks.asterisk, &hacks.hyphen, &hacks.plus};
    for (int index = 0; index < enabledCount; ++index) rules[index]->isEnabled = true;
    return hacks;
}

DoublePressGuardSettings oldEnabledGuard() {
    return DoublePressGuardSettings(true, 700, {Shortcut::commandQ(), Shortcut::commandW()});
}

Shortcut commandControl(std::string character) {
    Shortcut shortcut;
    shortcut.modifiers.insert(ShortcutModifier::command);
    shortcut.modifiers.insert(ShortcutModifier::control);
    shortcut.key = Shortcut::Key::character(std::move(character));
    return shortcut;
}

std::vector<SettingsSetAppTarget> targets(std::vector<std::string_view> bundleIdentifiers) {
    std::vector<SettingsSetAppTarget> result;
    for (auto identifier : bundleIdentifiers) result.emplace_back(identifier, "");
    return result;
}

TEST(RemoveLegacySystemSettingsShortcutTargetTest, DropsSystemSettingsByIdentifierOrExactName) {
    TessarilSettings settings;
    settings.appShortcutGuardSettings = {
        {"com.apple.SystemSettings", guardEntry("Anything")},
        {"com.apple.systempreferences", guardEntry("Prefs")},
        {"com.example.a", guardEntry("System Preferences")},
        {"com.example.b", guardEntry("System Settings")},
        {"com.example.c", guardEntry("システム設定")},
        {"com.example.d", guardEntry("システム環境設定")},
        {"com.example.lower", guardEntry("system settings")},
        {"com.example.padded", guardEntry(" System Settings")},
        {"com.apple.finder", guardEntry("Finder")},
    };
    settings.appKeypadShortcutHackSettings["com.apple.SystemSettings"] = {"System Settings", true, {}};
    removeLegacySystemSettingsShortcutTarget(settings);

    std::vector<std::string> kept;
    for (const auto& [bundleIdentifier, entry] : settings.appShortcutGuardSettings) kept.push_back(bundleIdentifier);
    EXPECT_EQ(kept, (std::vector<std::string>{"com.apple.finder", "com.example.lower", "com.example.padded"}));
    EXPECT_EQ(settings.appKeypadShortcutHackSettings.size(), 1u);
}

TEST(DisablePerKeyboardPresetAssignmentsTest, TurnsAssignmentsOffAndForgetsThem) {
    TessarilSettings settings;
    settings.usesPerKeyboardPresetAssignments = true;
    settings.keyboardPresetAssignments["keyboard-type:40"] = KeyboardPreset::fullSizeUS;
    settings.keyboardCustomPresetAssignments["keyboard-type:41"] = "A";
    disablePerKeyboardPresetAssignments(settings);
    EXPECT_FALSE(settings.usesPerKeyboardPresetAssignments);
    EXPECT_TRUE(settings.keyboardPresetAssignments.empty());
    EXPECT_TRUE(settings.keyboardCustomPresetAssignments.empty());
}

TEST(DisableUnsafeKeypadHackDevelopmentDefaultsTest, OnlyValuesWithAllFiveRulesOnAreSwitchedOff) {
    TessarilSettings settings;
    settings.profiles.laptop.keypadShortcutHacks = keypadWithEnabledRules(5);
    settings.profiles.compactUS.keypadShortcutHacks = keypadWithEnabledRules(4);
    settings.keypadShortcutHacks = keypadWithEnabledRules(5);
    settings.appKeypadShortcutHackSettings["com.example.a"] = {"A", true, keypadWithEnabledRules(5)};
    settings.customPresets.push_back(CustomKeyboardPreset{"P", "Preset", RuleEngineSettings()});
    settings.customPresets.back().settings.keypadShortcutHacks = keypadWithEnabledRules(5);
    settings.keypadShortcutHackSets.emplace_back("set", "Set", keypadWithEnabledRules(5), targets({"com.example.b"}));

    disableUnsafeKeypadHackDevelopmentDefaults(settings);

    KeypadShortcutHackSettings switchedOff = keypadWithEnabledRules(5);
    switchedOff.disableAll();
    EXPECT_EQ(settings.profiles.laptop.keypadShortcutHacks, switchedOff);
    EXPECT_FALSE(settings.profiles.laptop.keypadShortcutHacks.usesKeypadEqualCombo);
    EXPECT_EQ(settings.profiles.compactUS.keypadShortcutHacks, keypadWithEnabledRules(4));
    EXPECT_EQ(settings.keypadShortcutHacks, switchedOff);
    EXPECT_EQ(settings.appKeypadShortcutHackSettings.at("com.example.a").keypadShortcutHacks, switchedOff);
    EXPECT_EQ(settings.customPresets.front().settings.keypadShortcutHacks, switchedOff);
    EXPECT_EQ(settings.keypadShortcutHackSets.front().value, keypadWithEnabledRules(5));
}

TEST(DisableLegacyOptionalHelpersByDefaultTest, SwitchesOffModifiedCommandsAndKeypadHacksOutsideCustomPresetsAndSets) {
    TessarilSettings settings;
    for (auto* profile : {&settings.profiles.laptop, &settings.profiles.compactUS, &settings.profiles.fullSizeUS}) {
        profile->setRightModifiedCommandAction(ModifiedCommandAction::standard);
        profile->setLeftModifiedCommandAction(ModifiedCommandAction::katakana);
        profile->keypadShortcutHacks = keypadWithEnabledRules(2);
    }
    settings.keypadShortcutHacks = keypadWithEnabledRules(1);
    settings.appKeypadShortcutHackSettings["com.example.a"] = {"A", false, keypadWithEnabledRules(3)};
    RuleEngineSettings custom;
    custom.setRightModifiedCommandAction(ModifiedCommandAction::standard);
    custom.keypadShortcutHacks = keypadWithEnabledRules(2);
    settings.customPresets.push_back(CustomKeyboardPreset{"P", "Preset", custom});
    settings.keypadShortcutHackSets.emplace_back("set", "Set", keypadWithEnabledRules(2), targets({"com.example.b"}));

    disableLegacyOptionalHelpersByDefault(settings);

    for (const auto* profile : {&settings.profiles.laptop, &settings.profiles.compactUS, &settings.profiles.fullSizeUS}) {
        EXPECT_EQ(profile->rightModifiedCommandAction, ModifiedCommandAction::disabled);
        EXPECT_EQ(profile->leftModifiedCommandAction, ModifiedCommandAction::disabled);
        EXPECT_FALSE(profile->shiftRightCommandSwitchesToEisu());
        EXPECT_FALSE(profile->shiftLeftCommandSwitchesToKana());
        EXPECT_EQ(profile->keypadShortcutHacks, KeypadShortcutHackSettings());
    }
    EXPECT_EQ(settings.keypadShortcutHacks, KeypadShortcutHackSettings());
    EXPECT_EQ(settings.appKeypadShortcutHackSettings.at("com.example.a").keypadShortcutHacks, KeypadShortcutHackSettings());
    EXPECT_EQ(settings.customPresets.front().settings, custom);
    EXPECT_EQ(settings.keypadShortcutHackSets.front().value, keypadWithEnabledRules(2));
}

TEST(DisableLegacyEnabledDefaultAssistFeaturesTest, ReplacesOnlyValuesEqualToTheOldEnabledDefaults) {
    const DoublePressGuardSettings replacement;
    auto withTimeout = [](std::int64_t timeout) { return DoublePressGuardSettings(true, timeout, {Shortcut::commandQ(), Shortcut::commandW()}); };
    const DoublePressGuardSettings withD(true, 700, {Shortcut::commandQ(), Shortcut::commandW(), Shortcut::commandD()});

    struct Case {
        const char* name;
        DoublePressGuardSettings guard;
        DoublePressGuardSettings expected;
    };
    const std::vector<Case> cases{
        {"old enabled guard", oldEnabledGuard(), replacement},
        {"750 ms", withTimeout(750), withTimeout(750)},
        {"Command+D added", withD, withD},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TessarilSettings settings;
        settings.globalShortcutGuard = testCase.guard;
        settings.appShortcutGuardSettings["com.example.own"] = guardEntry("Own", false, testCase.guard);
        settings.appShortcutGuardSettings["com.example.follows"] = guardEntry("Follows", true, testCase.guard);
        settings.shortcutGuardSets.emplace_back("set", "Set", testCase.guard, targets({"com.example.set"}));

        disableLegacyEnabledDefaultAssistFeatures(settings);

        EXPECT_EQ(settings.globalShortcutGuard, testCase.expected);
        EXPECT_EQ(settings.appShortcutGuardSettings.at("com.example.own"), guardEntry("Own", false, testCase.expected));
        EXPECT_EQ(settings.appShortcutGuardSettings.at("com.example.follows"), guardEntry("Follows", true, testCase.guard));
        EXPECT_EQ(settings.shortcutGuardSets.front().value, testCase.expected);
        EXPECT_EQ(settings.shortcutGuardSets.front().id, "set");
    }
}

TEST(DisableLegacyEnabledDefaultAssistFeaturesTest, SwitchesOffTheOldEnabledTextToolsOnly) {
    TextToolSettings oldDefault;
    oldDefault.plainCopy.isEnabled = oldDefault.plainPaste.isEnabled = oldDefault.characterCount.isEnabled = true;
    TextToolSettings fixedPosition = oldDefault;
    fixedPosition.characterCountHUDPosition = CharacterCountHUDPosition::fixed;
    TextToolSettings otherShortcut = oldDefault;
    otherShortcut.plainCopy.shortcut = commandControl("x");

    struct Case {
        const char* name;
        TextToolSettings tools;
        TextToolSettings expected;
    };
    const std::vector<Case> cases{
        {"old enabled default", oldDefault, TextToolSettings()},
        {"fixed HUD position", fixedPosition, fixedPosition},
        {"another shortcut", otherShortcut, otherShortcut},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TessarilSettings settings;
        settings.textTools = testCase.tools;
        disableLegacyEnabledDefaultAssistFeatures(settings);
        EXPECT_EQ(settings.textTools, testCase.expected);
    }
}

TEST(NormalizeShortcutBaseKeysTest, RewritesTextTriggersButNotGuards) {
    TessarilSettings settings;
    settings.textTools.plainCopy.shortcut = commandControl("C");
    FixedPhraseAssistSettings phrases;
    phrases.rules.emplace_back("id", "t", true, std::nullopt, "text");
    phrases.rules.back().trigger = commandControl("!");
    settings.appFixedPhraseAssistSettings["com.example.a"] = {"A", false, phrases};
    settings.fixedPhraseAssistSets.emplace_back("set", "Set", phrases, targets({"com.example.b"}));
    settings.writingAssist.quoteAssist.trigger = commandControl("\"");
    settings.globalShortcutGuard.rules.front().letter = "Q";

    normalizeShortcutBaseKeys(settings);

    EXPECT_EQ(settings.textTools.plainCopy.shortcut, commandControl("c"));
    EXPECT_EQ(settings.appFixedPhraseAssistSettings.at("com.example.a").fixedPhraseAssist.rules.front().trigger,
              commandControl("1"));
    EXPECT_EQ(settings.fixedPhraseAssistSets.front().value.rules.front().trigger, commandControl("1"));
    EXPECT_EQ(settings.writingAssist.quoteAssist.trigger, commandControl("'"));
    EXPECT_EQ(settings.globalShortcutGuard.rules.front().letter, "Q");
}

TEST(NormalizeImportedSettingsTest, CleansAnImportedDocument) {
    UUIDGenerator::ScopedOverride uuids(UUIDGenerator::sequential());
    TessarilSettings settings;
    settings.shortcutGuardSets.emplace_back("g1", "First", DoublePressGuardSettings(), targets({"com.example.a"}));
    settings.shortcutGuardSets.emplace_back("g2", "Second", DoublePressGuardSettings(), targets({"com.example.a", "com.example.b"}));
    settings.appKeypadShortcutHackSettings["com.example.keypad"] = {"", false, {}};
    settings.appKeypadShortcutHackSettings["com.example.keypad"].keypadShortcutHacks.asterisk.outputText = "$";
    settings.appShortcutGuardSettings["com.example.guard"] = guardEntry("", false);
    settings.appShortcutGuardSettings["com.example.guard"].doublePressGuard.timeoutMilliseconds = 9000;
    settings.appWritingAssistSettings["com.example.writing"] = {"", false, {}};
    settings.appFixedPhraseAssistSettings["com.example.phrases"] = {"", false, {}};
    settings.appShortcutGuardSettings["com.apple.systempreferences"] = guardEntry("Prefs");
    settings.appShortcutGuardSettings.erase("com.apple.finder");
    settings.writingAssistSets.emplace_back("w", "Writing", WritingAssistSettings(), targets({"com.example.c"}));
    settings.presetDisplayNames["laptop"] = "  P1 執筆 ";
    settings.usesPerKeyboardPresetAssignments = true;

    normalizeImportedSettings(settings);

    EXPECT_EQ(settings.shortcutGuardSets[0].appTargets, targets({"com.example.a"}));
    EXPECT_EQ(settings.shortcutGuardSets[1].appTargets, targets({"com.example.b"}));
    EXPECT_EQ(settings.appKeypadShortcutHackSettings.at("com.example.keypad").displayName, "com.example.keypad");
    EXPECT_EQ(settings.appKeypadShortcutHackSettings.at("com.example.keypad").keypadShortcutHacks.asterisk.outputText, "＊");
    EXPECT_EQ(settings.appShortcutGuardSettings.at("com.example.guard").displayName, "com.example.guard");
    EXPECT_EQ(settings.appShortcutGuardSettings.at("com.example.guard").doublePressGuard.timeoutMilliseconds, 5000);
    EXPECT_EQ(settings.appWritingAssistSettings.at("com.example.writing").displayName, "com.example.writing");
    EXPECT_TRUE(settings.appWritingAssistSettings.at("com.example.writing").writingAssist.pairAssistRules.empty());
    EXPECT_EQ(settings.appFixedPhraseAssistSettings.at("com.example.phrases").displayName, "com.example.phrases");
    EXPECT_FALSE(settings.appShortcutGuardSettings.contains("com.apple.systempreferences"));
    EXPECT_EQ(settings.appShortcutGuardSettings.at("com.apple.finder"), guardEntry("Finder", true));
    EXPECT_EQ(settings.writingAssistSets[0].value.pairAssistRules, WritingAssistSettings().effectivePairAssistRules());
    EXPECT_TRUE(settings.writingAssist.pairAssistRules.empty());
    EXPECT_TRUE(settings.presetDisplayNames.empty());
    EXPECT_TRUE(settings.usesPerKeyboardPresetAssignments) << "assignments are the store's business";
}

TEST(TessarilSettingsMigrationsTest, EveryRepairIsIdempotent) {
    UUIDGenerator::ScopedOverride uuids(UUIDGenerator::sequential());
    TessarilSettings messy;
    messy.globalShortcutGuard = oldEnabledGuard();
    messy.keypadShortcutHacks = keypadWithEnabledRules(5);
    messy.appShortcutGuardSettings["com.apple.SystemSettings"] = guardEntry("System Settings");
    messy.appKeypadShortcutHackSettings["com.example.a"] = {"", false, keypadWithEnabledRules(5)};
    messy.shortcutGuardSets.emplace_back("g1", "First", oldEnabledGuard(), targets({"com.example.a"}));
    messy.shortcutGuardSets.emplace_back("g2", "Second", oldEnabledGuard(), targets({"com.example.a"}));
    messy.writingAssistSets.emplace_back("w", "Writing", WritingAssistSettings(), targets({"com.example.c"}));
    messy.textTools.plainCopy.shortcut = commandControl("C");
    messy.keyboardPresetAssignments["keyboard-type:40"] = KeyboardPreset::compactUS;

    const std::vector<std::pair<const char*, std::function<void(TessarilSettings&)>>> repairs{
        {"removeLegacySystemSettingsShortcutTarget", removeLegacySystemSettingsShortcutTarget},
        {"disablePerKeyboardPresetAssignments", disablePerKeyboardPresetAssignments},
        {"normalizeShortcutBaseKeys", [](TessarilSettings& settings) { normalizeShortcutBaseKeys(settings); }},
        {"normalizeImportedSettings", normalizeImportedSettings},
        {"disableLegacyOptionalHelpersByDefault", disableLegacyOptionalHelpersByDefault},
        {"disableLegacyEnabledDefaultAssistFeatures", disableLegacyEnabledDefaultAssistFeatures},
        {"disableUnsafeKeypadHackDevelopmentDefaults", disableUnsafeKeypadHackDevelopmentDefaults},
    };
    for (const auto& [name, repair] : repairs) {
        SCOPED_TRACE(name);
        TessarilSettings once = messy;
        repair(once);
        EXPECT_NE(once, messy) << "the document has something to repair";
        TessarilSettings twice = once;
        repair(twice);
        EXPECT_EQ(twice, once);
    }
}

TEST(IsStandardAppShortcutGuardTargetTest, OnlyTheFinderExactly) {
    EXPECT_TRUE(isStandardAppShortcutGuardTarget("com.apple.finder"));
    EXPECT_FALSE(isStandardAppShortcutGuardTarget("com.apple.Finder"));
    EXPECT_FALSE(isStandardAppShortcutGuardTarget(" com.apple.finder"));
}

} // namespace
} // namespace tessaril
