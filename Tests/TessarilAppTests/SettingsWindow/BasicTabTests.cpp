// The basic page driven through the real window: the Command keys of the preset being edited, the
// text tools and the character-count panel.
#include <string>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"

namespace tessaril {
namespace {

class BasicTabTests : public SettingsPageTest {
protected:
    // Key, summary and switch state of the four Command-key rows.
    std::vector<std::string> keyRows() {
        std::vector<std::string> rows;
        const auto states = each({.label = "状態"}, "state");
        for (std::size_t index = 0; index < 4; ++index) {
            const auto texts = labelsFrom(index < 2 ? (index == 0 ? "左⌘ 単独" : "右⌘ 単独") : comboTitles()[index - 2], 2);
            rows.push_back(texts[0] + " " + texts[1] + " " + states[index]);
        }
        return rows;
    }
    std::vector<std::string> comboTitles() {
        const auto& settings = delegate().settings.ruleEngineSettings(
            delegate().editingPresetReference.value_or(delegate().settings.activePresetReference()));
        const auto symbol = [](CompanionModifier modifier) {
            return modifier == CompanionModifier::shift ? "⇧" : modifier == CompanionModifier::option ? "⌥" : "⌃";
        };
        return {std::string(symbol(settings.leftCommandCompanionModifier)) + "+左⌘",
                std::string(symbol(settings.rightCommandCompanionModifier)) + "+右⌘"};
    }
};

TEST_F(BasicTabTests, TheKeyTableShowsThePresetBeingEditedAndFallsBackToTheActiveOne) {
    TessarilSettings settings;
    RuleEngineSettings travel;
    travel.leftCommandAction = CommandKeyAction::disabled;
    travel.rightCommandAction = CommandKeyAction::katakana;
    travel.leftModifiedCommandAction = ModifiedCommandAction::standard;
    travel.leftCommandCompanionModifier = CompanionModifier::option;
    settings.customPresets = {CustomKeyboardPreset{"c-1", "Travel", travel}};
    start({.settings = settings});
    delegate().editingPresetReference = KeyboardPresetReference::custom("c-1");
    rebuild();
    EXPECT_EQ(keyRows(), (std::vector<std::string>{"左⌘ 単独 変更しない off", "右⌘ 単独 カタカナへ切り替え on",
                                                   "⌥+左⌘ 標準: かなへ切り替え on", "⇧+右⌘ 変更しない off"}));
    EXPECT_EQ(each({.label = "状態"}, "value"), (std::vector<std::string>{"OFF", "ON", "ON", "OFF", "OFF", "OFF", "OFF"}));

    delegate().settings.customPresets.clear();
    rebuild();
    EXPECT_EQ(keyRows(), (std::vector<std::string>{"左⌘ 単独 標準: 英数へ切り替え on", "右⌘ 単独 標準: かなへ切り替え on",
                                                   "⇧+左⌘ 変更しない off", "⇧+右⌘ 変更しない off"}));
}

TEST_F(BasicTabTests, ASwitchTurnsItsActionOffAndOnInThePresetBeingEdited) {
    TessarilSettings settings;
    settings.profiles[KeyboardPreset::compactUS].leftCommandAction = CommandKeyAction::eisu;
    start({.settings = settings});
    choose({.action = "selectPresetToEditFromPopup:"}, "P2 英語");
    click({.action = "toggleLeftCommandSwitch"});
    click({.action = "toggleLeftCommandSwitch"});
    click({.action = "toggleRightModifiedCommandSwitch"});
    const auto saved = takeSaved();
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[0].profiles[KeyboardPreset::compactUS].leftCommandAction, CommandKeyAction::disabled);
    RuleEngineSettings expected = settings.profiles[KeyboardPreset::compactUS];
    expected.leftCommandAction = CommandKeyAction::standard;
    expected.rightModifiedCommandAction = ModifiedCommandAction::standard;
    EXPECT_EQ(delegate().settings.profiles[KeyboardPreset::compactUS], expected);
    EXPECT_EQ(delegate().settings.profiles[KeyboardPreset::laptop], settings.profiles[KeyboardPreset::laptop]);
    EXPECT_EQ(labelsFrom("⇧+右⌘", 2)[1], "標準: 英数へ切り替え");
}

TEST_F(BasicTabTests, EachTextToolSwitchChangesOnlyItsOwnSetting) {
    struct Case {
        Address toggle;
        void (*expect)(TextToolSettings&);
    };
    const Case cases[] = {
        {{.action = "toggleTextToolEnabled:", .identifier = "plainCopy"}, [](TextToolSettings& tools) { tools.plainCopy.isEnabled = true; }},
        {{.action = "toggleTextToolEnabled:", .identifier = "plainPaste"}, [](TextToolSettings& tools) { tools.plainPaste.isEnabled = false; }},
        {{.action = "toggleTextToolEnabled:", .identifier = "characterCount"},
         [](TextToolSettings& tools) { tools.characterCount.isEnabled = true; }},
        {{.action = "toggleCharacterCountResultCopy:"}, [](TextToolSettings& tools) { tools.copiesCharacterCountResult = true; }},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.toggle.toJSON().dump());
        TessarilSettings settings;
        settings.textTools.plainPaste.isEnabled = true;
        start({.settings = settings});
        TessarilSettings expected = settings;
        test.expect(expected.textTools);
        click(test.toggle);
        EXPECT_EQ(takeSaved(), std::vector<TessarilSettings>{expected});
        const json shown = control(test.toggle);
        EXPECT_EQ(shown["state"], shown["value"] == "ON" ? "on" : "off");
        EXPECT_EQ(shown["state"], test.toggle.identifier == "plainPaste" ? "off" : "on");
    }
    // The character count has its own panel, not a row among the text tools.
    EXPECT_EQ(each({.action = "toggleTextToolEnabled:"}, "identifier"),
              (std::vector<std::string>{"plainCopy", "plainPaste", "characterCount"}));
    EXPECT_EQ(labelsFrom("プレーンコピー", 3), (std::vector<std::string>{"プレーンコピー", "⌘+⌃+C", "装飾を落としてコピーします"}));
    EXPECT_EQ(control({.action = "toggleCharacterCountResultCopy:"})["label"], "文字数チェック結果コピー");
}

TEST_F(BasicTabTests, OnlyTheToolBeingCapturedShowsItsButtonWaitingForKeysInAmber) {
    start();
    delegate().shortcutCaptureTarget = ShortcutCaptureTarget{ShortcutCaptureTarget::TextTool{TextToolAction::plainCopy}};
    rebuild();
    const auto button = [this](const std::string& identifier) {
        return dynamic_cast<appkit::Button*>(harness->driver().find({.identifier = identifier}));
    };
    EXPECT_EQ(controlState({.identifier = "textTool:plainCopy"}),
              json::parse(R"({"kind":"button","action":"beginShortcutCapture:","identifier":"textTool:plainCopy",
                  "title":"キー入力中...","enabled":true,"tooltip":"設定したいショートカットを押してください。Escでキャンセルします。"})"));
    EXPECT_EQ(button("textTool:plainCopy")->layerStyle().backgroundColor, settings_palette::accentAmber());
    for (const char* other : {"textTool:plainPaste", "textTool:characterCount"}) {
        EXPECT_EQ(button(other)->layerStyle().backgroundColor, settings_palette::cardBackground());
    }
    EXPECT_EQ(control({.identifier = "textTool:plainPaste"})["title"], "⌘+⌃+V");
    EXPECT_EQ(control({.identifier = "textTool:characterCount"})["tooltip"], "⌘+⌃+M");
}

TEST_F(BasicTabTests, ThePanelPositionIsSavedByItsRawValueAlsoWhenChosenAgain) {
    start();
    const Address position{.action = "updateCharacterCountHUDPosition:"};
    EXPECT_EQ(control(position)["items"], json({"ポインター近く", "固定位置"}));
    EXPECT_EQ(control(position)["selected"], "ポインター近く");
    choose(position, "固定位置");
    choose(position, "固定位置");
    const auto saved = takeSaved();
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0].textTools.characterCountHUDPosition, CharacterCountHUDPosition::fixed);
    EXPECT_EQ(saved[1], saved[0]);
    EXPECT_EQ(control(position)["selected"], "固定位置");
}

} // namespace
} // namespace tessaril
