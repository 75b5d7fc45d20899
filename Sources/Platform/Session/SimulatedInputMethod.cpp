#include "Platform/Session/SimulatedInputMethod.hpp"

#include "Platform/Quartz/EventField.hpp"

namespace tessaril::platform {

std::optional<InputSourceRef> SimulatedInputMethod::handleDeliveredEvent(const Event& event) {
    if (event.type() != EventType::keyDown) return std::nullopt;
    const auto keyCode = event.integerValueField(EventField::keyboardEventKeycode);
    InputSourceRef target;
    if (keyCode == kanaKeyCode) {
        target = kanaTarget_;
    } else if (keyCode == eisuKeyCode) {
        target = eisuTarget_;
    } else {
        return std::nullopt;
    }
    const auto before = sources_.currentSource();
    sources_.makeCurrent(target);
    const auto after = sources_.currentSource();
    if (after == before) return std::nullopt;
    return after;
}

} // namespace tessaril::platform
