#include <gtest/gtest.h>

#include "TessarilCore/Settings/AppShortcutGuardSettings.hpp"
#include "TessarilCoreTests/Settings/SettingsTestSupport.hpp"

namespace tessaril {
namespace {

TEST(AppShortcutGuardSettingsTests, OnlyDisplayNameGivesAnOwnDisabledDefaultGuard) {
    auto entry = coding::decode<AppShortcutGuardSettings>(Json::parse(R"({"displayName":"Safari"})"));
    EXPECT_EQ(entry.displayName, "Safari");
    EXPECT_FALSE(entry.usesDefaultShortcutGuard);
    EXPECT_FALSE(entry.doublePressGuard.isEnabled);
    EXPECT_EQ(entry.doublePressGuard.timeoutMilliseconds, 700);
    EXPECT_EQ(entry.doublePressGuard.shortcuts,
              (DoublePressGuardSettings::ShortcutSet{Shortcut::commandQ(), Shortcut::commandW(), Shortcut::commandD()}));
}

TEST(AppShortcutGuardSettingsTests, RoundTripsAndRejectsMalformedKeys) {
    AppShortcutGuardSettings entry{"Mail", true, DoublePressGuardSettings(true, 1000, {Shortcut::commandW()})};
    auto json = coding::encode(entry);
    EXPECT_EQ(json.size(), 3u);
    EXPECT_EQ(json.at("usesDefaultShortcutGuard"), true);
    EXPECT_EQ(coding::decode<AppShortcutGuardSettings>(json), entry);

    struct Case {
        const char* json;
        const char* description;
    };
    const Case cases[] = {
        {R"({"usesDefaultShortcutGuard":true})", "No value associated with key \"displayName\"."},
        {R"({"displayName":"X","doublePressGuard":[]})",
         "Expected to decode DoublePressGuardSettings (a dictionary) but found an array instead. (at doublePressGuard)"},
    };
    for (const auto& testCase : cases) {
        testing::expectDecodingFailure<AppShortcutGuardSettings>(testCase.json, testCase.description);
    }
}

} // namespace
} // namespace tessaril
