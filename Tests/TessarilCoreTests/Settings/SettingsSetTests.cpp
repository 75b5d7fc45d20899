#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TessarilCore/Settings/AppShortcutGuardTarget.hpp"
#include "TessarilCore/Settings/SettingsSet.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"
#include "TessarilCoreTests/Settings/SettingsTestSupport.hpp"

namespace tessaril {

// A stand-in feature value, so that the set's own rules are tested apart from the real records.
struct SampleFeature {
    std::int64_t level = 0;
    friend bool operator==(const SampleFeature&, const SampleFeature&) = default;
};

template <> struct JSONCoding<SampleFeature> {
    static Json encode(const SampleFeature& value) { return Json{{"level", value.level}}; }
    static SampleFeature decode(const Json& value) {
        coding::expectObject(value, "SampleFeature");
        return SampleFeature{coding::decodeRequired<std::int64_t>(value, "level")};
    }
};

namespace {

using Target = SettingsSetAppTarget;
using SampleSet = SettingsSet<SampleFeature>;

std::string repeated(std::string_view unit, std::size_t count) {
    std::string text;
    for (std::size_t index = 0; index < count; ++index) text += unit;
    return text;
}

TEST(SettingsSetAppTargetTests, CleansIdentifierAndDisplayName) {
    struct Case {
        std::string identifier;
        std::string name;
        std::string expectedIdentifier;
        std::string expectedName;
    };
    const std::vector<Case> cases{
        {"  com.example.app\n", " \t ", "com.example.app", "com.example.app"},
        {"com.example.app", "  Editor \n", "com.example.app", "Editor"},
        {"com.example.app", repeated("あ", 70), "com.example.app", repeated("あ", 64)},
        {"com.example.app", repeated("e\u0301", 64), "com.example.app", repeated("e\u0301", 64)},
        // The cut must not leave blanks at the end.
        {"com.example.app", repeated("a", 63) + "   tail", "com.example.app", repeated("a", 63)},
        // The identifier standing in for the name is never cut.
        {"com." + repeated("x", 80), "", "com." + repeated("x", 80), "com." + repeated("x", 80)},
        {"com." + repeated("x", 80), " com." + repeated("x", 80), "com." + repeated("x", 80), "com." + repeated("x", 80)},
        {"", "Name", "", "Name"},
        {"", "", "", ""},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.identifier + " / " + testCase.name);
        Target target(testCase.identifier, testCase.name);
        EXPECT_EQ(target.bundleIdentifier, testCase.expectedIdentifier);
        EXPECT_EQ(target.displayName, testCase.expectedName);
        // Cleaning a clean target changes nothing.
        EXPECT_EQ(Target(target.bundleIdentifier, target.displayName), target);
    }
}

TEST(SettingsSetAppTargetTests, DecodesBothKeysAsTheyStand) {
    auto target = coding::decode<Target>(Json::parse(R"({"bundleIdentifier":" a ","displayName":"","x":1})"));
    EXPECT_EQ(target.bundleIdentifier, " a ");
    EXPECT_EQ(target.displayName, "");
    EXPECT_EQ(coding::encode(target), Json::parse(R"({"bundleIdentifier":" a ","displayName":""})"));
    EXPECT_THROW(coding::decode<Target>(Json::parse(R"({"bundleIdentifier":"a"})")), DecodingError);
    EXPECT_THROW(coding::decode<Target>(Json::parse(R"({"displayName":"a"})")), DecodingError);
    EXPECT_THROW(coding::decode<Target>(Json::parse(R"({"bundleIdentifier":"a","displayName":3})")), DecodingError);
}

std::vector<std::pair<std::string, std::string>> pairs(const std::vector<Target>& targets) {
    std::vector<std::pair<std::string, std::string>> result;
    for (const auto& target : targets) result.emplace_back(target.bundleIdentifier, target.displayName);
    return result;
}

Target raw(std::string identifier, std::string name) {
    Target target;
    target.bundleIdentifier = std::move(identifier);
    target.displayName = std::move(name);
    return target;
}

TEST(SettingsSetTests, TargetListKeepsFirstOfEachIdentifierAndDropsEmpty) {
    auto normalized = SampleSet::normalizedAppTargets({raw(" com.a.x ", "First"), raw("com.a.x", "Second"),
                                                       raw("  ", "Empty"), raw("com.b", " ")});
    EXPECT_EQ(pairs(normalized), (std::vector<std::pair<std::string, std::string>>{
                                     {"com.b", "com.b"}, {"com.a.x", "First"}}));
}

TEST(SettingsSetTests, TargetListSortsByDisplayNameNumericallyAndStably) {
    auto normalized = SampleSet::normalizedAppTargets({raw("id.10", "App 10"), raw("id.9", "App 9"),
                                                       raw("id.z", "zeta"), raw("id.x1", "Same"),
                                                       raw("id.alpha", "Alpha"), raw("id.x2", "same")});
    EXPECT_EQ(pairs(normalized), (std::vector<std::pair<std::string, std::string>>{{"id.alpha", "Alpha"},
                                                                                   {"id.9", "App 9"},
                                                                                   {"id.10", "App 10"},
                                                                                   {"id.x1", "Same"},
                                                                                   {"id.x2", "same"},
                                                                                   {"id.z", "zeta"}}));
    EXPECT_EQ(SampleSet::normalizedAppTargets(normalized), normalized);
}

TEST(SettingsSetTests, ConstructionAppliesIdentifierNameAndTargetRules) {
    UUIDGenerator::ScopedOverride guard(UUIDGenerator::sequential());
    SampleSet made("", "  ", SampleFeature{3}, {raw("b", "B"), raw("a", "A")});
    EXPECT_EQ(made.id, "00000000-0000-4000-8000-000000000001");
    EXPECT_EQ(made.name, "セット");
    EXPECT_EQ(made.value, SampleFeature{3});
    EXPECT_EQ(pairs(made.appTargets), (std::vector<std::pair<std::string, std::string>>{{"a", "A"}, {"b", "B"}}));

    struct Case {
        std::string name;
        std::string expected;
    };
    const std::vector<Case> names{
        {repeated("名", 40), repeated("名", 32)},
        {" Writing ", "Writing"},
        {repeated("x", 31) + "  y", repeated("x", 31)},
        {"\n", "セット"},
    };
    for (const auto& testCase : names) {
        SampleSet set(" keep ", testCase.name, {}, {});
        EXPECT_EQ(set.name, testCase.expected);
        EXPECT_EQ(set.id, " keep ");
    }
}

TEST(SettingsSetTests, TargetsAppComparesExactly) {
    SampleSet set("S", "Set", {}, {Target(std::string(AppShortcutGuardTarget::finderBundleIdentifier), "Finder")});
    EXPECT_TRUE(set.targetsApp("com.apple.finder"));
    EXPECT_FALSE(set.targetsApp(" com.apple.finder"));
    EXPECT_FALSE(set.targetsApp("com.apple.Finder"));
}

TEST(SettingsSetTests, NormalizeAppTargetsCleansAppendedTargets) {
    SampleSet set("S", "Set", {}, {Target("b.app", "Beta")});
    set.appTargets.push_back(raw(" a.app ", ""));
    set.appTargets.push_back(raw("b.app", "Other"));
    set.normalizeAppTargets();
    EXPECT_EQ(pairs(set.appTargets),
              (std::vector<std::pair<std::string, std::string>>{{"a.app", "a.app"}, {"b.app", "Beta"}}));
}

TEST(SettingsSetTests, DecodingFillsDefaultsAndCleans) {
    UUIDGenerator::ScopedOverride guard(UUIDGenerator::sequential());
    auto onlyValue = coding::decode<SampleSet>(Json::parse(R"({"value":{"level":1}})"));
    EXPECT_EQ(onlyValue.id, "00000000-0000-4000-8000-000000000001");
    EXPECT_EQ(onlyValue.name, "セット");
    EXPECT_TRUE(onlyValue.appTargets.empty());

    auto emptyID = coding::decode<SampleSet>(Json::parse(R"({"id":"","name":null,"value":{"level":1},"appTargets":null})"));
    EXPECT_EQ(emptyID.id, "00000000-0000-4000-8000-000000000002");
    EXPECT_EQ(emptyID.name, "セット");

    auto full = coding::decode<SampleSet>(Json::parse(
        R"({"id":"X","name":"  Docs ","value":{"level":2},
            "appTargets":[{"bundleIdentifier":"z","displayName":"Zed"},{"bundleIdentifier":" a ","displayName":""}]})"));
    EXPECT_EQ(full.id, "X");
    EXPECT_EQ(full.name, "Docs");
    EXPECT_EQ(pairs(full.appTargets), (std::vector<std::pair<std::string, std::string>>{{"a", "a"}, {"z", "Zed"}}));
    EXPECT_EQ(coding::encode(full), Json::parse(R"({"id":"X","name":"Docs","value":{"level":2},
        "appTargets":[{"bundleIdentifier":"a","displayName":"a"},{"bundleIdentifier":"z","displayName":"Zed"}]})"));
    EXPECT_EQ(coding::decode<SampleSet>(coding::encode(full)), full);
}

TEST(SettingsSetTests, DecodingFailsOnMissingValueOrWrongTypes) {
    struct Case {
        const char* json;
        const char* description;
    };
    const Case cases[] = {
        {R"({"id":"X"})", "No value associated with key \"value\"."},
        {R"({"id":5,"value":{"level":1}})", "Expected to decode String but found a number instead. (at id)"},
        {R"({"value":{"level":1},"appTargets":{}})",
         "Expected to decode Array (an array) but found a dictionary instead. (at appTargets)"},
        {R"({"value":{"level":1},"appTargets":[{"bundleIdentifier":"a"}]})",
         "No value associated with key \"displayName\". (at appTargets[0])"},
    };
    for (const auto& testCase : cases) {
        testing::expectDecodingFailure<SampleSet>(testCase.json, testCase.description);
    }
}

TEST(AppShortcutGuardTargetTests, OnlyTheExactFinderIdentifierIsStandard) {
    EXPECT_TRUE(AppShortcutGuardTarget::isStandardTarget("com.apple.finder"));
    EXPECT_FALSE(AppShortcutGuardTarget::isStandardTarget("com.apple.Finder"));
    EXPECT_FALSE(AppShortcutGuardTarget::isStandardTarget("com.apple.finder "));
}

} // namespace
} // namespace tessaril
