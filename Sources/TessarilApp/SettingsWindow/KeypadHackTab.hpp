#pragma once

#include <string>
#include <vector>

#include "TessarilCore/Rules/KeypadShortcutHackKey.hpp"
#include "TessarilCore/Rules/KeypadShortcutHackRule.hpp"

class QWidget;

namespace tessaril {

class AppDelegate;

// The keypad-hack page ("テンキーハック"): the target bar, one row per keypad key (modifier, output,
// presets, state), the keypad "=" row and the note on where edits go. Built from the selected
// target's values on every rebuild; read-only for an application that follows the default or has no
// entry and no set. Keeps no state; main thread only.
class KeypadHackTab {
public:
    explicit KeypadHackTab(AppDelegate& delegate) : delegate_(delegate) {}

    // The whole page in its scroll view.
    QWidget* makeKeypadHackTab();
    QWidget* makeKeypadHackTargetBar();
    std::vector<QWidget*> makeKeypadHackSettingCells(KeypadShortcutHackKey key, const KeypadShortcutHackRule& rule,
                                                     bool isEditable);
    QWidget* makeKeypadHackOutputControls(KeypadShortcutHackKey key, const std::string& outputText, bool isEditable);

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
