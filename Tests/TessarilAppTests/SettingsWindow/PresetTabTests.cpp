// Choosing the preset to edit, the presets page, creating, renaming and deleting presets, and the
// status menu's preset switching, driven through the real window.
#include <string>

#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"

namespace tessaril {
namespace {

KeyboardPresetReference builtIn(KeyboardPreset preset) { return KeyboardPresetReference::builtIn(preset); }
KeyboardPresetReference custom(const std::string& id) { return KeyboardPresetReference::custom(id); }

CustomKeyboardPreset preset(std::string id, std::string name, CommandKeyAction left = CommandKeyAction::standard) {
    RuleEngineSettings settings;
    settings.leftCommandAction = left;
    return CustomKeyboardPreset{std::move(id), std::move(name), settings};
}

class PresetTabTests : public SettingsPageTest {
protected:
    static TessarilSettings withCustomPresets(std::vector<CustomKeyboardPreset> presets) {
        TessarilSettings settings;
        settings.customPresets = std::move(presets);
        return settings;
    }
    const Address selector{.action = "selectPresetToEditFromPopup:"};
    bool showsInUseBadge() { return !control({.title = "使用中"}).is_null(); }
    // The kind tag of the summary header that names `name`; empty when no header names it.
    std::string headerKind(const std::string& name) {
        auto titles = each({}, "title");
        std::erase(titles, std::string());
        for (std::size_t index = 0; index + 1 < titles.size(); ++index) {
            if (titles[index] == name && (titles[index + 1] == "内蔵" || titles[index + 1] == "カスタム")) return titles[index + 1];
        }
        return {};
    }
};

TEST_F(PresetTabTests, TheSelectorListsBuiltInThenCustomPresetsAndChoosingOneOnlyChangesWhatIsEdited) {
    start();
    EXPECT_EQ(control(selector)["items"], json({"P1 執筆", "P2 英語", "P3 コード"}));
    EXPECT_EQ(control(selector)["selected"], "P1 執筆");
    EXPECT_TRUE(showsInUseBadge());

    // Stored order, not sorted; the custom preset "Zeta" is the active one.
    TessarilSettings settings = withCustomPresets({preset("c-z", "Zeta"), preset("c-a", "Alpha", CommandKeyAction::disabled)});
    settings.activeCustomPresetID = "c-z";
    start({.settings = settings});
    EXPECT_EQ(control(selector)["items"], json({"P1 執筆", "P2 英語", "P3 コード", "-", "Zeta", "Alpha"}));
    EXPECT_EQ(control(selector)["selected"], "Zeta");
    choose(selector, "Alpha");
    EXPECT_TRUE(takeLines().empty()); // nothing saved
    EXPECT_EQ(delegate().editingPresetReference, custom("c-a"));
    EXPECT_EQ(control(selector)["selected"], "Alpha");
    EXPECT_FALSE(showsInUseBadge());
    EXPECT_EQ(labelsFrom("左⌘ 単独", 2)[1], "変更しない"); // the key table shows the preset being edited
    choose(selector, "Zeta");
    EXPECT_TRUE(showsInUseBadge());
    EXPECT_EQ(delegate().settings.activePresetReference(), custom("c-z"));
}

TEST_F(PresetTabTests, TheListOrdersCustomPresetsAsFileNamesAndTheSummaryFollowsTheChoice) {
    start({.settings = withCustomPresets({preset("c-10", "a10"), preset("c-2", "a2"), preset("c-2b", "a2")}),
           .tab = SettingsTab::presets});
    EXPECT_EQ(each({.action = "selectBuiltInPresetFromButton:"}, "identifier"),
              (std::vector<std::string>{"laptop", "compactUS", "fullSizeUS"}));
    EXPECT_EQ(each({.action = "selectCustomPresetFromButton:"}, "identifier"), (std::vector<std::string>{"c-2", "c-2b", "c-10"}));
    EXPECT_EQ(each({.action = "selectCustomPresetFromButton:"}, "label"),
              (std::vector<std::string>{"a2, カスタムプリセット", "a2, カスタムプリセット", "a10, カスタムプリセット"}));
    EXPECT_EQ(labelsFrom("中身を調整します。使うプリセットはメニューバーから切り替えます。", 1).size(), 1u);
    EXPECT_TRUE(control({.action = "deleteActiveCustomPreset"}).is_null());

    click({.identifier = "c-10"});
    EXPECT_TRUE(takeLines().empty());
    EXPECT_EQ(delegate().editingPresetReference, custom("c-10"));
    // The summary's header names the preset and its kind.
    EXPECT_EQ(headerKind("a10"), "カスタム");
    EXPECT_EQ(control({.action = "deleteActiveCustomPreset"})["title"], "削除");
    click({.identifier = "fullSizeUS"});
    EXPECT_EQ(headerKind("P3 コード"), "内蔵");
    EXPECT_EQ(delegate().editingPresetReference, builtIn(KeyboardPreset::fullSizeUS));
}

TEST_F(PresetTabTests, CreatingCopiesThePresetBeingEditedNamesItAndMakesItActiveAndEdited) {
    UUIDGenerator::ScopedOverride identifiers(UUIDGenerator::sequential());
    TessarilSettings settings;
    settings.profiles[KeyboardPreset::compactUS].leftCommandAction = CommandKeyAction::katakana;
    settings.profiles[KeyboardPreset::compactUS].modifierGraceWindowMilliseconds = 120;
    start({.settings = settings, .tab = SettingsTab::presets});
    click({.identifier = "compactUS"});

    click({.action = "createCustomPreset", .title = "新規作成"});
    ASSERT_EQ(takeSaved().size(), 1u);
    const std::string first = "custom-00000000-0000-4000-8000-000000000001";
    ASSERT_EQ(delegate().settings.customPresets.size(), 1u);
    EXPECT_EQ(delegate().settings.customPresets[0],
              (CustomKeyboardPreset{first, "Custom Preset", settings.profiles[KeyboardPreset::compactUS]}));
    EXPECT_EQ(delegate().settings.activePresetReference(), custom(first));
    EXPECT_EQ(delegate().editingPresetReference, custom(first));

    // Return in the name field creates too; the summary's button reads the same field.
    type({.placeholder = "カスタム名"}, "  Travel ");
    pressReturn({.placeholder = "カスタム名"});
    type({.placeholder = "カスタム名"}, "Draft");
    click({.title = "カスタムとして保存"});
    EXPECT_EQ(takeSaved().size(), 2u);
    std::vector<std::string> names;
    for (const auto& made : delegate().settings.customPresets) names.push_back(made.name + " " + made.id.substr(made.id.size() - 4));
    EXPECT_EQ(names, (std::vector<std::string>{"Custom Preset 0001", "Draft 0003", "Travel 0002"}));
    EXPECT_EQ(delegate().settings.activePresetReference(), custom("custom-00000000-0000-4000-8000-000000000003"));
}

TEST_F(PresetTabTests, DeletingTheEditedCustomPresetReturnsToTheActivePresetAndTogglesFollowTheEditedOne) {
    TessarilSettings settings = withCustomPresets({preset("c-1", "Travel", CommandKeyAction::eisu)});
    start({.settings = settings, .tab = SettingsTab::presets});
    click({.identifier = "c-1"});
    click({.action = "toggleLeftCommandSwitch"});
    click({.action = "toggleLeftCommandSwitch"});
    click({.action = "toggleLeftModifiedCommandSwitch"});
    const auto saved = takeSaved();
    ASSERT_EQ(saved.size(), 3u);
    // From eisu to off, then to the standard action.
    EXPECT_EQ(saved[0].customPresets[0].settings.leftCommandAction, CommandKeyAction::disabled);
    EXPECT_EQ(saved[1].customPresets[0].settings.leftCommandAction, CommandKeyAction::standard);
    EXPECT_EQ(delegate().settings.customPresets[0].settings.leftModifiedCommandAction, ModifiedCommandAction::standard);
    EXPECT_EQ(delegate().settings.profiles, settings.profiles);
    EXPECT_EQ(control({.action = "toggleLeftModifiedCommandSwitch"})["state"], "on");

    // Removed behind the page's back, the edited preset falls back to the active one.
    delegate().settings.deleteCustomPreset("c-1");
    click({.action = "toggleRightCommandSwitch"});
    EXPECT_EQ(delegate().settings.profiles[KeyboardPreset::laptop].rightCommandAction, CommandKeyAction::disabled);
    EXPECT_EQ(headerKind("P1 執筆"), "内蔵");
    EXPECT_TRUE(control({.action = "deleteActiveCustomPreset"}).is_null());

    delegate().settings = settings;
    delegate().settings.activeCustomPresetID = "c-1";
    rebuild();
    takeLines();
    click({.action = "deleteActiveCustomPreset"});
    ASSERT_EQ(takeSaved().size(), 1u);
    EXPECT_TRUE(delegate().settings.customPresets.empty());
    EXPECT_FALSE(delegate().settings.activeCustomPresetID);
    EXPECT_FALSE(delegate().editingPresetReference);
    EXPECT_EQ(headerKind("P1 執筆"), "内蔵");
}

TEST_F(PresetTabTests, BuiltInNamesAreTrimmedCutAndBlankOrDefaultNamesRestoreTheDefault) {
    struct Case {
        const char* save;
        const char* typed;
        KeyboardPreset preset;
        const char* shown;
    };
    const Case cases[] = {
        {"saveLaptopPresetName", "  My Laptop\n", KeyboardPreset::laptop, "My Laptop"},
        {"saveCompactPresetName", "   ", KeyboardPreset::compactUS, "P2 英語"},
        {"saveFullSizePresetName", "あいうえおかきくけこさしすせそたちつてとなにぬねの", KeyboardPreset::fullSizeUS,
         "あいうえおかきくけこさしすせそたちつてとなにぬね"},
    };
    TessarilSettings settings;
    settings.renamePreset(KeyboardPreset::compactUS, "English");
    start({.settings = settings, .tab = SettingsTab::advanced});
    for (const auto& test : cases) {
        SCOPED_TRACE(test.save);
        type({.action = test.save}, test.typed);
        click({.action = test.save, .title = "保存"});
        ASSERT_EQ(takeSaved().size(), 1u);
        EXPECT_EQ(delegate().settings.displayName(test.preset), test.shown);
        EXPECT_EQ(control({.action = test.save})["value"], test.shown);
    }
    EXPECT_FALSE(delegate().settings.presetDisplayNames.contains("compactUS"));
    // Return saves as the button does, and the status menu shows the new name.
    type({.action = "saveLaptopPresetName"}, "Writing");
    pressReturn({.action = "saveLaptopPresetName"});
    EXPECT_EQ(takeSaved().size(), 1u);
    EXPECT_EQ(static_cast<RecordingStatusItem&>(delegate().statusItem()).menu()->items[2].submenu->items[0].title, "Writing");
}

TEST_F(PresetTabTests, TheStatusMenuSwitchesTheActivePresetAndTheOpenPageFollows) {
    start({.settings = withCustomPresets({preset("c-1", "Travel")})});
    delegate().editingPresetReference = builtIn(KeyboardPreset::compactUS);
    rebuild();
    EXPECT_FALSE(showsInUseBadge());
    harness->chooseMenuItem("selectBuiltInPreset:", "compactUS");
    ASSERT_EQ(takeSaved().size(), 1u);
    EXPECT_EQ(delegate().settings.activePresetReference(), builtIn(KeyboardPreset::compactUS));
    EXPECT_TRUE(showsInUseBadge());

    // An identifier of no custom preset changes nothing but is still saved and shown again.
    QPointer<QWidget> shown = content();
    harness->chooseMenuItem("selectCustomPreset:", "c-1");
    const TessarilSettings before = delegate().settings;
    delegate().selectCustomPreset(MenuItem{.action = "selectCustomPreset:", .representedObject = "c-gone"});
    harness->finishStep();
    const auto saved = takeSaved();
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[1], before);
    EXPECT_EQ(delegate().settings.activePresetReference(), custom("c-1"));
    EXPECT_FALSE(shown);
}

} // namespace
} // namespace tessaril
