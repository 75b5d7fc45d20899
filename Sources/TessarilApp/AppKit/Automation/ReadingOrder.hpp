#pragma once

#include <functional>
#include <vector>

class QWidget;

namespace tessaril::appkit {

class Control;

// The visible controls of a window in reading order. Each view's children are read in lines from top
// to bottom, and within a line from left to right, and each child is read whole before the next, so a
// sidebar is read before the page beside it. A child belongs to the line whose first child's vertical
// extent holds its centre, so a switch and a label centred in the same row read as one line.
// Rows of a long list that were not made yet are reached as a person reaches them: the list is
// scrolled until the row shows, which makes it.
std::vector<Control*> controlsInReadingOrder(QWidget& window);
// The same, one control at a time, until `visit` answers false; rows after that are not made.
void visitControlsInReadingOrder(QWidget& window, const std::function<bool(Control&)>& visit);

} // namespace tessaril::appkit
