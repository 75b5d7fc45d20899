#include <gtest/gtest.h>

#include "TessarilCore/Settings/AppKeypadShortcutHackSettings.hpp"
#include "TessarilCoreTests/Settings/SettingsTestSupport.hpp"

namespace tessaril {
namespace {

TEST(AppKeypadShortcutHackSettingsTests, MissingOrNullKeysTakeTheirDefaults) {
    for (const char* json : {R"({"displayName":"Editor"})",
                             R"({"displayName":"Editor","usesDefaultKeypadShortcutHacks":null,"keypadShortcutHacks":null})"}) {
        SCOPED_TRACE(json);
        auto entry = coding::decode<AppKeypadShortcutHackSettings>(Json::parse(json));
        EXPECT_EQ(entry.displayName, "Editor");
        EXPECT_FALSE(entry.usesDefaultKeypadShortcutHacks);
        EXPECT_EQ(entry.keypadShortcutHacks, KeypadShortcutHackSettings{});
    }
}

TEST(AppKeypadShortcutHackSettingsTests, RoundTripsAllThreeKeys) {
    AppKeypadShortcutHackSettings entry{"Terminal", true, KeypadShortcutHackSettings{}};
    entry.keypadShortcutHacks.usesKeypadEqualCombo = true;
    entry.keypadShortcutHacks.slash.isEnabled = true;
    auto json = coding::encode(entry);
    EXPECT_EQ(json.size(), 3u);
    EXPECT_EQ(json.at("displayName"), "Terminal");
    EXPECT_EQ(json.at("usesDefaultKeypadShortcutHacks"), true);
    EXPECT_EQ(coding::decode<AppKeypadShortcutHackSettings>(json), entry);
}

TEST(AppKeypadShortcutHackSettingsTests, RejectsMissingNameAndWrongTypes) {
    struct Case {
        const char* json;
        const char* description;
    };
    const Case cases[] = {
        {R"({})", "No value associated with key \"displayName\"."},
        {R"({"displayName":"X","usesDefaultKeypadShortcutHacks":"yes"})",
         "Expected to decode Bool but found a string instead. (at usesDefaultKeypadShortcutHacks)"},
    };
    for (const auto& testCase : cases) {
        testing::expectDecodingFailure<AppKeypadShortcutHackSettings>(testCase.json, testCase.description);
    }
}

} // namespace
} // namespace tessaril
