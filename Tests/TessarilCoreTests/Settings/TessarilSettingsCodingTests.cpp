#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"
#include "TessarilCoreTests/Settings/SettingsTestSupport.hpp"

namespace tessaril {
namespace {

TessarilSettings decoded(const std::string& json) { return coding::decode<TessarilSettings>(Json::parse(json)); }

std::string repeated(std::string_view unit, std::size_t count) {
    std::string text;
    for (std::size_t index = 0; index < count; ++index) text += unit;
    return text;
}

TEST(TessarilSettingsCodingTests, EmptyObjectDecodesToTheDefaultDocument) {
    auto settings = decoded("{}");
    EXPECT_EQ(settings, TessarilSettings{});
    EXPECT_EQ(settings.activePreset, KeyboardPreset::laptop);
    EXPECT_EQ(settings.activeCustomPresetID, std::nullopt);
    EXPECT_FALSE(settings.usesPerKeyboardPresetAssignments);
    EXPECT_TRUE(settings.presetDisplayNames.empty());
    EXPECT_TRUE(settings.customPresets.empty());
    ASSERT_EQ(settings.appShortcutGuardSettings.size(), 1u);
    const auto& finder = settings.appShortcutGuardSettings.at("com.apple.finder");
    EXPECT_EQ(finder.displayName, "Finder");
    EXPECT_TRUE(finder.usesDefaultShortcutGuard);
    EXPECT_EQ(finder.doublePressGuard, DoublePressGuardSettings{});
    EXPECT_FALSE(finder.doublePressGuard.isEnabled);
    EXPECT_EQ(finder.doublePressGuard.timeoutMilliseconds, 700);
    EXPECT_EQ(finder.doublePressGuard.shortcuts, DoublePressGuardSettings::defaultShortcuts());
    EXPECT_EQ(settings.profiles.laptop, defaultRuleEngineSettings(KeyboardPreset::laptop));
    EXPECT_EQ(settings.keypadShortcutHacks, KeypadShortcutHackSettings{});
}

TEST(TessarilSettingsCodingTests, NullKeysTakeTheirDefaults) {
    std::string json = "{";
    for (const char* key : {"activePreset", "activeCustomPresetID", "usesPerKeyboardPresetAssignments",
                            "keyboardPresetAssignments", "keyboardCustomPresetAssignments", "customPresets",
                            "globalShortcutGuard", "appShortcutGuardSettings", "writingAssist",
                            "appWritingAssistSettings", "textTools", "fixedPhraseAssist",
                            "appFixedPhraseAssistSettings", "keypadShortcutHacks", "appKeypadShortcutHackSettings",
                            "shortcutGuardSets", "keypadShortcutHackSets", "writingAssistSets",
                            "fixedPhraseAssistSets", "presetDisplayNames", "profiles"}) {
        json += std::string(json.size() > 1 ? "," : "") + "\"" + key + "\":null";
    }
    json += ",\"unknownKey\":[1,2]}";
    EXPECT_EQ(decoded(json), TessarilSettings{});
}

TEST(TessarilSettingsCodingTests, FinderEntryKeepsItsGuardButIsRenamed) {
    auto settings = decoded(R"({"appShortcutGuardSettings":{"com.apple.finder":{
        "displayName":"Files","usesDefaultShortcutGuard":false,
        "doublePressGuard":{"isEnabled":true,"timeoutMilliseconds":450}}}})");
    const auto& finder = settings.appShortcutGuardSettings.at("com.apple.finder");
    EXPECT_EQ(finder.displayName, "Finder");
    EXPECT_FALSE(finder.usesDefaultShortcutGuard);
    EXPECT_TRUE(finder.doublePressGuard.isEnabled);
    EXPECT_EQ(finder.doublePressGuard.timeoutMilliseconds, 450);
}

TEST(TessarilSettingsCodingTests, MissingFinderEntryCopiesTheGlobalGuard) {
    auto settings = decoded(R"({"globalShortcutGuard":{"isEnabled":true,"timeoutMilliseconds":1000},
        "appShortcutGuardSettings":{"com.example.app":{"displayName":"App"}}})");
    ASSERT_EQ(settings.appShortcutGuardSettings.size(), 2u);
    const auto& finder = settings.appShortcutGuardSettings.at("com.apple.finder");
    EXPECT_TRUE(finder.usesDefaultShortcutGuard);
    EXPECT_EQ(finder.doublePressGuard, settings.globalShortcutGuard);
    EXPECT_EQ(settings.appShortcutGuardSettings.at("com.example.app").displayName, "App");
}

TEST(TessarilSettingsCodingTests, PresetDisplayNamesAreNormalised) {
    struct Case {
        const char* name;
        Json names;
        std::map<std::string, std::string> expected;
    };
    const std::vector<Case> cases{
        {"trimmed, default, unknown key and blank",
         {{"laptop", "  Writing  "}, {"compactUS", "P2 英語"}, {"fullSize", "Code"}, {"fullSizeUS", "   "}},
         {{"laptop", "Writing"}}},
        {"cut to 24 characters", {{"compactUS", repeated("語", 30)}}, {{"compactUS", repeated("語", 24)}}},
        {"default after trimming", {{"laptop", "\n P1 執筆\t"}}, {}},
        {"blanks left by the cut", {{"fullSizeUS", repeated("x", 22) + "   tail"}}, {{"fullSizeUS", repeated("x", 22)}}},
        {"default left by the cut", {{"laptop", "P1 執筆" + repeated(" ", 20) + "more"}}, {}},
        {"case of the key matters", {{"Laptop", "Mine"}}, {}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        Json document{{"presetDisplayNames", testCase.names}};
        auto settings = coding::decode<TessarilSettings>(document);
        EXPECT_EQ(settings.presetDisplayNames, testCase.expected);
        EXPECT_EQ(coding::decode<TessarilSettings>(coding::encode(settings)), settings);
    }
}

TEST(TessarilSettingsCodingTests, GlobalKeypadHacksWithoutKeyComeFromTheActivePresetsProfile) {
    KeypadShortcutHackSettings compactHacks;
    compactHacks.usesKeypadEqualCombo = true;
    compactHacks.hyphen.outputText = "ー";
    RuleEngineSettings compact;
    compact.keypadShortcutHacks = compactHacks;
    Json profiles{{"laptop", Json::object()},
                  {"compactUS", coding::encode(compact)},
                  {"fullSizeUS", Json::object()}};

    auto fromProfile = coding::decode<TessarilSettings>(Json{{"activePreset", "compactUS"}, {"profiles", profiles}});
    EXPECT_EQ(fromProfile.keypadShortcutHacks, compactHacks);
    EXPECT_EQ(fromProfile.profiles.compactUS, compact);

    auto laptop = coding::decode<TessarilSettings>(Json{{"profiles", profiles}});
    EXPECT_EQ(laptop.keypadShortcutHacks, KeypadShortcutHackSettings{});

    auto ownKey = coding::decode<TessarilSettings>(
        Json{{"activePreset", "compactUS"}, {"profiles", profiles}, {"keypadShortcutHacks", Json::object()}});
    EXPECT_EQ(ownKey.keypadShortcutHacks, KeypadShortcutHackSettings{});
}

TEST(TessarilSettingsCodingTests, MalformedPresentKeyFailsTheWholeDocument) {
    struct Case {
        const char* json;
        const char* description;
    };
    const Case cases[] = {
        {R"({"usesPerKeyboardPresetAssignments":"yes"})",
         "Expected to decode Bool but found a string instead. (at usesPerKeyboardPresetAssignments)"},
        {R"({"activePreset":"desktop"})",
         "Cannot initialize KeyboardPreset from invalid String value desktop (at activePreset)"},
        {R"({"activeCustomPresetID":7})", "Expected to decode String but found a number instead. (at activeCustomPresetID)"},
        {R"({"keyboardPresetAssignments":{"keyboard-type:40":"big"}})",
         "Cannot initialize KeyboardPreset from invalid String value big (at keyboardPresetAssignments.keyboard-type:40)"},
        {R"({"keyboardCustomPresetAssignments":[]})",
         "Expected to decode Dictionary (a dictionary) but found an array instead. (at keyboardCustomPresetAssignments)"},
        {R"({"customPresets":[{"id":"A","name":"A"}]})",
         "No value associated with key \"settings\". (at customPresets[0])"},
        {R"({"appShortcutGuardSettings":{"com.apple.finder":{}}})",
         "No value associated with key \"displayName\". (at appShortcutGuardSettings.com.apple.finder)"},
        {R"({"appKeypadShortcutHackSettings":{"x":{"displayName":1}}})",
         "Expected to decode String but found a number instead. (at appKeypadShortcutHackSettings.x.displayName)"},
        {R"({"shortcutGuardSets":[{"id":"S"}]})", "No value associated with key \"value\". (at shortcutGuardSets[0])"},
        {R"({"profiles":{"laptop":{},"compactUS":{}}})", "No value associated with key \"fullSizeUS\". (at profiles)"},
        {R"({"presetDisplayNames":{"laptop":5}})",
         "Expected to decode String but found a number instead. (at presetDisplayNames.laptop)"},
        {R"({"globalShortcutGuard":{"timeoutMilliseconds":700.5}})",
         "Number 700.5 is not an integer. (at globalShortcutGuard.timeoutMilliseconds)"},
        {R"([])", "Expected to decode TessarilSettings (a dictionary) but found an array instead."},
    };
    for (const auto& testCase : cases) {
        testing::expectDecodingFailure<TessarilSettings>(testCase.json, testCase.description);
    }
}

std::vector<std::string> keysOf(const Json& object) {
    std::vector<std::string> keys;
    for (auto entry = object.begin(); entry != object.end(); ++entry) keys.push_back(entry.key());
    return keys;
}

TEST(TessarilSettingsCodingTests, EncodesTwentyKeysOrTwentyOneWithTheActiveCustomPreset) {
    const std::vector<std::string> allKeys{
        "activeCustomPresetID", "activePreset", "appFixedPhraseAssistSettings", "appKeypadShortcutHackSettings",
        "appShortcutGuardSettings", "appWritingAssistSettings", "customPresets", "fixedPhraseAssist",
        "fixedPhraseAssistSets", "globalShortcutGuard", "keyboardCustomPresetAssignments", "keyboardPresetAssignments",
        "keypadShortcutHackSets", "keypadShortcutHacks", "presetDisplayNames", "profiles", "shortcutGuardSets",
        "textTools", "usesPerKeyboardPresetAssignments", "writingAssist", "writingAssistSets"};
    auto withoutActive = allKeys;
    withoutActive.erase(withoutActive.begin());

    auto defaults = coding::encode(TessarilSettings{});
    EXPECT_EQ(keysOf(defaults), withoutActive);
    EXPECT_EQ(defaults.at("keyboardPresetAssignments"), Json::object());
    EXPECT_EQ(defaults.at("customPresets"), Json::array());
    EXPECT_EQ(defaults.at("activePreset"), "laptop");
    EXPECT_EQ(keysOf(coding::encode(testing::documentWithEveryField())), allKeys);
}

TEST(TessarilSettingsCodingTests, EncodedDocumentsDecodeEqual) {
    UUIDGenerator::ScopedOverride guard(UUIDGenerator::sequential());
    auto withUUIDs = decoded(R"({"shortcutGuardSets":[{"value":{}}],"fixedPhraseAssist":{"rules":[{"title":"t"}]}})");
    struct Case {
        const char* name;
        TessarilSettings settings;
    };
    const std::vector<Case> cases{
        {"defaults", TessarilSettings{}},
        {"every field", testing::documentWithEveryField()},
        {"generated identifiers", withUUIDs},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        auto text = coding::encode(testCase.settings).dump();
        auto again = coding::decode<TessarilSettings>(Json::parse(text));
        EXPECT_EQ(again, testCase.settings);
        EXPECT_EQ(coding::encode(again).dump(), text);
    }
}

TEST(TessarilSettingsCodingTests, DecodingADecodedDocumentAgainChangesNothing) {
    // Untidy input: names needing trims and cuts, repeated and blank targets, long identifiers.
    auto settings = decoded(R"({
        "presetDisplayNames":{"laptop":"  )" + repeated("ab", 11) + R"(   cd  "},
        "writingAssistSets":[{"name":" )" + repeated("n", 31) + R"(   x","value":{},
            "appTargets":[{"bundleIdentifier":" com.)" + repeated("z", 70) + R"( ","displayName":" "},
                          {"bundleIdentifier":"com.b","displayName":")" + repeated("b", 63) + R"(  c"},
                          {"bundleIdentifier":"com.b","displayName":"dup"},
                          {"bundleIdentifier":"","displayName":"none"}]}]})");
    EXPECT_EQ(settings.presetDisplayNames.at("laptop"), repeated("ab", 11));
    const auto& set = settings.writingAssistSets.at(0);
    EXPECT_EQ(set.name, repeated("n", 31));
    ASSERT_EQ(set.appTargets.size(), 2u);
    EXPECT_EQ(set.appTargets[0].displayName, repeated("b", 63));
    EXPECT_EQ(set.appTargets[1].displayName, "com." + repeated("z", 70));
    EXPECT_EQ(coding::decode<TessarilSettings>(coding::encode(settings)), settings);
}

TEST(TessarilSettingsCodingTests, EqualityFollowsListOrderButNotMapOrder) {
    auto settings = testing::documentWithEveryField();
    auto reordered = settings;
    std::swap(reordered.customPresets[0], reordered.customPresets[1]);
    EXPECT_NE(reordered, settings);

    Json first = Json::parse(R"({"presetDisplayNames":{"laptop":"A","compactUS":"B"}})");
    Json second = Json::parse(R"({"presetDisplayNames":{"compactUS":"B","laptop":"A"}})");
    EXPECT_EQ(coding::decode<TessarilSettings>(first), coding::decode<TessarilSettings>(second));

    auto changedProfile = settings;
    changedProfile.profiles.laptop.modifierGraceWindowMilliseconds = 0;
    EXPECT_NE(changedProfile, settings);
}

TEST(TessarilSettingsCodingTests, MemberwiseConstructionNormalises) {
    DoublePressGuardSettings guard(true, 1000, DoublePressGuardSettings::defaultShortcuts());
    auto settings = TessarilSettings::memberwise([&](TessarilSettings& fields) {
        fields.globalShortcutGuard = guard;
        fields.presetDisplayNames = {{"compactUS", " Mine "}, {"other", "x"}};
    });
    EXPECT_EQ(settings.appShortcutGuardSettings.at("com.apple.finder").doublePressGuard, guard);
    EXPECT_EQ(settings.presetDisplayNames, (std::map<std::string, std::string>{{"compactUS", "Mine"}}));
}

TEST(TessarilSettingsCodingTests, EnsureStandardTargetRepairsDirectWrites) {
    TessarilSettings settings;
    settings.appShortcutGuardSettings.clear();
    settings.globalShortcutGuard.isEnabled = true;
    settings.ensureStandardAppShortcutGuardTargets();
    EXPECT_EQ(settings.appShortcutGuardSettings.at("com.apple.finder"),
              (AppShortcutGuardSettings{"Finder", true, settings.globalShortcutGuard}));

    settings.appShortcutGuardSettings.at("com.apple.finder").displayName = "Renamed";
    settings.appShortcutGuardSettings.at("com.apple.finder").usesDefaultShortcutGuard = false;
    settings.ensureStandardAppShortcutGuardTargets();
    EXPECT_EQ(settings.appShortcutGuardSettings.at("com.apple.finder").displayName, "Finder");
    EXPECT_FALSE(settings.appShortcutGuardSettings.at("com.apple.finder").usesDefaultShortcutGuard);
}

} // namespace
} // namespace tessaril
