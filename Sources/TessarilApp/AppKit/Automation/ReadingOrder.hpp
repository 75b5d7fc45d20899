#pragma once

#include <vector>

class QWidget;

namespace tessaril::appkit {

class Control;

// The visible controls of a window in reading order: lines from top to bottom, and within a line
// from left to right. A control belongs to the line whose first control's vertical extent holds its
// centre, so a switch and a label centred in the same row read as one line.
std::vector<Control*> controlsInReadingOrder(QWidget& window);

} // namespace tessaril::appkit
