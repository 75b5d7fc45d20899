// The status menu model rendered into a Qt menu, and a chosen action handed back as its model item.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "TessarilApp/AppKit/Font.hpp"
#include "TessarilApp/Shell/MenuRendering.hpp"
#include "TessarilApp/Shell/StatusMenu.hpp"

using namespace tessaril;

TEST(MenuRendering, TheQtMenuShowsTheModelAndChoosingAnItemHandsItBack) {
    TessarilSettings settings;
    settings.customPresets = {CustomKeyboardPreset{"R&D", "R&D", RuleEngineSettings()}};
    ASSERT_TRUE(settings.setActiveCustomPreset("R&D"));
    std::vector<MenuItem> chosen;
    QMenu menu;
    renderMenu(StatusMenu::statusMenu(settings, false), menu, [&chosen](const MenuItem& item) { chosen.push_back(item); });

    const auto actions = menu.actions();
    ASSERT_EQ(actions.size(), 8);
    std::vector<std::string> rows;
    for (QAction* action : actions) {
        if (action->isSeparator()) {
            rows.push_back("-");
            continue;
        }
        rows.push_back(action->text().toStdString() + (action->isEnabled() ? "" : " (disabled)") +
                       (action->menu() ? " >" : "") + (action->shortcut().isEmpty() ? "" : " " + action->shortcut().toString().toStdString()));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"Tessaril (disabled)", "-", "プリセット >", "-", "詳細設定...",
                                              "🔴 アクセシビリティ: 確認が必要", "-", "終了 Ctrl+Q"}));
    EXPECT_EQ(actions[5]->toolTip().toStdString(), "クリックするとmacOSのアクセシビリティ設定を開きます。");
    EXPECT_TRUE(menu.toolTipsVisible());
    // Set in the window's face, whose fallbacks draw the line's 🔴 in colour, before any window opened.
    EXPECT_EQ(menu.font(), appkit::systemFont(13));
    EXPECT_EQ(actions[2]->menu()->font(), appkit::systemFont(13));

    const auto presets = actions[2]->menu()->actions();
    ASSERT_EQ(presets.size(), 5);
    EXPECT_EQ(presets[4]->text().toStdString(), "R&&D") << "an ampersand shows as itself";
    EXPECT_TRUE(presets[4]->isChecked());
    EXPECT_FALSE(presets[0]->isChecked());

    presets[1]->trigger();
    actions[7]->trigger();
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0].action, "selectBuiltInPreset:");
    EXPECT_EQ(chosen[0].representedObject, "compactUS");
    EXPECT_EQ(chosen[1].action, "quit");
}
