#pragma once

#include <functional>
#include <string>

#include "TessarilCore/Rules/FixedPhraseRule.hpp"

namespace tessaril {

namespace appkit {
class Control;
}

class AppDelegate;

// What the buttons, switches and popups of a fixed-phrase panel do: add a rule, save its title and
// body, change its preview and insertion modes, switch it on or off, change its presets, delete it.
// Each finds its rule by the sender's identifier among the selected target's rules, edits the value
// that target uses and saves; the window is rebuilt unless other panels still hold unsaved edits.
// Refusals are alerts and change nothing. Keeps no state; main thread only.
class FixedPhraseRuleActions {
public:
    explicit FixedPhraseRuleActions(AppDelegate& delegate) : delegate_(delegate) {}

    void addFixedPhraseRule();
    void saveFixedPhraseRule(appkit::Control& sender);
    void updateFixedPhrasePreviewMode(appkit::Control& sender);
    void updateFixedPhraseInsertionMode(appkit::Control& sender);
    void toggleFixedPhraseRuleEnabled(appkit::Control& sender);
    void toggleFixedPhrasePresetScope(appkit::Control& sender);
    void deleteFixedPhraseRule(appkit::Control& sender);

    // Rich input with stored RTF, or plain text that is not blank.
    static bool fixedPhraseRuleHasInsertableBody(const FixedPhraseRule& rule);

private:
    // Edits the rule with this id in the selected target's rules, if it is there.
    void updateRule(const std::string& ruleID, const std::function<void(FixedPhraseRule&)>& change);

    AppDelegate& delegate_;
};

} // namespace tessaril
