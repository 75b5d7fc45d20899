#pragma once

#include <string>
#include <vector>

#include "TessarilCore/Input/InputMode.hpp"
#include "TessarilMac/InputMode/MacInputModeDispatcher.hpp"

namespace tessaril {

namespace appkit {
class Control;
} // namespace appkit

class AppDelegate;

// The advanced page's choice of the input source for each input mode. The choice lives in the input
// sources' user defaults, not in the settings document: the actions write it through the input-mode
// dispatcher and only rebuild the window. Keeps no state; main thread only.
class InputSourceActions {
public:
    // The value of the pop-up's automatic-detection item.
    static constexpr std::string_view automaticValue = "__auto__";

    explicit InputSourceActions(AppDelegate& delegate) : delegate_(delegate) {}

    // The selectable sources by menu title in the system's file-name order (stable); empty when the
    // system cannot list them.
    static std::vector<MacInputSourceSelection> sortedInputSources(const MacInputModeDispatcher& dispatcher);
    // How a source is told apart in the pop-up: its source identifier, U+001F, then its input-mode
    // identifier or nothing.
    static std::string inputSourceKey(const MacInputSourceSelection& source);

    // "__auto__" clears the mode's source; another value saves the first listed source with that key
    // (a value no listed source has, such as the "（未検出）" item's, keeps the saved one).
    void updateInputSource(InputMode mode, appkit::Control& sender);
    // Saves the current source for the mode; when it cannot be read the status text says so and the
    // window stays as it is.
    void saveCurrentInputSource(InputMode mode);

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
