#pragma once

#include <QKeySequence>
#include <QMenu>

#include "TessarilApp/Shell/Menu.hpp"
#include "TessarilApp/Shell/StatusItem.hpp"

namespace tessaril {

// Fills a Qt menu with the items of a menu model, submenus included: titles shown as written (no
// mnemonics), a check mark on the items that are on, key equivalents as Ctrl shortcuts, tooltips, and
// each chosen item handed to `handler` as the model's item. Main thread.
// A key equivalent as a Ctrl shortcut: a lower-case letter with Ctrl, an upper-case one with Ctrl+Shift;
// none for anything but one character.
QKeySequence keySequence(const std::string& keyEquivalent);

void renderMenu(const Menu& menu, QMenu& target, const StatusItem::MenuHandler& handler);

} // namespace tessaril
