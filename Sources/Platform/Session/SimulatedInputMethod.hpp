#pragma once

#include <cstdint>
#include <optional>

#include "Platform/Quartz/Event.hpp"
#include "Platform/TextInputSources/InputSourceRef.hpp"
#include "Platform/TextInputSources/InputSourceService.hpp"

namespace tessaril::platform {

// The login session's Japanese input method as far as the keyboard pipeline meets it: it watches the
// events that leave the taps and, on a key-down of かな (104) or 英数 (102), makes its kana or eisu
// source current, which posts the selected-source-changed notification when the source changes.
// Runs on the session's driving thread.
class SimulatedInputMethod {
public:
    static constexpr std::uint16_t eisuKeyCode = 102;
    static constexpr std::uint16_t kanaKeyCode = 104;

    SimulatedInputMethod(InputSourceService& sources, InputSourceRef kanaTarget, InputSourceRef eisuTarget)
        : sources_(sources), kanaTarget_(kanaTarget), eisuTarget_(eisuTarget) {}

    // The source this event made current, when it changed the current source.
    std::optional<InputSourceRef> handleDeliveredEvent(const Event& event);

private:
    InputSourceService& sources_;
    InputSourceRef kanaTarget_;
    InputSourceRef eisuTarget_;
};

} // namespace tessaril::platform
