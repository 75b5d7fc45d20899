#pragma once

#include <vector>

class QWidget;

namespace tessaril::appkit {

class Control;

// The visible controls of a window in reading order. Each view's children are read in lines from top
// to bottom, and within a line from left to right, and each child is read whole before the next, so a
// sidebar is read before the page beside it. A child belongs to the line whose first child's vertical
// extent holds its centre, so a switch and a label centred in the same row read as one line.
std::vector<Control*> controlsInReadingOrder(QWidget& window);

} // namespace tessaril::appkit
