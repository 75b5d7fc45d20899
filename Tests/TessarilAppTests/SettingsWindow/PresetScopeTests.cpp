#include <gtest/gtest.h>

#include "TessarilApp/AppKit/Automation/UIDriver.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/SettingsWindow/PresetScopeControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"

namespace tessaril {
namespace {

using Selection = std::optional<PresetScopeSelection>;

TEST(PresetScopeTests, IdentifiersReadAsARuleKeyAndAPresetOrAll) {
    const std::vector<std::pair<std::string, Selection>> cases{
        {"keypad:period|compactUS", PresetScopeSelection{"keypad:period", KeyboardPreset::compactUS}},
        {"keypad:period|all", PresetScopeSelection{"keypad:period", std::nullopt}},
        // An imported pair rule id may contain "|": the preset is what follows the last one.
        {"pair:imported|id|laptop", PresetScopeSelection{"pair:imported|id", KeyboardPreset::laptop}},
        {"keypad:period|tablet", std::nullopt},
        {"keypad:period", std::nullopt},
        {"keypad:period|", std::nullopt},
        {"|all", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [identifier, expected] : cases) EXPECT_EQ(presetScopeSelection(identifier), expected) << identifier;

    TessarilButton unnamed;
    EXPECT_EQ(presetScopeSelection(unnamed), std::nullopt);
}

TEST(PresetScopeTests, TickingAndUntickingGiveOnlyBuiltInPresets) {
    const KeyboardPresetSet all = KeyboardPresetSet::all();
    struct Case {
        KeyboardPresetSet current;
        std::optional<KeyboardPreset> preset;
        bool isOn;
        KeyboardPresetSet expected;
    };
    const std::vector<Case> cases{
        {all, std::nullopt, false, {}},
        {{}, std::nullopt, true, all},
        {{}, KeyboardPreset::laptop, true, {KeyboardPreset::laptop}},
        {all, KeyboardPreset::compactUS, false, {KeyboardPreset::laptop, KeyboardPreset::fullSizeUS}},
        {{KeyboardPreset::compactUS}, KeyboardPreset::compactUS, true, {KeyboardPreset::compactUS}},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(updatedPresetScope(entry.current, entry.preset, entry.isOn), entry.expected);
    }
}

TEST(PresetScopeTests, TheRowTicksAllOnlyForEveryPresetAndADisabledRowCannotBeClicked) {
    int clicks = 0;
    const appkit::Action action{"toggleKeypadHackPresetScope:", [&](appkit::Control&) { ++clicks; }};
    const auto states = [](appkit::StackView* row) {
        std::vector<std::string> result;
        for (const auto& view : row->arrangedSubviews()) {
            const auto description = appkit::UIDriver::describe(*static_cast<TessarilButton*>(view.data()));
            result.push_back(description["identifier"].get<std::string>() + "=" + description["state"].get<std::string>() +
                             (description["enabled"].get<bool>() ? "" : " disabled"));
        }
        delete row;
        return result;
    };
    EXPECT_EQ(states(makePresetScopeControls(KeyboardPresetSet::all(), "keypad:slash", action, true)),
              (std::vector<std::string>{"keypad:slash|all=on", "keypad:slash|laptop=on", "keypad:slash|compactUS=on",
                                        "keypad:slash|fullSizeUS=on"}));
    EXPECT_EQ(states(makePresetScopeControls({KeyboardPreset::compactUS}, "shortcut:q", action, false)),
              (std::vector<std::string>{"shortcut:q|all=off disabled", "shortcut:q|laptop=off disabled",
                                        "shortcut:q|compactUS=on disabled", "shortcut:q|fullSizeUS=off disabled"}));

    auto* row = makePresetScopeControls({}, "pair:x", action, false);
    static_cast<TessarilButton*>(row->arrangedSubviews().front().data())->click();
    delete row;
    EXPECT_EQ(clicks, 0);
}

TEST(PresetScopeTests, TheTargetPopupReadsTheDefaultAsNoApplication) {
    appkit::PopUpButton popup;
    EXPECT_EQ(selectedAppTargetBundleIdentifier(popup), std::nullopt);
    popup.addItem("デフォルト", "__default__");
    popup.addSeparator();
    popup.addItem("Safari", "com.apple.Safari");
    popup.addItem("値なし");
    const std::vector<std::pair<int, std::optional<std::string>>> cases{
        {0, std::nullopt}, {2, "com.apple.Safari"}, {3, std::nullopt}};
    for (const auto& [index, expected] : cases) {
        popup.selectItem(index);
        EXPECT_EQ(selectedAppTargetBundleIdentifier(popup), expected) << index;
    }
}

} // namespace
} // namespace tessaril
