#pragma once

#include <vector>

#include "TessarilCore/Rules/TextToolAction.hpp"
#include "TessarilCore/Rules/TextToolShortcutRule.hpp"

class QWidget;

namespace tessaril {

namespace appkit {
class Button;
class PopUpButton;
} // namespace appkit

class AppDelegate;

// The basic page ("基本"), the first of the window: the preset being edited, the login item, the
// Command keys of that preset as switches, the plain copy and paste tools, the character count with
// its panel position and result copy, and the quick guide. Built from the current values and the
// running shortcut capture on every rebuild. Keeps no state; main thread only.
class BasicTab {
public:
    explicit BasicTab(AppDelegate& delegate) : delegate_(delegate) {}

    QWidget* makeBasicTab();
    // Title, shortcut button, description and switch of one text tool.
    std::vector<QWidget*> makeTextToolCells(TextToolAction action, const TextToolShortcutRule& rule);
    QWidget* makeCharacterCountPanel();
    appkit::PopUpButton* makeCharacterCountPositionPopup();

private:
    // "キー入力中..." in amber while this tool's shortcut is being captured, else the shortcut.
    appkit::Button* makeTextToolShortcutButton(TextToolAction action, const TextToolShortcutRule& rule);

    AppDelegate& delegate_;
};

} // namespace tessaril
