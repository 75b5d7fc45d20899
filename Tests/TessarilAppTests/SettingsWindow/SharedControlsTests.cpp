#include <gtest/gtest.h>

#include <memory>

#include "TessarilApp/AppKit/Automation/UIDriver.hpp"
#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/ViewRendering.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"

namespace tessaril {
namespace {

namespace palette = settings_palette;
using appkit::TextAlignment;

const std::vector<TableColumn> columns{{"項目", 150, TextAlignment::left}, {"内容", 450, TextAlignment::left},
                                       {"状態", 100, TextAlignment::center}};

TEST(SharedControlsTests, ATableIsItsHeaderPlusItsRowsAndShortRowsAreFilledWithEmptyCells) {
    std::unique_ptr<appkit::StackView> empty(makeTable(columns, {}, 46, 38));
    EXPECT_EQ(empty->size(), QSize(700, 38));
    EXPECT_EQ(empty->arrangedSubviews().size(), 1u);

    std::unique_ptr<appkit::StackView> table(makeTable(columns, {{makeCellLabel("結果コピー")}, {}}, 46, 38));
    EXPECT_EQ(table->size(), QSize(700, 38 + 2 * 46));
    appkit::layoutSubtree(*table);
    auto* firstRow = static_cast<appkit::StackView*>(table->arrangedSubviews()[1].data());
    std::vector<int> widths;
    for (const auto& cell : firstRow->arrangedSubviews()) widths.push_back(cell->width());
    EXPECT_EQ(widths, (std::vector<int>{150, 450, 100}));
    // Rows alternate from the second one on; the header has its own colour.
    const QImage picture = appkit::renderViewImage(*table);
    EXPECT_EQ(picture.pixel(300, 20), palette::headerRow().rgb());
    EXPECT_EQ(picture.pixel(300, 38 + 30), palette::panelBackground().rgb());
    EXPECT_EQ(picture.pixel(300, 38 + 46 + 30), palette::alternateRow().rgb());
    // The frame is drawn over the rows.
    EXPECT_EQ(picture.pixel(0, 38 + 30), palette::panelBorder().rgb());
}

TEST(SharedControlsTests, ASmallButtonWithoutAnActionHasNoneAndDoesNothing) {
    std::unique_ptr<appkit::Button> inert(makeSmallButton("保存", std::nullopt, false, true));
    EXPECT_FALSE(inert->action().has_value());
    inert->click(); // nothing to run, nothing to crash

    int runs = 0;
    std::unique_ptr<appkit::Button> primary(makeSmallButton("追加", appkit::Action{"add", [&](appkit::Control&) { ++runs; }}, true, true));
    primary->click();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(primary->height(), 30);
}

TEST(SharedControlsTests, ADisabledToggleRowKeepsTheSwitchColoursAndDimsOnlyItsStateLabel) {
    const appkit::Action action{"toggleFeature:", [](appkit::Control&) {}};
    std::unique_ptr<appkit::StackView> row(makeFeatureToggleRow("プレーン貼り付け", "装飾を落として貼り付けます", true, action, false, "プレーン貼り付け"));
    EXPECT_EQ(row->width(), 904);
    appkit::Button* toggle = nullptr;
    appkit::Label* state = nullptr;
    for (auto* widget : row->findChildren<QWidget*>()) {
        if (auto* button = dynamic_cast<appkit::Button*>(widget)) toggle = button;
        if (auto* label = dynamic_cast<appkit::Label*>(widget); label && label->text() == "ON") state = label;
    }
    ASSERT_NE(toggle, nullptr);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(appkit::UIDriver::describe(*toggle),
              nlohmann::json::parse(R"({"kind":"switch","action":"toggleFeature:","enabled":false,"state":"on",
                  "value":"ON","tooltip":"OFFにします","label":"プレーン貼り付け"})"));
    EXPECT_EQ(toggle->layerStyle().backgroundColor, palette::accentAmber());
    EXPECT_EQ(state->textColor(), palette::subtleText());
}

TEST(SharedControlsTests, AListButtonNamesItsTitleAndSubtitleToTheUserAndAssistiveTechnology) {
    std::unique_ptr<TessarilButton> button(makeListButton("P2 英語", "右⌘ かな", false, {"selectPreset:", {}}, 260));
    EXPECT_EQ(button->toolTipText(), "P2 英語\n右⌘ かな");
    EXPECT_EQ(button->accessibilityLabel(), "P2 英語, 右⌘ かな");
    EXPECT_EQ(button->size(), QSize(260, 58));
}

} // namespace
} // namespace tessaril
