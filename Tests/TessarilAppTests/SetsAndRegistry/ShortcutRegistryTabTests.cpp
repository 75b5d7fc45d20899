// The registry page driven through the real window: rows under each filter with their badges and
// buttons, the alert of rows changed elsewhere, capture from a row, the jumps to a row's page and set,
// and the conflict panel.
#include <string>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/ShortcutRegistryActions.hpp"
#include "TessarilApp/SettingsWindow/ShortcutRegistryConflictPanel.hpp"
#include "TessarilAppTests/SetsAndRegistry/RegistryDocuments.hpp"
#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"

namespace tessaril {
namespace {

using namespace tessaril::testing;
using Strings = std::vector<std::string>;

class ShortcutRegistryTabTests : public SettingsPageTest {
protected:
    void startRegistry(TessarilSettings settings = documentWithEveryGroup(), std::vector<std::string> answers = {}) {
        start({.settings = std::move(settings), .tab = SettingsTab::shortcutRegistry, .answers = std::move(answers)});
    }
    // The rows shown, by the identifier every row's "セット編集" carries.
    Strings rowIDs() { return each({.action = "openShortcutRegistrySet:"}, "identifier"); }
    appkit::Button* button(const Address& address) { return dynamic_cast<appkit::Button*>(harness->driver().find(address)); }
    appkit::Window* panel() { return qobject_cast<appkit::Window*>(delegate().shortcutRegistryConflictPanel.data()); }
};

TEST_F(ShortcutRegistryTabTests, EachFilterShowsItsRowsAndOnlyItsOwnButtonIsPrimary) {
    startRegistry();
    EXPECT_EQ(each({.action = "selectShortcutRegistryFilter:"}, "title"), (Strings{"有効のみ", "登録済み", "競合", "セット別"}));
    EXPECT_EQ(rowIDs(), (Strings{"textTool:plainCopy", "writing:w1", "writing:com.z:wz", "writing:com.b:wb", "writingSet:s9:ws9",
                                 "writingSet:s10:ws10", "fixedPhraseDefault:p1", "fixedPhraseDefault:p2", "fixedPhrase:com.a:pa",
                                 "guard:com.a:x", "guardSet:gs:q"}));
    EXPECT_EQ(labelsFrom("プレーンコピー", 8),
              (Strings{"プレーンコピー", "⌘+⌃+C", "デフォルト", "有効", "競合あり", "変更", "元画面", "セット編集"}));

    click({.action = "selectShortcutRegistryFilter:", .identifier = "conflicts"});
    EXPECT_EQ(rowIDs(), (Strings{"textTool:plainCopy", "writing:w1", "writing:com.z:wz", "writingSet:s10:ws10",
                                 "fixedPhraseDefault:p1", "fixedPhraseDefault:p2", "fixedPhrase:com.a:pa"}));
    EXPECT_EQ(each({.action = "openShortcutRegistryConflictDetail:"}, "title"),
              (Strings{"競合あり", "注意", "注意", "注意", "競合あり", "注意", "注意"}));
    EXPECT_EQ(button({.action = "selectShortcutRegistryFilter:", .identifier = "conflicts"})->layerStyle().backgroundColor,
              settings_palette::accentAmber());
    EXPECT_EQ(button({.action = "selectShortcutRegistryFilter:", .identifier = "activeOnly"})->layerStyle().backgroundColor,
              settings_palette::cardBackground());
    EXPECT_TRUE(control({.title = "この表示条件に該当するショートカットはありません。"}).is_null());

    // A disabled row and its enabled twin on ⌃⇧9 both show "なし", under every filter.
    click({.action = "selectShortcutRegistryFilter:", .identifier = "registered"});
    EXPECT_EQ(labelsFrom("[|]", 5), (Strings{"[|]", "⇧+⌃+9", "Beta", "無効", "なし"}));
    EXPECT_EQ(labelsFrom("(|)", 5), (Strings{"(|)", "⇧+⌃+9", "Beta", "有効", "なし"}));
    EXPECT_EQ(each({.action = "openShortcutRegistryConflictDetail:"}, "identifier").size(), 7u);
    EXPECT_TRUE(takeLines().empty()); // filters save nothing
}

TEST_F(ShortcutRegistryTabTests, WithNoOverlapTheConflictFilterShowsOnlyTheHeaderAndAMessage) {
    TessarilSettings settings;
    settings.textTools.plainCopy.isEnabled = true;
    startRegistry(settings);
    click({.action = "selectShortcutRegistryFilter:", .identifier = "conflicts"});
    EXPECT_TRUE(rowIDs().empty());
    EXPECT_EQ(control({.title = "この表示条件に該当するショートカットはありません。"})["kind"], "label");
    EXPECT_EQ(delegate().shortcutRegistryFilter, ShortcutRegistryFilter::conflicts);
}

TEST_F(ShortcutRegistryTabTests, RowsChangedElsewhereNameTheirPageAndDirectRowsStartACapture) {
    startRegistry(documentWithEveryGroup(), {"OK", "OK"});
    click({.action = "clickShortcutRegistryShortcut:", .identifier = "guardSet:gs:q"});
    click({.identifier = "writing:w1", .title = "変更"});
    const auto seen = takeLines();
    EXPECT_EQ(seen, (std::vector<json>{
                        alert("台帳から直接変更できません", "このショートカットは「誤爆防止」の設定、またはセット編集から変更してください。", {"OK"}, "OK"),
                        alert("台帳から直接変更できません", "このショートカットは「括弧・引用補助」の設定、またはセット編集から変更してください。", {"OK"}, "OK")}));
    EXPECT_FALSE(delegate().shortcutCaptureTarget);

    const Address shortcutButton{.action = "clickShortcutRegistryShortcut:", .identifier = "fixedPhraseDefault:p2"};
    // The narrow button may cut the shortcut short: its tool tip shows the whole of it first.
    EXPECT_EQ(control(shortcutButton)["tooltip"], "⌘+⌃+V\nクリックして付け替えます");
    EXPECT_EQ(control({.action = "clickShortcutRegistryShortcut:", .identifier = "guard:com.a:x"})["tooltip"],
              "⌘+X\nこの台帳からは直接変更できません");
    click(shortcutButton);
    EXPECT_EQ(delegate().shortcutCaptureTarget, ShortcutCaptureTarget{ShortcutCaptureTarget::FixedPhraseDefault{"p2"}});
    EXPECT_EQ(button(shortcutButton)->layerStyle().backgroundColor, settings_palette::accentAmber());
    harness->driver().key(appkit::Event::keyDown(32, appkit::Event::controlFlag | appkit::Event::optionFlag, "u"));
    harness->finishStep();
    EXPECT_EQ(control(shortcutButton)["title"], "⌥+⌃+U");
    EXPECT_EQ(delegate().settings.fixedPhraseAssist.rules[1].trigger,
              (Shortcut{{Shortcut::Modifier::control, Shortcut::Modifier::option}, Shortcut::Key::character("u")}));
}

TEST_F(ShortcutRegistryTabTests, ARowOpensItsPageAndASetRowItsSet) {
    startRegistry();
    EXPECT_EQ(each({.title = "元画面"}, "identifier"),
              (Strings{"basic", "writingAssist", "writingAssist", "writingAssist", "writingAssist", "writingAssist", "fixedPhrases",
                       "fixedPhrases", "fixedPhrases", "shortcutGuard", "shortcutGuard"}));
    std::vector<bool> enabled;
    for (const auto& line : harness->driver().queryAll({.title = "セット編集"})) enabled.push_back(line["control"]["enabled"]);
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, false, false, true, true, false, false, false, false, true}));

    click({.title = "元画面", .index = 6});
    EXPECT_EQ(delegate().selectedSettingsTab, SettingsTab::fixedPhrases);
    delegate().selectedSettingsTab = SettingsTab::shortcutRegistry;
    rebuild();
    click({.title = "元画面", .index = 0});
    EXPECT_EQ(delegate().selectedSettingsTab, SettingsTab::basic);
    // Each jump ends any capture first.
    const json resume{{"suspended", false}, {"reason", "shortcut-capture"}};
    EXPECT_EQ(takeLines(), (std::vector<json>{resume, resume, {{"tab", "fixedPhrases"}}, {{"tab", "shortcutRegistry"}}, resume,
                                              resume, {{"tab", "basic"}}}));

    delegate().selectedSettingsTab = SettingsTab::shortcutRegistry;
    rebuild();
    click({.identifier = "writingSet:s9:ws9", .title = "セット編集"});
    EXPECT_EQ(delegate().selectedSettingsTab, SettingsTab::writingAssist);
    EXPECT_EQ(delegate().selectedFeatureSetID, "s9");
    // The page's set sheet opens on that set.
    EXPECT_EQ(delegate().featureSetModalTab, SettingsTab::writingAssist);
    EXPECT_EQ(control({.placeholder = "セット名"})["value"], "Set 9");

    // A row without a set opens nothing, even when its button is clicked regardless of its state.
    delegate().selectedFeatureSetID.reset();
    for (const char* id : {"writing:com.b:wb", "textTool:plainCopy", "no-such-row"}) {
        appkit::Button sender;
        sender.setIdentifier(id);
        ShortcutRegistryActions(delegate()).openShortcutRegistrySet(sender);
    }
    harness->finishStep();
    EXPECT_EQ(delegate().selectedSettingsTab, SettingsTab::writingAssist);
    EXPECT_FALSE(delegate().selectedFeatureSetID);
}

TEST_F(ShortcutRegistryTabTests, TheConflictPanelListsTheOtherRowsAndCloses) {
    startRegistry();
    click({.action = "openShortcutRegistryConflictDetail:", .identifier = "writing:w1"});
    ASSERT_NE(panel(), nullptr);
    EXPECT_EQ(panel()->title(), "競合詳細");
    EXPECT_EQ(panel()->size(), QSize(450, 560));
    EXPECT_TRUE(panel()->isVisible());
    // A child of the settings window at its right edge, its lower edge at least 72 above the window's.
    QWidget* window = delegate().settingsWindow.data();
    EXPECT_EQ(panel()->parentWidget(), window);
    EXPECT_EQ(panel()->frameGeometry().x(), window->frameGeometry().right() + 1 - 472);
    EXPECT_EQ(panel()->y() + 560, std::min(window->frameGeometry().bottom() - 72, window->frameGeometry().center().y() + 280));
    EXPECT_EQ(labelsFrom("注意", 12), (Strings{"注意", "⇧+⌃+8", "括弧・引用 / 【|】 / デフォルト", "区分", "項目", "対象", "括弧・引用", "<|>",
                                              "Alpha", "括弧・引用", "«|»", "セット: Set 10"}));
    const auto all = delegate().shortcutRegistryEntries();
    EXPECT_EQ(ShortcutRegistryConflictPanel::detailText(all[3], ShortcutRegistryConflictStatus::caution,
                                                        shortcut_registry::relatedEntries(all[3], all)),
              "同じショートカットが別の対象でも使われています。対象が重ならなければ実害はありません。\n"
              "対象: 括弧・引用 / 【|】 / デフォルト\n\n同じキーを使っている項目:\n"
              "・括弧・引用 / <|> / Alpha\n・括弧・引用 / «|» / セット: Set 10");
    EXPECT_EQ(control({.title = "詳細"})["kind"], "label");

    // The next panel replaces it; "閉じる" closes it; a rebuild closes it too.
    QPointer<QWidget> first = panel();
    click({.action = "openShortcutRegistryConflictDetail:", .identifier = "textTool:plainCopy"});
    EXPECT_TRUE(first.isNull());
    click({.action = "closeShortcutRegistryConflictPanel", .title = "閉じる"});
    EXPECT_EQ(delegate().shortcutRegistryConflictPanel, nullptr);
    click({.action = "openShortcutRegistryConflictDetail:", .identifier = "textTool:plainCopy"});
    rebuild();
    EXPECT_EQ(delegate().shortcutRegistryConflictPanel, nullptr);
}

TEST_F(ShortcutRegistryTabTests, PanelHeightAndDetailTextWithoutRelatedRows) {
    const std::pair<std::size_t, int> heights[] = {{0, 560}, {2, 560}, {3, 584}, {6, 668}, {7, 680}, {10, 680}};
    for (const auto& [count, height] : heights) EXPECT_EQ(ShortcutRegistryConflictPanel::height(count), height) << count;
    ShortcutRegistryEntry entry;
    entry.section = "基本";
    entry.item = "プレーンコピー";
    entry.target = "デフォルト";
    EXPECT_EQ(ShortcutRegistryConflictPanel::detailText(entry, ShortcutRegistryConflictStatus::none, {}),
              "同じショートカットはありません。\n対象: 基本 / プレーンコピー / デフォルト");
    EXPECT_EQ(ShortcutRegistryConflictPanel::detailText(entry, ShortcutRegistryConflictStatus::conflict, {}),
              "同じ対象の中で同じショートカットが使われています。どちらかを付け替えてください。\n対象: 基本 / プレーンコピー / デフォルト");
}

} // namespace
} // namespace tessaril
