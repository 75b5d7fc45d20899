// A window made narrower than its pages (on a small screen) scrolls them sideways with a scroller a
// person can see and drag, and a rebuild keeps how far they were scrolled, as it keeps how far down.
#include <string>
#include <vector>

#include <QScrollBar>

#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindow.hpp"
#include "TessarilAppTests/SetsAndRegistry/RegistryDocuments.hpp"
#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"
#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {
namespace {

// A title bar of 20 and borders, as openbox draws them.
const QMargins openboxFrame(1, 20, 1, 5);

struct Screen {
    const char* name;
    QRect area;
};
const Screen desktop{"1920 × 1080", {0, 0, 1920, 1080}};
const Screen laptop{"1280 × 800", {0, 0, 1280, 800}};
const Screen netbook{"1024 × 600", {0, 0, 1024, 600}};

class SidewaysScrollingTests : public SettingsPageTest {
protected:
    appkit::Window& window() { return *qobject_cast<appkit::Window*>(delegate().settingsWindow.data()); }
    // The window as it opens on `screen`.
    void placeOn(const Screen& screen) {
        window().resize(SettingsWindow::contentWidth, SettingsWindow::contentHeight);
        window().placeIn(screen.area, openboxFrame);
        harness->finishStep();
    }
    appkit::ScrollView& page() {
        auto* view = qobject_cast<SettingsWindow*>(&window())->pageView();
        auto* scroll = qobject_cast<appkit::ScrollView*>(view);
        if (!scroll && view) scroll = view->findChild<appkit::ScrollView*>();
        EXPECT_NE(scroll, nullptr);
        return *scroll;
    }
};

// Where a page is wider than the window shows it, a horizontal scroller shows under it and reaches
// exactly its right edge; where it fits (every page at the window's full size) there is none.
TEST_F(SidewaysScrollingTests, APageShowsAHorizontalScrollerExactlyWhenItIsWiderThanItsView) {
    struct Case {
        SettingsTab tab;
        int desktopRange;
        int laptopRange;
        int netbookRange;
    };
    const std::vector<Case> cases = {
        {SettingsTab::basic, 0, 0, 0},
        {SettingsTab::shortcutGuard, 0, 0, 226},
        {SettingsTab::keypadHacks, 0, 0, 226},
        {SettingsTab::writingAssist, 0, 0, 226},
        {SettingsTab::fixedPhrases, 0, 0, 212},
        {SettingsTab::shortcutRegistry, 0, 0, 254},
        {SettingsTab::advanced, 0, 0, 226},
        {SettingsTab::support, 0, 0, 226},
    };
    for (const Case& each : cases) {
        start({.tab = each.tab});
        for (const auto& [screen, range] :
             {std::pair(desktop, each.desktopRange), std::pair(laptop, each.laptopRange), std::pair(netbook, each.netbookRange)}) {
            SCOPED_TRACE(std::string(rawValue(each.tab)) + " on " + screen.name);
            placeOn(screen);
            QScrollBar& bar = *page().horizontalScrollBar();
            EXPECT_EQ(bar.maximum(), range);
            EXPECT_EQ(bar.isVisibleTo(&page()), range > 0);
        }
    }
}

// On a small screen a rebuild of the page in view (after any save) keeps how far it is scrolled
// sideways as well as down; another tab starts at the top left.
TEST_F(SidewaysScrollingTests, ARebuildKeepsHowFarThePageIsScrolledBothWays) {
    for (const SettingsTab tab : {SettingsTab::shortcutRegistry, SettingsTab::advanced, SettingsTab::support, SettingsTab::keypadHacks}) {
        SCOPED_TRACE(rawValue(tab));
        start({.settings = testing::documentWithEveryGroup(), .tab = tab});
        placeOn(netbook);
        const QPoint offset(page().horizontalScrollBar()->maximum() - 7, page().verticalScrollBar()->maximum() / 2);
        ASSERT_GT(offset.x(), 0);
        ASSERT_GT(offset.y(), 0);
        page().setScrollOffset(offset);
        rebuild();
        EXPECT_EQ(page().scrollOffset(), offset);
        click({.action = "selectSettingsTabFromButton:", .identifier = "basic"});
        placeOn(netbook);
        EXPECT_EQ(page().scrollOffset(), QPoint(0, 0));
    }
}

} // namespace
} // namespace tessaril
