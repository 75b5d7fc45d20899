#include "TessarilApp/AppKit/Automation/ControlReveal.hpp"

#include <algorithm>
#include <vector>

#include <QAbstractScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>

namespace tessaril::appkit::control_reveal {

namespace {

QRect globalFrame(const QWidget& widget) { return {widget.mapToGlobal(QPoint(0, 0)), widget.size()}; }

// The scroll view whose viewport `widget` is, if it is one.
QAbstractScrollArea* scrollAreaOfViewport(const QWidget& widget) {
    auto* area = qobject_cast<QAbstractScrollArea*>(widget.parentWidget());
    return area && area->viewport() == &widget ? area : nullptr;
}

// The area the ancestors of `widget` leave it to show in, those below `stop` only; without `stop`,
// every ancestor up to its window, and the window's screen.
QRect areaAround(const QWidget& widget, const QWidget* stop = nullptr) {
    constexpr int unbounded = 1 << 24;
    QRect area(-unbounded, -unbounded, 2 * unbounded, 2 * unbounded);
    for (const QWidget* ancestor = &widget; !ancestor->isWindow() && ancestor->parentWidget() != stop;) {
        ancestor = ancestor->parentWidget();
        if (!ancestor) break;
        area &= globalFrame(*ancestor);
    }
    if (stop) return area;
    if (const QScreen* screen = widget.window()->screen()) area &= screen->geometry();
    return area;
}

// A scroll bar moved on the way, and where it was.
struct Moved {
    QScrollBar* bar;
    int value;
};

// Moves `bar` as little as brings [start, end) into [viewStart, viewEnd), or the start to the view's
// start where the span is the longer. A bar that is hidden, or lies where none of it shows (past the
// window's edge, or out of the view around its own), is no way to move the view. Answers whether the
// view needed moving but could not be.
bool scrollAlong(QScrollBar& bar, int start, int end, int viewStart, int viewEnd, std::vector<Moved>& moved) {
    // The end brought in, but never the start pushed out.
    const int delta = std::min(std::max(end - viewEnd, 0), start - viewStart);
    if (delta == 0) return false;
    if (!bar.isVisible() || !shownFrame(bar)) return true;
    moved.push_back({&bar, bar.value()});
    bar.setValue(bar.value() + delta);
    return false;
}

// Whole along one axis: all of it shows, or it starts where the area it shows in starts and fills it.
bool wholeAlong(int start, int end, int shownStart, int shownEnd, int areaStart, int areaEnd) {
    return shownStart == start && (shownEnd == end || (start == areaStart && shownEnd == areaEnd));
}

} // namespace

std::optional<QRect> shownFrame(const QWidget& widget) {
    const QRect shown = globalFrame(widget) & areaAround(widget);
    if (shown.isEmpty()) return std::nullopt;
    return shown;
}

bool showsWhole(const QWidget& widget) {
    const QRect whole = globalFrame(widget);
    const QRect area = areaAround(widget);
    const QRect shown = whole & area;
    if (shown.isEmpty()) return false;
    return wholeAlong(whole.left(), whole.right() + 1, shown.left(), shown.right() + 1, area.left(), area.right() + 1) &&
           wholeAlong(whole.top(), whole.bottom() + 1, shown.top(), shown.bottom() + 1, area.top(), area.bottom() + 1);
}

namespace {

// One round from the innermost scroll view around `widget` outwards; answers whether any bar moved.
// A scroll view that could not show the widget because its bar is out of sight, or that the widget
// lies outside the visible part of, is first brought, bars and all, into the view around it, so that
// its bars show for the next round, as a person scrolls to a list before scrolling the list.
bool revealRound(QWidget& widget, std::vector<Moved>& moved) {
    const std::size_t before = moved.size();
    const QWidget* innerArea = nullptr;
    bool innerIsStuck = false;
    for (QWidget* ancestor = widget.parentWidget(); ancestor && !ancestor->isWindow(); ancestor = ancestor->parentWidget()) {
        QAbstractScrollArea* area = scrollAreaOfViewport(*ancestor);
        if (!area) continue;
        // What the views inside this one leave of the widget is what this one must show.
        QRect target = globalFrame(widget) & areaAround(widget, ancestor);
        if (innerArea && (target.isEmpty() || innerIsStuck)) target = globalFrame(*innerArea) & areaAround(*innerArea, ancestor);
        if (target.isEmpty()) break;
        const QRect view = globalFrame(*ancestor);
        const bool stuckAcross =
            scrollAlong(*area->horizontalScrollBar(), target.left(), target.right() + 1, view.left(), view.right() + 1, moved);
        const bool stuckDown =
            scrollAlong(*area->verticalScrollBar(), target.top(), target.bottom() + 1, view.top(), view.bottom() + 1, moved);
        innerArea = area;
        innerIsStuck = stuckAcross || stuckDown;
    }
    return moved.size() > before;
}

} // namespace

bool reveal(QWidget& widget) {
    std::vector<Moved> moved;
    // Each round may show a bar the next one can move; a few rounds reach any nesting the window has.
    for (int round = 0; round < 4 && !showsWhole(widget); ++round) {
        if (!revealRound(widget, moved)) break;
    }
    if (showsWhole(widget)) return true;
    // Out of reach: a person who found no way to it leaves the views as they were.
    for (auto back = moved.rbegin(); back != moved.rend(); ++back) back->bar->setValue(back->value);
    return false;
}

} // namespace tessaril::appkit::control_reveal
