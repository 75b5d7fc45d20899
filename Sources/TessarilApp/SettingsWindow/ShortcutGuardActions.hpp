#pragma once

#include <functional>
#include <string>

#include "TessarilCore/Rules/DoublePressGuardSettings.hpp"
#include "TessarilCore/Rules/ShortcutGuardRule.hpp"

namespace tessaril {

namespace appkit {
class Control;
}

class AppDelegate;

// The edits of the shortcut-guard page, applied to the page's target (the default guard, the
// application's set or its own entry) and saved with a rebuild. Row controls carry their rule's letter
// as identifier; one without does nothing. Keeps no state; main thread only.
class ShortcutGuardActions {
public:
    explicit ShortcutGuardActions(AppDelegate& delegate) : delegate_(delegate) {}

    void addShortcutRule();
    void updateShortcutRuleLetter(appkit::Control& sender);
    void updateShortcutRulePressCount(appkit::Control& sender);
    void updateShortcutRuleTiming(appkit::Control& sender);
    void updateShortcutRuleCustomSeconds(appkit::Control& sender);
    void toggleShortcutRuleEnabled(appkit::Control& sender);
    void toggleShortcutGuardPresetScope(appkit::Control& sender);
    void toggleShortcutGuardEnabled(appkit::Control& sender);

    // Applies `change` to the target's rule of the letter. A rule the target only inherits from the
    // default guard is first copied into the target, so the edit gives the application its own copy.
    void updateShortcutRule(const std::string& letter, const std::function<void(ShortcutGuardRule&)>& change);

private:
    // Copies the default guard's rule of the letter into an application's own entry that lacks it.
    void copyInheritedRule(DoublePressGuardSettings& guard, const std::string& letter) const;
    bool isSetMember() const;

    AppDelegate& delegate_;
};

} // namespace tessaril
