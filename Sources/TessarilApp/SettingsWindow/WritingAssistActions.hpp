#pragma once

#include <functional>
#include <optional>
#include <string>

#include "TessarilCore/Input/Shortcut.hpp"
#include "TessarilCore/Rules/PairAssistRule.hpp"

namespace tessaril {

namespace appkit {
class Control;
}

class AppDelegate;

// The edits of the writing-assist page's pair rules, applied to the page's target (the default, the
// application's set or its own entry) and saved with a rebuild. Rules still derived from the legacy
// quote and pair-insertion records are stored as rules before the first edit. Controls carry their
// rule's identifier; one without does nothing. Keeps no state; main thread only.
class WritingAssistActions {
public:
    explicit WritingAssistActions(AppDelegate& delegate) : delegate_(delegate) {}

    void updatePairAssistEnabled(appkit::Control& sender);
    void updatePairAssistInputModeCondition(appkit::Control& sender);
    void togglePairAssistPresetScope(appkit::Control& sender);
    void deletePairAssistRule(appkit::Control& sender);
    void addPairAssistRule();
    // Both texts empty is refused with an alert; one empty side is kept as typed.
    void savePairAssistRuleText(appkit::Control& sender);
    // Gives the rule the captured shortcut, moving it from another rule of the target after asking.
    void assignPairAssistShortcut(const Shortcut& shortcut, const std::string& ruleID);

private:
    void updateRule(const std::string& id, const std::function<void(PairAssistRule&)>& change);

    AppDelegate& delegate_;
};

} // namespace tessaril
