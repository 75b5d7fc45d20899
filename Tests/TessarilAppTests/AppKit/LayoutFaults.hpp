#pragma once

#include <string>
#include <vector>

class QWidget;

namespace tessaril::appkit {

// What a user would see wrong in a laid-out widget tree, one line per fault naming the widget (its
// class, identifier and text) and its geometry in the root's coordinates:
// - a visible control, text or painted box that reaches past the area its ancestors show (a scroll
//   view shows its document's whole extent along the axes it scrolls, and only its visible width or
//   height along the others); only the innermost such widgets are named;
// - a text cut short: a label whose shown text lacks part of its text or whose lines are taller than
//   it, a button's or pop-up's title wider than its title area; unless the label elides by design,
//   which it shows by carrying the whole text in its own tool tip or an enclosing one;
// - two visible siblings that overlap.
// Windows inside the tree (sheets, panels) are left to their own audit. Main thread only.
std::vector<std::string> layoutFaults(QWidget& root);

} // namespace tessaril::appkit
