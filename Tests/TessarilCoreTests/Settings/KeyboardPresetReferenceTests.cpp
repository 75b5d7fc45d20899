#include <gtest/gtest.h>

#include <unordered_set>

#include "TessarilCore/Settings/KeyboardPresetReference.hpp"
#include "TessarilCoreTests/Settings/SettingsTestSupport.hpp"

namespace tessaril {
namespace {

using Reference = KeyboardPresetReference;

TEST(KeyboardPresetReferenceTests, EqualityAndHashingSeparateTheTwoCases) {
    EXPECT_EQ(Reference::builtIn(KeyboardPreset::compactUS), Reference::builtIn(KeyboardPreset::compactUS));
    EXPECT_NE(Reference::builtIn(KeyboardPreset::laptop), Reference::builtIn(KeyboardPreset::fullSizeUS));
    EXPECT_NE(Reference::builtIn(KeyboardPreset::laptop), Reference::custom("laptop"));
    EXPECT_NE(Reference::custom(""), Reference::builtIn(KeyboardPreset::laptop));
    EXPECT_EQ(Reference::custom("A"), Reference::custom("A"));
    EXPECT_NE(Reference::custom("A"), Reference::custom("a"));

    std::unordered_set<Reference> references{Reference::builtIn(KeyboardPreset::laptop), Reference::custom("laptop"),
                                             Reference::custom("laptop"), Reference::custom("")};
    EXPECT_EQ(references.size(), 3u);
}

TEST(KeyboardPresetReferenceTests, AccessorsNameThePayload) {
    EXPECT_EQ(Reference::builtIn(KeyboardPreset::fullSizeUS).builtInPreset(), KeyboardPreset::fullSizeUS);
    EXPECT_EQ(Reference::custom("ID").builtInPreset(), std::nullopt);
    EXPECT_EQ(Reference::custom("ID").customID(), "ID");
    EXPECT_TRUE(Reference::custom("").isCustom());
}

TEST(KeyboardPresetReferenceTests, EncodesAsCaseObjectWithPayload) {
    EXPECT_EQ(coding::encode(Reference::builtIn(KeyboardPreset::laptop)), Json::parse(R"({"builtIn":{"_0":"laptop"}})"));
    EXPECT_EQ(coding::encode(Reference::builtIn(KeyboardPreset::compactUS)),
              Json::parse(R"({"builtIn":{"_0":"compactUS"}})"));
    EXPECT_EQ(coding::encode(Reference::custom("7F0C")), Json::parse(R"({"custom":{"_0":"7F0C"}})"));
    for (const auto& reference : {Reference::builtIn(KeyboardPreset::fullSizeUS), Reference::custom(""),
                                  Reference::custom("12AB-CD")}) {
        EXPECT_EQ(coding::decode<Reference>(coding::encode(reference)), reference);
    }
}

TEST(KeyboardPresetReferenceTests, DecodesTolerantOfForeignKeys) {
    EXPECT_EQ(coding::decode<Reference>(Json::parse(R"({"custom":{"_0":""}})")), Reference::custom(""));
    EXPECT_EQ(coding::decode<Reference>(Json::parse(R"({"note":1,"builtIn":{"_0":"fullSizeUS"}})")),
              Reference::builtIn(KeyboardPreset::fullSizeUS));
}

TEST(KeyboardPresetReferenceTests, RejectsMalformedObjects) {
    struct Case {
        const char* json;
        DecodingError::Kind kind;
        const char* description;
    };
    const Case cases[] = {
        {R"({})", DecodingError::Kind::typeMismatch, "Invalid number of keys found, expected one."},
        {R"({"other":{}})", DecodingError::Kind::typeMismatch, "Invalid number of keys found, expected one."},
        {R"({"builtIn":{"_0":"laptop"},"custom":{"_0":"x"}})", DecodingError::Kind::typeMismatch,
         "Invalid number of keys found, expected one."},
        {R"({"builtIn":{"_0":"Laptop"}})", DecodingError::Kind::dataCorrupted,
         "Cannot initialize KeyboardPreset from invalid String value Laptop (at builtIn._0)"},
        {R"({"builtIn":{}})", DecodingError::Kind::keyNotFound, "No value associated with key \"_0\". (at builtIn)"},
        {R"({"custom":{"_0":5}})", DecodingError::Kind::typeMismatch,
         "Expected to decode String but found a number instead. (at custom._0)"},
    };
    for (const auto& testCase : cases) {
        testing::expectDecodingFailure<Reference>(testCase.json, testCase.description, testCase.kind);
    }
}

} // namespace
} // namespace tessaril
