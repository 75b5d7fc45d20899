#pragma once

#include <optional>

#include <QRect>

class QWidget;

namespace tessaril::appkit {

// What a person sees of a widget and how they bring it into view: every ancestor clips it (a scroll
// view's viewport, a fixed frame, the window) and so does the screen, and the only way to move it is
// a scroll bar that is shown. Main thread only.
namespace control_reveal {

// The part of `widget` that shows, in screen coordinates; none when nothing of it shows.
std::optional<QRect> shownFrame(const QWidget& widget);

// Whether a person sees `widget` whole. On an axis where it is larger than the area it shows in, it
// counts as whole when it fills that area from its leading edge (its top, its left), since no scroll
// could show more of it.
bool showsWhole(const QWidget& widget);

// Scrolls every scroll view around `widget` that has a shown scroll bar, innermost first, as little as
// shows it whole (or its leading edge first where it is larger than the view). Scroll views whose bar
// on an axis is hidden, or lies where none of it shows, are left as they are on that axis. Answers whether it then shows whole; where
// it does not, every scroll view is put back as it was.
bool reveal(QWidget& widget);

} // namespace control_reveal

} // namespace tessaril::appkit
