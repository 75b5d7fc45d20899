// A window made narrower than its pages (on a small screen) scrolls them sideways with a scroller a
// person can see and drag, and a rebuild keeps how far they were scrolled, as it keeps how far down;
// the set sheet does the same and keeps its header with "閉じる" whole above what it scrolls.
#include <string>
#include <vector>

#include <QRegion>
#include <QScrollBar>

#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetSheet.hpp"
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

TessarilSettings withGuardSet() {
    TessarilSettings settings;
    settings.shortcutGuardSets = {SettingsSet<DoublePressGuardSettings>("set-a", "セット A", settings.globalShortcutGuard, {})};
    return settings;
}

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
    appkit::Window* sheet() { return qobject_cast<appkit::Window*>(delegate().featureSetModalWindow.data()); }
    // The sheet's own scroll view; none at its full size.
    appkit::ScrollView* sheetScroll() {
        return sheet()->contentView()->findChild<appkit::ScrollView*>(QString(), Qt::FindDirectChildrenOnly);
    }
    void openSheet() {
        FeatureSetSheet(delegate()).showFeatureSetModal(SettingsTab::shortcutGuard);
        harness->finishStep();
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

// The sheet on a small screen scrolls its body both ways, with both scrollers shown, and a rebuild of
// the sheet (any of its actions) keeps how far; at full size it does not scroll at all.
TEST_F(SidewaysScrollingTests, ASmallSheetScrollsBothWaysAndARebuildKeepsItsOffset) {
    start({.settings = withGuardSet(), .tab = SettingsTab::shortcutGuard});
    placeOn(netbook);
    openSheet();
    sheet()->placeIn(netbook.area, openboxFrame);
    harness->finishStep();
    appkit::ScrollView* scroll = sheetScroll();
    ASSERT_NE(scroll, nullptr);
    EXPECT_TRUE(scroll->horizontalScrollBar()->isVisibleTo(scroll));
    EXPECT_TRUE(scroll->verticalScrollBar()->isVisibleTo(scroll));
    const QPoint offset(scroll->horizontalScrollBar()->maximum() - 3, scroll->verticalScrollBar()->maximum() - 5);
    ASSERT_GT(offset.x(), 0);
    ASSERT_GT(offset.y(), 0);
    scroll->setScrollOffset(offset);
    FeatureSetSheet(delegate()).rebuildFeatureSetModal();
    harness->finishStep();
    ASSERT_NE(sheetScroll(), scroll);
    EXPECT_EQ(sheetScroll()->scrollOffset(), offset);

    placeOn(desktop);
    openSheet();
    EXPECT_EQ(sheet()->size(), QSize(FeatureSetSheet::panelWidth, FeatureSetSheet::panelHeight));
    EXPECT_EQ(sheetScroll(), nullptr);
}

// "閉じる" shows whole, in the sheet's visible part and beside (never under) a scroller, on every
// screen, with a set (the sheet then scrolls down too) and without one.
TEST_F(SidewaysScrollingTests, TheSheetsCloseButtonShowsWholeAtEverySize) {
    for (const bool hasSet : {false, true}) {
        start({.settings = hasSet ? withGuardSet() : TessarilSettings{}, .tab = SettingsTab::shortcutGuard});
        for (const Screen& screen : {desktop, laptop, netbook}) {
            SCOPED_TRACE(std::string(screen.name) + (hasSet ? ", a set" : ", no set"));
            placeOn(screen);
            openSheet();
            sheet()->placeIn(screen.area, openboxFrame);
            harness->finishStep();
            const appkit::Control* close = harness->driver().find({.action = "closeFeatureSetModalFromButton"});
            ASSERT_NE(close, nullptr);
            const QWidget& button = close->widget();
            EXPECT_EQ(button.visibleRegion(), QRegion(button.rect()));
            const QRect inSheet(button.mapTo(sheet(), QPoint(0, 0)), button.size());
            EXPECT_TRUE(sheet()->rect().contains(inSheet));
            for (const QScrollBar* bar : sheet()->findChildren<QScrollBar*>()) {
                const QRect barInSheet(bar->mapTo(sheet(), QPoint(0, 0)), bar->size());
                EXPECT_FALSE(bar->isVisible() && barInSheet.intersects(inSheet));
            }
            EXPECT_GE(button.width(), button.sizeHint().width());
        }
    }
}

} // namespace
} // namespace tessaril
