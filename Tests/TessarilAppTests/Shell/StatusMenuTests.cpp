// The status menu and main menu as data, preset switching through the status menu, and the status
// item's look.
#include <gtest/gtest.h>

#include <fstream>

#include <QImage>
#include <QTemporaryDir>

#include "TessarilApp/Shell/StatusMenu.hpp"
#include "TessarilAppTests/Shell/AppDelegateHarness.hpp"

using namespace tessaril;
using shell_testing::AppDelegateHarness;
using Target = MenuItem::Target;

namespace {

// One line per item: title, action, key, target, state, enabled, represented object, tooltip.
std::vector<std::string> lines(const Menu& menu) {
    std::vector<std::string> result;
    for (const MenuItem& item : menu.items) {
        if (item.isSeparator()) {
            result.push_back("-");
            continue;
        }
        std::string target = item.target == Target::delegate ? "delegate" : item.target == Target::none ? "none" : "responder";
        result.push_back(item.title + " | " + item.action.value_or("") + " | " + item.keyEquivalent + " | " + target +
                         " | " + (item.isOn ? "on" : "off") + " | " + (item.isEnabled ? "enabled" : "disabled") +
                         " | " + item.representedObject.value_or("") + " | " + item.toolTip.value_or("") +
                         (item.submenu ? " | submenu" : ""));
    }
    return result;
}

CustomKeyboardPreset customPreset(std::string id, std::string name) {
    return CustomKeyboardPreset{std::move(id), std::move(name), RuleEngineSettings()};
}

} // namespace

TEST(StatusMenu, TheMenuHoldsTitlePresetsSettingsAccessibilityAndQuit) {
    const Menu menu = StatusMenu::statusMenu(TessarilSettings(), true);
    EXPECT_FALSE(menu.autoenablesItems);
    EXPECT_EQ(lines(menu), (std::vector<std::string>{
                               "Tessaril |  |  | none | off | disabled |  | ",
                               "-",
                               "プリセット |  |  | none | off | enabled |  |  | submenu",
                               "-",
                               "詳細設定... | openSettingsWindow |  | delegate | off | enabled |  | ",
                               "🟢 アクセシビリティ: 許可済み |  |  | none | off | disabled |  | Tessarilに必要な入力権限は有効です。",
                               "-",
                               "終了 | quit | q | delegate | off | enabled |  | ",
                           }));
    ASSERT_TRUE(menu.items[2].submenu);
    EXPECT_FALSE(menu.items[2].submenu->autoenablesItems);
    EXPECT_EQ(lines(*menu.items[2].submenu),
              (std::vector<std::string>{
                  "P1 執筆 | selectBuiltInPreset: |  | delegate | on | enabled | laptop | ",
                  "P2 英語 | selectBuiltInPreset: |  | delegate | off | enabled | compactUS | ",
                  "P3 コード | selectBuiltInPreset: |  | delegate | off | enabled | fullSizeUS | ",
              }));
    EXPECT_EQ(lines(Menu{.items = {StatusMenu::accessibilityStatusMenuItem(false)}}),
              (std::vector<std::string>{"🔴 アクセシビリティ: 確認が必要 | openAccessibilitySettings |  | delegate | off | "
                                        "enabled |  | クリックするとmacOSのアクセシビリティ設定を開きます。"}));
}

TEST(StatusMenu, CustomPresetsFollowASeparatorInFileListingOrderWithTheActiveOneChecked) {
    TessarilSettings settings;
    settings.renamePreset(KeyboardPreset::compactUS, "英文");
    settings.customPresets = {customPreset("A", "Preset 10"), customPreset("B", "preset 9"), customPreset("C", "Draft"),
                              customPreset("D", "Preset 9")};
    ASSERT_TRUE(settings.setActiveCustomPreset("D"));
    Menu submenu;
    StatusMenu::addPresetSelectionItems(submenu, settings);
    EXPECT_EQ(lines(submenu), (std::vector<std::string>{
                                  "P1 執筆 | selectBuiltInPreset: |  | delegate | off | enabled | laptop | ",
                                  "英文 | selectBuiltInPreset: |  | delegate | off | enabled | compactUS | ",
                                  "P3 コード | selectBuiltInPreset: |  | delegate | off | enabled | fullSizeUS | ",
                                  "-",
                                  "Draft | selectCustomPreset: |  | delegate | off | enabled | C | ",
                                  "preset 9 | selectCustomPreset: |  | delegate | off | enabled | B | ",
                                  "Preset 9 | selectCustomPreset: |  | delegate | on | enabled | D | ",
                                  "Preset 10 | selectCustomPreset: |  | delegate | off | enabled | A | ",
                              }));
}

TEST(StatusMenu, TheMainMenuHasQuitAndTheEditCommandsForTheFocusedControl) {
    const Menu menu = StatusMenu::mainMenu();
    ASSERT_EQ(menu.items.size(), 2u);
    ASSERT_TRUE(menu.items[0].submenu && menu.items[1].submenu);
    EXPECT_EQ(lines(*menu.items[0].submenu),
              std::vector<std::string>{"Tessarilを終了 | terminate: | q | responder | off | enabled |  | "});
    EXPECT_EQ(menu.items[1].submenu->title, "編集");
    EXPECT_EQ(lines(*menu.items[1].submenu), (std::vector<std::string>{
                                                 "取り消す | undo: | z | responder | off | enabled |  | ",
                                                 "やり直す | redo: | Z | responder | off | enabled |  | ",
                                                 "-",
                                                 "カット | cut: | x | responder | off | enabled |  | ",
                                                 "コピー | copy: | c | responder | off | enabled |  | ",
                                                 "ペースト | paste: | v | responder | off | enabled |  | ",
                                                 "削除 | delete: |  | responder | off | enabled |  | ",
                                                 "-",
                                                 "すべて選択 | selectAll: | a | responder | off | enabled |  | ",
                                             }));
}

TEST(StatusMenu, ChoosingAPresetSavesItAppliesItAndMovesTheCheckMark) {
    TessarilSettings stored;
    stored.customPresets = {customPreset("custom-1", "Travel")};
    AppDelegateHarness::Options options;
    options.storedSettings = stored;
    AppDelegateHarness harness(options);
    harness.launch();
    auto checked = [&harness] {
        std::vector<std::string> on;
        for (const auto& item : harness.statusItem().menu()->items[2].submenu->items) {
            if (item.isOn) on.push_back(item.title);
        }
        return on;
    };
    ASSERT_TRUE(harness.statusItem().choose("selectBuiltInPreset:", "compactUS"));
    EXPECT_EQ(checked(), std::vector<std::string>{"P2 英語"});
    EXPECT_EQ(TessarilSettingsStore(harness.session.defaults()).load().activePresetReference(),
              KeyboardPresetReference::builtIn(KeyboardPreset::compactUS));

    ASSERT_TRUE(harness.statusItem().choose("selectCustomPreset:", "custom-1"));
    EXPECT_EQ(checked(), std::vector<std::string>{"Travel"});
    EXPECT_EQ(harness.app().settings.activePresetReference(), KeyboardPresetReference::custom("custom-1"));

    // Back to a built-in preset clears the custom one.
    ASSERT_TRUE(harness.statusItem().choose("selectBuiltInPreset:", "laptop"));
    EXPECT_EQ(checked(), std::vector<std::string>{"P1 執筆"});
    EXPECT_FALSE(harness.app().settings.activeCustomPresetID);

    // Keys that name nothing change nothing.
    auto menus = harness.menuCount();
    harness.app().selectBuiltInPreset(MenuItem{.action = "selectBuiltInPreset:", .representedObject = "tablet"});
    EXPECT_EQ(harness.menuCount(), menus);
    EXPECT_EQ(checked(), std::vector<std::string>{"P1 執筆"});
}

TEST(StatusMenu, TheAccessibilityLineSaysThereAreNoSettingsToOpenWhenThePermissionIsMissing) {
    AppDelegateHarness::Options options;
    options.accessibilityTrusted = false;
    AppDelegateHarness harness(options);
    harness.launch();
    ASSERT_TRUE(harness.statusItem().choose("openAccessibilitySettings"));
    ASSERT_EQ(harness.alerts->presented().size(), 1u);
    EXPECT_EQ(harness.alerts->presented()[0].alert,
              (appkit::Alert{appkit::Alert::Style::informational, "アクセシビリティの設定はありません",
                             "この環境ではアクセシビリティ権限は常に許可済みとして扱われます。", {"OK"}}));
    EXPECT_TRUE(harness.workspace.openedURLs().empty());
    // The alert came to the front, as the settings window does.
    EXPECT_EQ(harness.application.activations(), 1);
    ASSERT_TRUE(harness.statusItem().choose("openSettingsWindow"));
    EXPECT_EQ(harness.application.activations(), 2);
}

TEST(StatusMenu, TheIconComesFromTheResourcesElseTheTitleIsKa) {
    QTemporaryDir resources;
    ASSERT_TRUE(resources.isValid());
    QImage icon(36, 36, QImage::Format_ARGB32);
    icon.fill(Qt::black);
    const std::filesystem::path directory = resources.path().toStdString();
    std::filesystem::create_directories(directory / "Resources");
    ASSERT_TRUE(icon.save(QString::fromStdString((directory / "Resources" / "MenuBarIconTemplate.png").string())));
    std::ofstream(directory / "AppIcon.png") << "not an image";

    struct Case {
        const char* name;
        std::filesystem::path mainResources;
        std::optional<platform::Bundle> resourceBundle;
        bool hasImage;
    };
    const std::vector<Case> cases{
        {"no resources", {}, std::nullopt, false},
        {"in the resource bundle's Resources", {}, platform::Bundle{.resourcePath = directory}, true},
        {"not in the main bundle's own folder", directory, std::nullopt, false},
    };
    for (const auto& testCase : cases) {
        AppDelegateHarness::Options options;
        options.mainBundleResources = testCase.mainResources;
        options.resourceBundle = testCase.resourceBundle;
        AppDelegateHarness harness(options);
        harness.launch();
        EXPECT_EQ(harness.statusItem().hasImage(), testCase.hasImage) << testCase.name;
        EXPECT_EQ(harness.statusItem().title(), testCase.hasImage ? "" : "か") << testCase.name;
        // An application icon that cannot be loaded falls back to the menu-bar icon.
        EXPECT_EQ(harness.app().appIconImage().has_value(), testCase.hasImage) << testCase.name;
    }
    AppDelegateHarness::Options options;
    options.resourceBundle = platform::Bundle{.resourcePath = directory};
    AppDelegateHarness harness(options);
    harness.launch();
    EXPECT_TRUE(harness.statusItem().isTemplateImage());
    EXPECT_EQ(harness.statusItem().imagePointSize(), 18);
}

// The icons the build renders beside the executable: the template at twice its 18 points, the
// application icon in colour.
TEST(StatusMenu, TheBuiltApplicationCarriesBothIcons) {
    AppDelegateHarness::Options options;
    options.mainBundleResources = std::filesystem::path(TESSARIL_APPLICATION_PATH).parent_path() / "Resources";
    AppDelegateHarness harness(options);
    harness.launch();
    const auto menuBarIcon = harness.app().menuBarIconImage();
    const auto appIcon = harness.app().appIconImage();
    ASSERT_TRUE(menuBarIcon && appIcon);
    EXPECT_EQ(menuBarIcon->size(), QSize(36, 36));
    EXPECT_EQ(appIcon->size(), QSize(256, 256));
    EXPECT_NE(*appIcon, *menuBarIcon);
    EXPECT_TRUE(harness.statusItem().hasImage());
    EXPECT_EQ(harness.statusItem().title(), "");
}

// A status area that appears after launch (a panel not ready at a login launch) shows the item as it
// was given: never a blank square, never without its tooltip.
TEST(StatusMenu, TheItemHasItsLookAndTooltipBeforeItShowsWithOrWithoutAStatusArea) {
    for (bool hasButton : {true, false}) {
        AppDelegateHarness::Options options;
        options.statusItemHasButton = hasButton;
        AppDelegateHarness harness(options);
        harness.launch();
        using Look = RecordingStatusItem::Look;
        EXPECT_EQ(harness.statusItem().lookWhenShown(),
                  (Look{"か", false, "Tessaril: 起動中 / アクセシビリティ許可済み"}))
            << "status area: " << hasButton;
        EXPECT_EQ(harness.toolTip(), "Tessaril: 動作中 / アクセシビリティ許可済み") << "status area: " << hasButton;
        EXPECT_NE(harness.statusItem().menu(), nullptr);
    }
}
