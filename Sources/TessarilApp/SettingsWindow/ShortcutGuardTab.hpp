#pragma once

#include <vector>

#include "TessarilCore/Rules/ShortcutGuardRule.hpp"

class QWidget;

namespace tessaril {

class AppDelegate;

// The shortcut-guard page ("誤爆防止"): the target bar and the rules pane (header, the guard's switch,
// one row per rule, the add row). Built from the selected target's values on every rebuild; read-only
// for an application that follows the default or has neither entry nor set. Keeps no state; main
// thread only.
class ShortcutGuardTab {
public:
    explicit ShortcutGuardTab(AppDelegate& delegate) : delegate_(delegate) {}

    QWidget* makeShortcutGuardTab();
    QWidget* makeShortcutTargetBar();
    QWidget* makeShortcutRulesPane();
    // The rules the table shows, by letter. An application with its own entry also sees the default
    // letters it does not override; a set member sees only its set's rules, which are all that apply.
    std::vector<ShortcutGuardRule> shortcutGuardRulesForSelectedTarget() const;
    std::vector<QWidget*> makeShortcutRuleCells(const ShortcutGuardRule& rule, bool isEditable);

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
