#include "TessarilApp/SettingsWindow/InputSourceActions.hpp"

#include <algorithm>
#include <exception>

#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {

std::vector<MacInputSourceSelection> InputSourceActions::sortedInputSources(const MacInputModeDispatcher& dispatcher) {
    std::vector<MacInputSourceSelection> sources;
    try {
        sources = dispatcher.availableInputSources();
    } catch (const std::exception&) {
        return {};
    }
    unicode::stableSortLocalized(sources, [](const MacInputSourceSelection& source) { return source.menuTitle(); });
    return sources;
}

std::string InputSourceActions::inputSourceKey(const MacInputSourceSelection& source) {
    return source.sourceID + '\x1F' + source.inputModeID.value_or(std::string());
}

void InputSourceActions::updateInputSource(InputMode mode, appkit::Control& sender) {
    const auto* popup = dynamic_cast<const appkit::PopUpButton*>(&sender);
    if (!popup) return;
    const auto value = popup->representedObjectOfSelectedItem();
    if (!value) return;
    MacInputModeDispatcher& dispatcher = delegate_.inputModeDispatcher();
    try {
        if (*value == automaticValue) {
            dispatcher.clearInputSource(mode);
        } else {
            const auto sources = sortedInputSources(dispatcher);
            const auto chosen = std::find_if(sources.begin(), sources.end(), [&](const MacInputSourceSelection& source) {
                return inputSourceKey(source) == *value;
            });
            if (chosen != sources.end()) dispatcher.saveInputSource(*chosen, mode);
        }
    } catch (const std::exception&) {
        // The defaults could not be written: said in the status text, as other input-setting failures are.
        delegate_.recordInputDispatchError(std::current_exception());
    }
    delegate_.rebuildSettingsWindow();
}

void InputSourceActions::saveCurrentInputSource(InputMode mode) {
    try {
        delegate_.inputModeDispatcher().saveCurrentInputSource(mode);
    } catch (const std::exception&) {
        delegate_.recordInputDispatchError(std::current_exception());
        return;
    }
    delegate_.rebuildSettingsWindow();
}

} // namespace tessaril
