#pragma once

#include <optional>

#include "TessarilApp/AppKit/Action.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/SettingsWindow/PopUpSelection.hpp"
#include "TessarilCore/Input/CommandKeySide.hpp"
#include "TessarilCore/Input/CompanionModifier.hpp"
#include "TessarilCore/Rules/CommandKeyAction.hpp"
#include "TessarilCore/Rules/ModifiedCommandAction.hpp"

namespace tessaril {

// The pop-up buttons of the Command-key table and how their choice is read back. Each item carries
// the raw value of what it stands for. Main thread only.

// The seven actions (standard, the five modes, then disabled) titled for `side`, 178 wide.
appkit::PopUpButton* makeCommandActionPopup(CommandKeySide side, CommandKeyAction selected, appkit::Action action);
appkit::PopUpButton* makeModifiedCommandActionPopup(CommandKeySide side, ModifiedCommandAction selected,
                                                    appkit::Action action);
// ⇧ ⌥ ⌃, centred, at the caller's width.
appkit::PopUpButton* makeModifierPopup(CompanionModifier selected, appkit::Action action, int width);

// `Action` is CommandKeyAction or ModifiedCommandAction.
template <class Action> std::optional<Action> selectedCommandAction(const appkit::Control& sender) {
    return selectedRawValue<Action>(sender);
}

inline std::optional<CompanionModifier> selectedCompanionModifier(const appkit::Control& sender) {
    return selectedRawValue<CompanionModifier>(sender);
}

} // namespace tessaril
