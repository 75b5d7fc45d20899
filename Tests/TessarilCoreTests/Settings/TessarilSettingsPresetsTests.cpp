#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilCoreTests/Settings/SettingsTestSupport.hpp"

namespace tessaril {
namespace {

using Reference = KeyboardPresetReference;
using testing::distinctRuleEngineSettings;

const KeyboardIdentifier keyboardK = KeyboardIdentifier::keyboardType(40);
const KeyboardIdentifier keyboardL = KeyboardIdentifier::keyboardType(59);

std::vector<std::string> presetNames(const TessarilSettings& settings) {
    std::vector<std::string> names;
    for (const auto& preset : settings.customPresets) names.push_back(preset.name);
    return names;
}

// Every document these tests reach survives the store's round trip unchanged.
void expectRoundTrip(const TessarilSettings& settings) {
    EXPECT_EQ(coding::decode<TessarilSettings>(Json::parse(coding::encode(settings).dump())), settings);
}

// Laptop, compactUS and fullSizeUS profiles with left delays 1, 2 and 3 ms, and custom presets A (10 ms)
// and B (20 ms).
TessarilSettings documentWithPresets() {
    return TessarilSettings::memberwise([](TessarilSettings& settings) {
        settings.profiles = KeyboardPresetProfiles(distinctRuleEngineSettings(1), distinctRuleEngineSettings(2),
                                                   distinctRuleEngineSettings(3));
        settings.customPresets = {CustomKeyboardPreset{"A", "Alpha", distinctRuleEngineSettings(10)},
                                  CustomKeyboardPreset{"B", "Beta", distinctRuleEngineSettings(20)}};
    });
}

TEST(TessarilSettingsPresetsTests, ActiveReferenceFallsBackWhenTheCustomPresetIsMissing) {
    auto settings = documentWithPresets();
    settings.activePreset = KeyboardPreset::fullSizeUS;
    EXPECT_EQ(settings.activePresetReference(), Reference::builtIn(KeyboardPreset::fullSizeUS));

    settings.activeCustomPresetID = "missing";
    EXPECT_EQ(settings.activePresetReference(), Reference::builtIn(KeyboardPreset::fullSizeUS));
    EXPECT_EQ(settings.activeRuleEngineSettings().leftCommandDelayMilliseconds, 3);

    settings.activeCustomPresetID = "B";
    EXPECT_EQ(settings.activePresetReference(), Reference::custom("B"));
    EXPECT_EQ(settings.activeRuleEngineSettings().leftCommandDelayMilliseconds, 20);
}

TEST(TessarilSettingsPresetsTests, RuleEngineSettingsByReference) {
    auto settings = documentWithPresets();
    settings.activePreset = KeyboardPreset::compactUS;
    settings.customPresets.push_back(CustomKeyboardPreset{"A", "Second A", distinctRuleEngineSettings(99)});
    struct Case {
        Reference reference;
        std::int64_t expectedDelay;
        bool contained;
    };
    const std::vector<Case> cases{
        {Reference::builtIn(KeyboardPreset::laptop), 1, true},
        {Reference::builtIn(KeyboardPreset::fullSizeUS), 3, true},
        {Reference::custom("A"), 10, true},  // the first of two presets with that id
        {Reference::custom("missing"), 2, false},
        {Reference::custom(""), 2, false},
        {Reference::custom("a"), 2, false},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.reference.customID());
        EXPECT_EQ(settings.ruleEngineSettings(testCase.reference).leftCommandDelayMilliseconds, testCase.expectedDelay);
        EXPECT_EQ(settings.containsPresetReference(testCase.reference), testCase.contained);
    }
}

TEST(TessarilSettingsPresetsTests, PerKeyboardResolution) {
    auto settings = documentWithPresets();
    settings.activePreset = KeyboardPreset::laptop;
    settings.activeCustomPresetID = "B";
    settings.keyboardCustomPresetAssignments = {{keyboardK.rawValue, "A"}, {keyboardL.rawValue, "gone"}};
    settings.keyboardPresetAssignments = {{keyboardK.rawValue, KeyboardPreset::compactUS},
                                          {keyboardL.rawValue, KeyboardPreset::fullSizeUS}};
    const KeyboardIdentifier unassigned = KeyboardIdentifier::keyboardType(1);

    struct Case {
        bool usesAssignments;
        std::optional<KeyboardIdentifier> keyboard;
        Reference expected;
        KeyboardPreset expectedPreset;
        std::int64_t expectedDelay;
    };
    const std::vector<Case> cases{
        {false, keyboardK, Reference::custom("B"), KeyboardPreset::laptop, 20},
        {true, std::nullopt, Reference::custom("B"), KeyboardPreset::laptop, 20},
        {true, keyboardK, Reference::custom("A"), KeyboardPreset::laptop, 10},
        {true, keyboardL, Reference::builtIn(KeyboardPreset::fullSizeUS), KeyboardPreset::fullSizeUS, 3},
        {true, unassigned, Reference::custom("B"), KeyboardPreset::laptop, 20},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.keyboard ? testCase.keyboard->rawValue : "none");
        settings.usesPerKeyboardPresetAssignments = testCase.usesAssignments;
        EXPECT_EQ(settings.presetReference(testCase.keyboard), testCase.expected);
        EXPECT_EQ(settings.preset(testCase.keyboard), testCase.expectedPreset);
        EXPECT_EQ(settings.ruleEngineSettings(testCase.keyboard).leftCommandDelayMilliseconds, testCase.expectedDelay);
    }
    // The stale assignment is skipped, not removed.
    EXPECT_EQ(settings.keyboardCustomPresetAssignments.at(keyboardL.rawValue), "gone");
    expectRoundTrip(settings);
}

TEST(TessarilSettingsPresetsTests, DeletingACustomPresetRemovesItsAssignmentsAndActivation) {
    auto settings = documentWithPresets();
    settings.usesPerKeyboardPresetAssignments = true;
    settings.activePreset = KeyboardPreset::fullSizeUS;
    settings.activeCustomPresetID = "A";
    settings.customPresets.push_back(CustomKeyboardPreset{"A", "Duplicate", {}});
    settings.keyboardCustomPresetAssignments = {{keyboardK.rawValue, "A"}, {keyboardL.rawValue, "B"}};
    settings.keyboardPresetAssignments = {{keyboardK.rawValue, KeyboardPreset::compactUS}};
    EXPECT_EQ(settings.presetReference(keyboardK), Reference::custom("A"));

    settings.deleteCustomPreset("A");
    EXPECT_EQ(presetNames(settings), (std::vector<std::string>{"Beta"}));
    EXPECT_EQ(settings.keyboardCustomPresetAssignments,
              (std::map<std::string, std::string>{{keyboardL.rawValue, "B"}}));
    EXPECT_EQ(settings.keyboardPresetAssignments.size(), 1u);
    EXPECT_EQ(settings.activeCustomPresetID, std::nullopt);
    EXPECT_EQ(settings.presetReference(keyboardK), Reference::builtIn(KeyboardPreset::compactUS));
    EXPECT_EQ(settings.activePresetReference(), Reference::builtIn(KeyboardPreset::fullSizeUS));

    settings.activeCustomPresetID = "B";
    settings.deleteCustomPreset("A");  // nothing left to delete
    EXPECT_EQ(settings.activeCustomPresetID, "B");
    expectRoundTrip(settings);
}

TEST(TessarilSettingsPresetsTests, DisplayNamesAndRenaming) {
    TessarilSettings settings;
    EXPECT_EQ(settings.displayName(KeyboardPreset::laptop), "P1 執筆");
    EXPECT_EQ(settings.displayName(KeyboardPreset::compactUS), "P2 英語");
    EXPECT_EQ(settings.displayName(KeyboardPreset::fullSizeUS), "P3 コード");

    struct Step {
        KeyboardPreset preset;
        std::string name;
        std::map<std::string, std::string> expectedNames;
        std::string expectedDisplayName;
    };
    const std::vector<Step> steps{
        {KeyboardPreset::laptop, "  執筆用  ", {{"laptop", "執筆用"}}, "執筆用"},
        {KeyboardPreset::compactUS, std::string(30, 'c'), {{"laptop", "執筆用"}, {"compactUS", std::string(24, 'c')}},
         std::string(24, 'c')},
        {KeyboardPreset::laptop, "  P1 執筆  ", {{"compactUS", std::string(24, 'c')}}, "P1 執筆"},
        {KeyboardPreset::compactUS, "\n", {}, "P2 英語"},
        {KeyboardPreset::fullSizeUS, std::string(23, 'f') + "  g", {{"fullSizeUS", std::string(23, 'f')}},
         std::string(23, 'f')},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        settings.renamePreset(step.preset, step.name);
        EXPECT_EQ(settings.presetDisplayNames, step.expectedNames);
        EXPECT_EQ(settings.displayName(step.preset), step.expectedDisplayName);
        expectRoundTrip(settings);
    }

    // A stored name written directly is shown trimmed; a blank one shows the default.
    settings.presetDisplayNames["laptop"] = "  Direct ";
    settings.presetDisplayNames["compactUS"] = "  ";
    EXPECT_EQ(settings.displayName(KeyboardPreset::laptop), "Direct");
    EXPECT_EQ(settings.displayName(KeyboardPreset::compactUS), "P2 英語");
}

TEST(TessarilSettingsPresetsTests, CreatingCustomPresets) {
    auto settings = documentWithPresets();
    settings.activePreset = KeyboardPreset::compactUS;

    EXPECT_EQ(settings.createCustomPreset("   ", std::nullopt, "N1"), "N1");
    ASSERT_EQ(settings.customPresets.size(), 3u);
    EXPECT_EQ(settings.customPresets[2], (CustomKeyboardPreset{"N1", "Custom Preset", distinctRuleEngineSettings(2)}));
    EXPECT_EQ(settings.activeCustomPresetID, "N1");
    EXPECT_EQ(settings.activePresetReference(), Reference::custom("N1"));

    // With a custom preset active, a new preset copies its settings.
    settings.createCustomPreset(" Preset 10 ", std::nullopt, "N2");
    EXPECT_EQ(settings.customPresets.back().settings.leftCommandDelayMilliseconds, 2);
    settings.createCustomPreset("Preset 9", distinctRuleEngineSettings(77), "N3");
    EXPECT_EQ(presetNames(settings),
              (std::vector<std::string>{"Alpha", "Beta", "Custom Preset", "Preset 9", "Preset 10"}));
    EXPECT_EQ(settings.activeRuleEngineSettings().leftCommandDelayMilliseconds, 77);

    // Names are not cut; equal names keep their order.
    settings.createCustomPreset(std::string(40, 'z'), std::nullopt, "N4");
    settings.createCustomPreset("alpha", std::nullopt, "N5");
    EXPECT_EQ(settings.customPresets.back().name, std::string(40, 'z'));
    EXPECT_EQ(settings.customPresets[0].id, "A");
    EXPECT_EQ(settings.customPresets[1].id, "N5");
    expectRoundTrip(settings);
}

TEST(TessarilSettingsPresetsTests, RenamingCustomPresets) {
    auto settings = documentWithPresets();
    settings.renameCustomPreset("A", "  Zulu ");
    EXPECT_EQ(presetNames(settings), (std::vector<std::string>{"Beta", "Zulu"}));
    settings.renameCustomPreset("A", " \n ");
    settings.renameCustomPreset("missing", "Aardvark");
    EXPECT_EQ(presetNames(settings), (std::vector<std::string>{"Beta", "Zulu"}));
    EXPECT_EQ(settings.customPresets[1].id, "A");
    expectRoundTrip(settings);
}

TEST(TessarilSettingsPresetsTests, ActivationAndAssignment) {
    auto settings = documentWithPresets();
    EXPECT_FALSE(settings.setActiveCustomPreset("missing"));
    EXPECT_EQ(settings.activeCustomPresetID, std::nullopt);
    EXPECT_TRUE(settings.setActiveCustomPreset("B"));
    EXPECT_EQ(settings.activeCustomPresetID, "B");
    EXPECT_FALSE(settings.setActiveCustomPreset("gone"));
    EXPECT_EQ(settings.activeCustomPresetID, "B");

    settings.assignActivePreset(keyboardK);
    EXPECT_EQ(settings.keyboardCustomPresetAssignments, (std::map<std::string, std::string>{{keyboardK.rawValue, "B"}}));
    EXPECT_TRUE(settings.keyboardPresetAssignments.empty());

    settings.setActiveBuiltInPreset(KeyboardPreset::fullSizeUS);
    EXPECT_EQ(settings.activeCustomPresetID, std::nullopt);
    EXPECT_EQ(settings.activePreset, KeyboardPreset::fullSizeUS);
    settings.assignActivePreset(keyboardK);
    EXPECT_TRUE(settings.keyboardCustomPresetAssignments.empty());
    EXPECT_EQ(settings.keyboardPresetAssignments,
              (std::map<std::string, KeyboardPreset>{{keyboardK.rawValue, KeyboardPreset::fullSizeUS}}));

    settings.keyboardCustomPresetAssignments[keyboardK.rawValue] = "A";
    settings.clearAssignment(keyboardK);
    EXPECT_TRUE(settings.keyboardCustomPresetAssignments.empty());
    EXPECT_TRUE(settings.keyboardPresetAssignments.empty());
    expectRoundTrip(settings);
}

TEST(TessarilSettingsPresetsTests, UpdatingAndResettingSettings) {
    auto settings = documentWithPresets();
    int calls = 0;
    settings.updateRuleEngineSettings(Reference::custom("missing"), [&](RuleEngineSettings&) { ++calls; });
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(settings, documentWithPresets());

    settings.updateRuleEngineSettings(Reference::builtIn(KeyboardPreset::compactUS),
                                      [](RuleEngineSettings& edited) { edited.leftCommandDelayMilliseconds = 42; });
    EXPECT_EQ(settings.profiles.compactUS.leftCommandDelayMilliseconds, 42);
    EXPECT_EQ(settings.profiles.laptop, distinctRuleEngineSettings(1));
    EXPECT_EQ(settings.profiles.fullSizeUS, distinctRuleEngineSettings(3));

    settings.activeCustomPresetID = "B";
    settings.updateActiveRuleEngineSettings([](RuleEngineSettings& edited) { edited.leftCommandDelayMilliseconds = 5; });
    EXPECT_EQ(settings.customPresets[1].settings.leftCommandDelayMilliseconds, 5);

    auto profilesBefore = settings.profiles;
    settings.resetActivePresetToDefaults();
    EXPECT_EQ(settings.customPresets[1].settings, defaultRuleEngineSettings(KeyboardPreset::laptop));
    EXPECT_EQ(settings.customPresets[1].name, "Beta");
    EXPECT_EQ(settings.profiles, profilesBefore);

    settings.setActiveBuiltInPreset(KeyboardPreset::compactUS);
    settings.resetActivePresetToDefaults();
    EXPECT_EQ(settings.profiles.compactUS, defaultRuleEngineSettings(KeyboardPreset::compactUS));
    EXPECT_EQ(settings.profiles.laptop, distinctRuleEngineSettings(1));
    expectRoundTrip(settings);
}

TEST(KeyboardPresetProfilesTests, SubscriptReadsAndWritesOneField) {
    KeyboardPresetProfiles profiles(distinctRuleEngineSettings(1), distinctRuleEngineSettings(2),
                                    distinctRuleEngineSettings(3));
    EXPECT_EQ(profiles[KeyboardPreset::laptop].leftCommandDelayMilliseconds, 1);
    EXPECT_EQ(profiles[KeyboardPreset::fullSizeUS].leftCommandDelayMilliseconds, 3);
    profiles[KeyboardPreset::compactUS].leftCommandDelayMilliseconds = 50;
    EXPECT_EQ(profiles.compactUS.leftCommandDelayMilliseconds, 50);
    EXPECT_EQ(profiles.laptop, distinctRuleEngineSettings(1));
    EXPECT_EQ(profiles.fullSizeUS, distinctRuleEngineSettings(3));
}

TEST(KeyboardPresetProfilesTests, DecodingNeedsAllThreeKeys) {
    auto empty = coding::decode<KeyboardPresetProfiles>(Json::parse(R"({"laptop":{},"compactUS":{},"fullSizeUS":{}})"));
    EXPECT_EQ(empty, TessarilSettings::defaultProfiles());
    try {
        coding::decode<KeyboardPresetProfiles>(Json::parse(R"({"laptop":{},"compactUS":{}})"));
        ADD_FAILURE() << "decoded";
    } catch (const DecodingError& error) {
        EXPECT_EQ(error.kind(), DecodingError::Kind::keyNotFound);
        EXPECT_EQ(error.description(), "No value associated with key \"fullSizeUS\".");
    }
    KeyboardPresetProfiles profiles(distinctRuleEngineSettings(1), {}, {});
    EXPECT_EQ(coding::decode<KeyboardPresetProfiles>(coding::encode(profiles)), profiles);
}

TEST(CustomKeyboardPresetTests, EqualityAndCoding) {
    CustomKeyboardPreset preset{"ID", "Name", distinctRuleEngineSettings(8)};
    EXPECT_EQ(preset, (CustomKeyboardPreset{"ID", "Name", distinctRuleEngineSettings(8)}));
    EXPECT_NE(preset, (CustomKeyboardPreset{"ID", "Other", distinctRuleEngineSettings(8)}));
    EXPECT_EQ(coding::decode<CustomKeyboardPreset>(coding::encode(preset)), preset);

    auto untrimmed = coding::decode<CustomKeyboardPreset>(Json::parse(R"({"id":" x ","name":"","settings":{},"y":1})"));
    EXPECT_EQ(untrimmed, (CustomKeyboardPreset{" x ", "", RuleEngineSettings{}}));
    for (const char* json : {R"({"name":"n","settings":{}})", R"({"id":"i","settings":{}})", R"({"id":"i","name":"n"})",
                             R"({"id":"i","name":"n","settings":[]})"}) {
        SCOPED_TRACE(json);
        EXPECT_THROW(coding::decode<CustomKeyboardPreset>(Json::parse(json)), DecodingError);
    }
}

} // namespace
} // namespace tessaril
