#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

#include <functional>

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
#include "TessarilApp/AppKit/View.hpp"
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

    // A scroll view whose document is a plain view of `size`; controls are placed on it by position.
    struct Scroller {
        ScrollView* scroll;
        View* document;
    };
    static Scroller makeScroller(QSize size, bool scrollsHorizontally) {
        auto* scroll = new ScrollView;
        scroll->setScrollsHorizontally(scrollsHorizontally);
        auto* document = new View;
        document->setFixedSize(size);
        scroll->setDocumentView(new View, document);
        return {scroll, document};
    }

    Button* placeButton(QWidget& parent, const std::string& title, const QRect& frame) {
        auto* button = new Button;
        button->setParent(&parent);
        button->setTitle(title);
        button->setFixedSize(frame.size());
        button->move(frame.topLeft());
        button->setAction(record(title));
        return button;
    }

    // A 200 × 100 view that does not scroll at the top left of `content`, holding a button its right
    // edge cuts and one wholly past that edge; below it a 300 × 150 scroll view without a horizontal bar
    // over a document of `documentSize`.
    struct ClippingViews {
        View* box;
        Scroller scroller;
    };
    ClippingViews placeClippingViews(View& content, QSize documentSize) {
        auto* box = new View(&content);
        box->setGeometry(0, 0, 200, 100);
        placeButton(*box, "cut", {150, 10, 100, 30});
        placeButton(*box, "hidden", {300, 10, 100, 30});
        const auto scroller = makeScroller(documentSize, false);
        scroller.scroll->setParent(&content);
        scroller.scroll->setGeometry(0, 120, 300, 150);
        return {box, scroller};
    }

    // The window, shown at a known place on the screen.
    static void showAt(Window& window, QPoint origin) {
        window.move(origin);
        window.show();
        UIDriver::runPendingWork();
    }

    static json frameOf(const json& line) { return line["control"].value("frame", json(nullptr)); }

    EventMonitors monitors;
    UIDriver driver{monitors};
    std::vector<std::string> actions;
    Button* toggle = nullptr;
};

TEST_F(UIDriverTests, QueriesDescribeControlsInReadingOrderWithTheirFullTitles) {
    auto window = makeWindow("設定");
    window->setContentView(makeRows());
    showAt(*window, {40, 30});

    std::vector<std::string> kinds;
    for (const auto& line : driver.queryAll({})) kinds.push_back(line["control"]["kind"]);
    EXPECT_EQ(kinds, (std::vector<std::string>{"label", "switch", "popup", "field", "button"}));

    EXPECT_EQ(driver.query({.title = "状態ラベルはとても長いので画面では省略されます"}),
              json::parse(R"({"control":{"kind":"label","title":"状態ラベルはとても長いので画面では省略されます","enabled":true,
                  "frame":[40,35,60,19]}})"));
    EXPECT_EQ(driver.query({.identifier = "plainPaste"}),
              json::parse(R"({"control":{"kind":"switch","action":"toggleTextToolEnabled:","identifier":"plainPaste",
                  "enabled":true,"state":"off","value":"OFF","tooltip":"ONにします","label":"状態","frame":[108,30,34,30]}})"));
    EXPECT_EQ(driver.query({.action = "selectKeypadHackTargetFromPopup:"}),
              json::parse(R"({"control":{"kind":"popup","action":"selectKeypadHackTargetFromPopup:","enabled":true,
                  "items":["デフォルト","-","Safari"],"selected":"Safari","frame":[150,31,97,27]}})"));
    EXPECT_EQ(driver.query({.placeholder = "0.00"}),
              json::parse(R"({"control":{"kind":"field","action":"updateLeftCommandSeconds","enabled":true,"value":"0.12",
                  "frame":[40,72,118,25]}})"));
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

// Rows that turn out taller than announced grow the list as they are made; the driver reaches the
// last of them, which lies below where the list first ended, once the page is laid out again.
TEST_F(UIDriverTests, ARowMadeTallerThanAnnouncedIsReachedWhereItEndsUp) {
    constexpr std::size_t rowCount = 30;
    auto window = makeWindow("一覧");
    auto* scroll = new ScrollView;
    auto* page = new StackView(StackView::Orientation::vertical);
    page->setAlignment(StackView::Alignment::leading);
    auto* list = new LazyRowsView(300, std::vector<int>(rowCount, 40), 0, [this](std::size_t index) {
        auto* button = new Button;
        button->setTitle("row " + std::to_string(index));
        button->setFixedHeight(60);
        button->setAction(record("row " + std::to_string(index)));
        return button;
    });
    page->addArrangedSubview(list);
    scroll->setDocumentView(new View, page);
    window->setContentView(scroll);
    showAt(*window, {0, 0});

    EXPECT_EQ(driver.click({.title = "row 29"}), UIDriver::Outcome::performed);
    EXPECT_EQ(actions, std::vector<std::string>{"row 29"});
    EXPECT_EQ(frameOf(driver.query({.title = "row 29"})), json({0, scroll->viewport()->height() - 60, 300, 60}));
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

// A 500 × 300 window scrolled both ways over a 1200 × 900 document: buttons below and to the right of
// the view, and three small scroll views of their own: one further down holding a button near its
// bottom, one holding a button taller than itself, and one whose bar lies just past the view's right
// edge. Each reveal moves the scroll bars as little as shows the button whole (a taller one from its
// top); a scroll view out of view, or whose bar is, is first brought into view with its bar so that the
// bar can be used; and the button then shows at full size.
TEST_F(UIDriverTests, ARevealScrollsTheShownScrollBarsAsLittleAsShowsTheControlWhole) {
    auto window = makeWindow("設定");
    const auto outer = makeScroller({1200, 900}, true);
    placeButton(*outer.document, "below", {20, 700, 100, 30});
    placeButton(*outer.document, "right", {1000, 20, 100, 30});
    placeButton(*outer.document, "corner", {1000, 800, 100, 30});
    placeButton(*outer.document, "far middle", {1000, 400, 100, 30});
    std::vector<ScrollView*> inners;
    const auto addInner = [&](const QRect& frame, const std::string& title, const QRect& button) {
        const auto inner = makeScroller({180, 400}, false);
        inner.scroll->setParent(outer.document);
        inner.scroll->setGeometry(frame);
        placeButton(*inner.document, title, button);
        inners.push_back(inner.scroll);
    };
    addInner({600, 400, 200, 100}, "inner", {10, 300, 100, 30});
    addInner({100, 400, 200, 100}, "tall", {10, 50, 100, 250});
    addInner({400, 100, 200, 100}, "beside", {10, 80, 100, 30});
    window->setContentView(outer.scroll);
    showAt(*window, {40, 30});
    QScrollBar& across = *outer.scroll->horizontalScrollBar();
    QScrollBar& down = *outer.scroll->verticalScrollBar();
    const int viewWidth = outer.scroll->viewport()->width();
    const int viewHeight = outer.scroll->viewport()->height();
    ASSERT_LT(viewWidth, 500);
    ASSERT_LT(viewHeight, 300);
    ASSERT_EQ(inners[0]->viewport()->size(), QSize(186, 100));
    // The third view's bar starts past the outer view's right edge.
    ASSERT_GT(586, viewWidth);

    struct Case {
        const char* title;
        int across, down;
        std::vector<int> innerDowns;
        json frame;
    };
    const Case cases[] = {
        {"below", 0, 730 - viewHeight, {0, 0, 0}, {40 + 20, 30 + viewHeight - 30, 100, 30}},
        {"right", 1100 - viewWidth, 0, {0, 0, 0}, {40 + viewWidth - 100, 30 + 20, 100, 30}},
        {"corner", 1100 - viewWidth, 830 - viewHeight, {0, 0, 0}, {40 + viewWidth - 100, 30 + viewHeight - 30, 100, 30}},
        // Out of view, the inner view is first brought whole into the outer one, its bar included, then
        // scrolls to show the button at its bottom.
        {"inner", 800 - viewWidth, 500 - viewHeight, {230, 0, 0}, {40 + viewWidth - 190, 30 + viewHeight - 30, 100, 30}},
        // Taller than its view: its top at the view's top, and the outer view shows what the inner shows.
        {"tall", 0, 500 - viewHeight, {0, 50, 0}, {40 + 110, 30 + viewHeight - 100, 100, 100}},
        // Partly in view, but the bar that would show the rest is out of it until the outer view moves.
        {"beside", 600 - viewWidth, 0, {0, 0, 10}, {40 + viewWidth - 190, 30 + 100 + 70, 100, 30}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        across.setValue(0);
        down.setValue(0);
        for (ScrollView* inner : inners) inner->verticalScrollBar()->setValue(0);
        EXPECT_EQ(driver.reveal({.title = test.title}), UIDriver::Outcome::performed);
        EXPECT_EQ(across.value(), test.across);
        EXPECT_EQ(down.value(), test.down);
        std::vector<int> innerDowns;
        for (ScrollView* inner : inners) innerDowns.push_back(inner->verticalScrollBar()->value());
        EXPECT_EQ(innerDowns, test.innerDowns);
        EXPECT_EQ(frameOf(driver.query({.title = test.title})), test.frame);
        // Already in view, a second reveal moves nothing.
        EXPECT_EQ(driver.reveal({.title = test.title}), UIDriver::Outcome::performed);
        EXPECT_EQ(down.value(), test.down);
    }
    // Already in view from top to bottom, away from the view's edges, it only moves sideways.
    across.setValue(0);
    down.setValue(300);
    EXPECT_EQ(driver.reveal({.title = "far middle"}), UIDriver::Outcome::performed);
    EXPECT_EQ(across.value(), 1100 - viewWidth);
    EXPECT_EQ(down.value(), 300);
    EXPECT_EQ(driver.reveal({.title = "none"}), UIDriver::Outcome::missing);
    EXPECT_TRUE(actions.empty());
}

// A click, a choice, typing and Return each bring their control into view before acting on it. Where
// the view has no horizontal scroll bar, the controls off to the right are out of reach: nothing is
// scrolled and nothing acts.
TEST_F(UIDriverTests, EveryActionScrollsItsControlIntoViewFirstOrDoesNothingWhereItCannot) {
    for (const bool scrollsHorizontally : {true, false}) {
        SCOPED_TRACE(scrollsHorizontally ? "with a horizontal scroll bar" : "without one");
        actions.clear();
        auto window = makeWindow("設定");
        const auto outer = makeScroller({1200, 900}, scrollsHorizontally);
        placeButton(*outer.document, "right", {1000, 20, 100, 30});
        auto* popup = new PopUpButton;
        popup->setParent(outer.document);
        popup->addItem("一");
        popup->addItem("二");
        popup->setAction(record("choose"));
        popup->setFixedSize(120, 26);
        popup->move(20, 800);
        auto* field = new TextField;
        field->setParent(outer.document);
        field->setPlaceholder("秒");
        field->setAction(record("commit"));
        field->setFixedSize(100, 24);
        field->move(1000, 600);
        window->setContentView(outer.scroll);
        showAt(*window, {0, 0});
        QScrollBar& across = *outer.scroll->horizontalScrollBar();
        QScrollBar& down = *outer.scroll->verticalScrollBar();
        ASSERT_EQ(across.isVisible(), scrollsHorizontally);
        const int viewWidth = outer.scroll->viewport()->width();
        const int viewHeight = outer.scroll->viewport()->height();
        const auto reachable = scrollsHorizontally ? UIDriver::Outcome::performed : UIDriver::Outcome::unreachable;

        struct Case {
            const char* name;
            std::function<UIDriver::Outcome()> act;
            UIDriver::Outcome outcome;
            int across, down;
            std::vector<std::string> actions;
        };
        const std::vector<Case> cases = {
            {"click", [&] { return driver.click({.title = "right"}); }, reachable, 1100 - viewWidth, 0, {"right"}},
            {"choose", [&] { return driver.choose({.action = "choose"}, "二"); }, UIDriver::Outcome::performed, 0, 826 - viewHeight,
             {"choose"}},
            {"type", [&] { return driver.type({.placeholder = "秒"}, "12"); }, reachable, 1100 - viewWidth, 624 - viewHeight, {}},
            {"return", [&] { return driver.pressReturn({.placeholder = "秒"}); }, reachable, 1100 - viewWidth, 624 - viewHeight,
             {"commit"}},
        };
        for (const auto& test : cases) {
            SCOPED_TRACE(test.name);
            across.setValue(0);
            down.setValue(0);
            actions.clear();
            EXPECT_EQ(test.act(), test.outcome);
            const bool acted = test.outcome == UIDriver::Outcome::performed;
            EXPECT_EQ(across.value(), acted ? test.across : 0);
            EXPECT_EQ(down.value(), acted ? test.down : 0);
            EXPECT_EQ(actions, acted ? test.actions : std::vector<std::string>{});
        }
        EXPECT_EQ(field->stringValue(), scrollsHorizontally ? "12" : "");
        EXPECT_EQ(popup->selectedItemTitle(), "二");
    }
}

// Out of reach: cut by a view that does not scroll, or by a scroll view whose bar on that axis is
// hidden or lies past the window's edge, or behind a modal sheet where it would need scrolling. A
// control wider than the area it shows in is in reach where it fills that area from its left edge.
TEST_F(UIDriverTests, AControlThatCannotBeShownWholeIsOutOfReach) {
    auto window = makeWindow("設定");
    auto* content = new View;
    const auto [box, scroller] = placeClippingViews(*content, {900, 600});
    placeButton(*box, "fills", {0, 50, 300, 20});
    placeButton(*box, "overhangs", {20, 75, 300, 20});
    placeButton(*scroller.document, "sideways", {250, 10, 100, 30});
    placeButton(*scroller.document, "down", {10, 500, 100, 30});
    placeButton(*scroller.document, "shown", {10, 10, 100, 30});
    placeButton(*scroller.document, "disabled", {10, 400, 100, 30})->setEnabled(false);
    // A scroll view reaching past the window's bottom edge: its horizontal bar is shown but cannot be seen.
    const auto pastTheEdge = makeScroller({600, 100}, true);
    pastTheEdge.scroll->setParent(content);
    pastTheEdge.scroll->setGeometry(310, 200, 180, 150);
    placeButton(*pastTheEdge.document, "past the edge", {150, 10, 100, 30});
    window->setContentView(content);
    showAt(*window, {0, 0});
    QScrollBar& down = *scroller.scroll->verticalScrollBar();
    ASSERT_TRUE(pastTheEdge.scroll->horizontalScrollBar()->isVisible());

    for (const char* title : {"cut", "hidden", "overhangs", "sideways", "past the edge"}) {
        EXPECT_EQ(driver.reveal({.title = title}), UIDriver::Outcome::unreachable) << title;
        EXPECT_EQ(driver.click({.title = title}), UIDriver::Outcome::unreachable) << title;
    }
    EXPECT_EQ(scroller.scroll->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(pastTheEdge.scroll->horizontalScrollBar()->value(), 0);
    // A disabled control out of view is not scrolled to.
    EXPECT_EQ(driver.click({.title = "disabled"}), UIDriver::Outcome::disabled);
    EXPECT_EQ(down.value(), 0);
    EXPECT_EQ(driver.reveal({.title = "fills"}), UIDriver::Outcome::performed);
    EXPECT_EQ(frameOf(driver.query({.title = "fills"})), json({0, 50, 200, 20}));

    // Behind a sheet nothing scrolls, and what shows is all there is.
    auto sheet = makeWindow("シート");
    sheet->setContentView(new View);
    window->beginSheet(*sheet);
    UIDriver::runPendingWork();
    EXPECT_EQ(driver.reveal({.title = "down"}), UIDriver::Outcome::unreachable);
    EXPECT_EQ(driver.click({.title = "down"}), UIDriver::Outcome::disabled);
    EXPECT_EQ(down.value(), 0);
    EXPECT_EQ(driver.reveal({.title = "shown"}), UIDriver::Outcome::performed);
    EXPECT_EQ(driver.click({.title = "shown"}), UIDriver::Outcome::disabled);
    window->endSheet(*sheet);
    EXPECT_EQ(driver.reveal({.title = "down"}), UIDriver::Outcome::performed);
    EXPECT_EQ(down.value(), 530 - scroller.scroll->viewport()->height());
    EXPECT_TRUE(actions.empty());
}

// The frame is what shows: cut by the scroll view's edge, by a view that does not scroll and by the
// edge of the screen; left out where nothing shows.
TEST_F(UIDriverTests, TheFrameIsThePartOfTheControlThatShowsOnTheScreen) {
    auto window = makeWindow("設定");
    auto* content = new View;
    const auto scroller = placeClippingViews(*content, {300, 600}).scroller;
    placeButton(*scroller.document, "half", {10, 135, 100, 30});
    placeButton(*scroller.document, "below", {10, 300, 100, 30});
    placeButton(*content, "edge", {460, 10, 40, 30});
    window->setContentView(content);
    // The window's right 20 points lie past the screen's right edge.
    const int left = QGuiApplication::primaryScreen()->geometry().right() + 1 - 480;
    showAt(*window, {left, 100});
    ASSERT_EQ(window->screen(), QGuiApplication::primaryScreen());

    struct Case {
        const char* title;
        json frame;
    };
    const Case cases[] = {
        {"cut", {left + 150, 110, 50, 30}},
        {"hidden", nullptr},
        {"half", {left + 10, 100 + 120 + 135, 100, 15}},
        {"below", nullptr},
        {"edge", {left + 460, 110, 20, 30}},
    };
    for (const auto& test : cases) EXPECT_EQ(frameOf(driver.query({.title = test.title})), test.frame) << test.title;
    EXPECT_EQ(driver.reveal({.title = "edge"}), UIDriver::Outcome::unreachable);
}

} // namespace
} // namespace tessaril::appkit
