#include <gtest/gtest.h>

#include <QScrollBar>

#include <memory>
#include <string>
#include <vector>

#include "TessarilApp/AppKit/Automation/UIDriver.hpp"
#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/EventMonitors.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/LazyRowsView.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/AppKit/Window.hpp"

namespace tessaril::appkit {
namespace {

using nlohmann::json;

class UIDriverTests : public ::testing::Test {
protected:
    std::unique_ptr<Window> makeWindow(const std::string& title) {
        auto window = std::make_unique<Window>(Window::Configuration{{500, 300}, {100, 100}, title, true, false, QColor(Qt::black)});
        window->setAttribute(Qt::WA_DontShowOnScreen);
        return window;
    }

    Action record(const std::string& selector) {
        return Action{selector, [this, selector](Control&) { actions.push_back(selector); }};
    }

    // One row: a label lower than the switch's top (centred in a taller row), the switch, a popup;
    // a second row: a field and a disabled button.
    StackView* makeRows() {
        auto* page = new StackView(StackView::Orientation::vertical);
        page->setAlignment(StackView::Alignment::leading);
        page->setSpacing(10);
        auto* row = new StackView(StackView::Orientation::horizontal);
        row->setSpacing(8);
        auto* label = new Label("状態ラベルはとても長いので画面では省略されます");
        label->setFixedWidth(60);
        toggle = new Button(Button::ButtonType::toggle);
        toggle->setKind(ControlKind::switchButton);
        toggle->setFixedSize(34, 30);
        toggle->setIdentifier("plainPaste");
        toggle->setAction(record("toggleTextToolEnabled:"));
        toggle->setAccessibilityLabel("状態");
        toggle->setAccessibilityValue("OFF");
        toggle->setToolTip(QStringLiteral("ONにします"));
        auto* popup = new PopUpButton;
        popup->addItem("デフォルト", "__default__");
        popup->addSeparator();
        popup->addItem("Safari", "com.apple.Safari");
        popup->selectItem(2);
        popup->setAction(record("selectKeypadHackTargetFromPopup:"));
        row->addArrangedSubview(label);
        row->addArrangedSubview(toggle);
        row->addArrangedSubview(popup);
        auto* second = new StackView(StackView::Orientation::horizontal);
        auto* field = new TextField;
        field->setPlaceholder("0.00");
        field->setStringValue("0.12");
        field->setAction(record("updateLeftCommandSeconds"));
        auto* disabled = new Button;
        disabled->setTitle("削除");
        disabled->setAction(record("deleteSelectedAppKeypadHackTarget"));
        disabled->setEnabled(false);
        second->addArrangedSubview(field);
        second->addArrangedSubview(disabled);
        page->addArrangedSubview(row);
        page->addArrangedSubview(second);
        return page;
    }

    EventMonitors monitors;
    UIDriver driver{monitors};
    std::vector<std::string> actions;
    Button* toggle = nullptr;
};

TEST_F(UIDriverTests, QueriesDescribeControlsInReadingOrderWithTheirFullTitles) {
    auto window = makeWindow("設定");
    window->setContentView(makeRows());
    window->show();
    UIDriver::runPendingWork();

    std::vector<std::string> kinds;
    for (const auto& line : driver.queryAll({})) kinds.push_back(line["control"]["kind"]);
    EXPECT_EQ(kinds, (std::vector<std::string>{"label", "switch", "popup", "field", "button"}));

    EXPECT_EQ(driver.query({.title = "状態ラベルはとても長いので画面では省略されます"}),
              json::parse(R"({"control":{"kind":"label","title":"状態ラベルはとても長いので画面では省略されます","enabled":true}})"));
    EXPECT_EQ(driver.query({.identifier = "plainPaste"}),
              json::parse(R"({"control":{"kind":"switch","action":"toggleTextToolEnabled:","identifier":"plainPaste",
                  "enabled":true,"state":"off","value":"OFF","tooltip":"ONにします","label":"状態"}})"));
    EXPECT_EQ(driver.query({.action = "selectKeypadHackTargetFromPopup:"}),
              json::parse(R"({"control":{"kind":"popup","action":"selectKeypadHackTargetFromPopup:","enabled":true,
                  "items":["デフォルト","-","Safari"],"selected":"Safari"}})"));
    EXPECT_EQ(driver.query({.placeholder = "0.00"}),
              json::parse(R"({"control":{"kind":"field","action":"updateLeftCommandSeconds","enabled":true,"value":"0.12"}})"));
    EXPECT_EQ(driver.query({.action = "toggleTextToolEnabled:", .index = 1}), json::parse(R"({"control":null})"));
}

// A long list makes its rows as they scroll into view; the driver reaches a row that was not made
// yet by scrolling to it, as a person would, and goes no further than the row it looks for.
TEST_F(UIDriverTests, RowsOfALongListAreMadeAsTheyScrollIntoViewAndTheDriverScrollsToThem) {
    constexpr int rowHeight = 40;
    constexpr std::size_t rowCount = 100;
    auto window = makeWindow("一覧");
    auto* scroll = new ScrollView;
    auto* list = new LazyRowsView(300, std::vector<int>(rowCount, rowHeight), 0, [this](std::size_t index) {
        auto* button = new Button;
        button->setTitle("row " + std::to_string(index));
        button->setFixedHeight(rowHeight);
        button->setAction(record("row " + std::to_string(index)));
        return button;
    });
    scroll->setDocumentView(new View, list);
    window->setContentView(scroll);
    window->show();
    UIDriver::runPendingWork();
    list->makeVisibleRows();

    const auto madeRows = [&] {
        std::size_t made = 0;
        for (std::size_t index = 0; index < rowCount; ++index) made += list->isRowMade(index);
        return made;
    };
    const int visibleRows = scroll->viewport()->height() / rowHeight + 1;
    EXPECT_EQ(madeRows(), static_cast<std::size_t>(visibleRows));
    // The scroll range is the whole list's from the start.
    EXPECT_EQ(scroll->verticalScrollBar()->maximum(), rowHeight * static_cast<int>(rowCount) - scroll->viewport()->height());

    EXPECT_EQ(driver.click({.title = "row 20"}), UIDriver::Outcome::performed);
    EXPECT_EQ(actions, std::vector<std::string>{"row 20"});
    EXPECT_EQ(scroll->verticalScrollBar()->value(), 21 * rowHeight - scroll->viewport()->height());
    EXPECT_FALSE(list->isRowMade(40));

    EXPECT_EQ(driver.query({.title = "row 99"})["control"]["title"], "row 99");
    EXPECT_EQ(scroll->verticalScrollBar()->value(), scroll->verticalScrollBar()->maximum());
    EXPECT_EQ(driver.queryAll({}).size(), rowCount);
}

TEST_F(UIDriverTests, TheMostRecentlyShownWindowIsSearchedFirst) {
    auto settings = makeWindow("設定");
    auto* first = new Button;
    first->setTitle("OK");
    first->setIdentifier("settings");
    settings->setContentView(first);
    auto sheet = makeWindow("セット");
    auto* second = new Button;
    second->setTitle("OK");
    second->setIdentifier("sheet");
    sheet->setContentView(second);
    sheet->show();
    settings->show();
    EXPECT_EQ(driver.query({.title = "OK"})["control"]["identifier"], "settings");
    sheet->hide();
    sheet->show();
    EXPECT_EQ(driver.query({.title = "OK"})["control"]["identifier"], "sheet");
    EXPECT_EQ(driver.query({.title = "OK", .index = 1})["control"]["identifier"], "settings");
}

TEST_F(UIDriverTests, AClickActsOnlyIfTheControlIsThereUsableAndStillShownAfterTheMonitors) {
    auto window = makeWindow("設定");
    window->setContentView(makeRows());
    window->show();

    EXPECT_EQ(driver.click({.identifier = "nothing"}), UIDriver::Outcome::missing);
    EXPECT_EQ(driver.click({.title = "削除"}), UIDriver::Outcome::disabled);
    EXPECT_EQ(driver.click({.placeholder = "0.00"}), UIDriver::Outcome::missing); // a field is not clicked
    EXPECT_EQ(driver.click({.identifier = "plainPaste"}), UIDriver::Outcome::performed);
    EXPECT_TRUE(toggle->isOn());

    // A monitor that rebuilds at once takes the control away from under the press.
    const auto token = monitors.addLocalMonitor(Event::leftMouseDownMask, [&](const Event& event) {
        window->setContentView(new View);
        return std::optional<Event>(event);
    });
    EXPECT_EQ(driver.click({.identifier = "plainPaste"}), UIDriver::Outcome::performed);
    monitors.removeMonitor(token);
    EXPECT_EQ(actions, std::vector<std::string>{"toggleTextToolEnabled:"});
}

TEST_F(UIDriverTests, ChoosingTypingAndReturnGoThroughTheControlsOwnPaths) {
    auto window = makeWindow("設定");
    window->setContentView(makeRows());
    window->show();
    int mousePresses = 0;
    monitors.addLocalMonitor(Event::leftMouseDownMask, [&](const Event& event) {
        ++mousePresses;
        return std::optional<Event>(event);
    });

    EXPECT_EQ(driver.choose({.action = "selectKeypadHackTargetFromPopup:"}, "Safari"), UIDriver::Outcome::performed);
    EXPECT_EQ(driver.choose({.action = "selectKeypadHackTargetFromPopup:"}, "Chrome"), UIDriver::Outcome::missing);
    EXPECT_EQ(driver.type({.placeholder = "0.00"}, "abc"), UIDriver::Outcome::performed);
    EXPECT_EQ(driver.query({.placeholder = "0.00"})["control"]["value"], "abc");
    EXPECT_EQ(driver.pressReturn({.placeholder = "0.00"}), UIDriver::Outcome::performed);
    EXPECT_EQ(actions, (std::vector<std::string>{"selectKeypadHackTargetFromPopup:", "updateLeftCommandSeconds"}));
    EXPECT_EQ(mousePresses, 1);
}

} // namespace
} // namespace tessaril::appkit
