#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "Platform/Quartz/Event.hpp"

namespace tessaril::platform {

// One thing the simulated session saw happen, stamped with the virtual time in milliseconds.
struct SessionObservation {
    // The session's event taps answered a hardware event: passed on, or swallowed.
    struct TapAnswered {
        std::int64_t keyCode = 0;
        bool suppressed = false;
        friend bool operator==(const TapAnswered&, const TapAnswered&) = default;
    };
    // A virtual HID device sent an input report.
    struct HIDReportSent {
        std::vector<std::uint8_t> bytes;
        friend bool operator==(const HIDReportSent&, const HIDReportSent&) = default;
    };
    enum class Selector { dispatcher, inputMethod };
    // An input source was selected: through the Text Input Sources service (by the application's
    // dispatcher), or by the session's input method reacting to a 英数/かな key.
    struct InputSourceSelected {
        std::string sourceID;
        Selector by = Selector::dispatcher;
        friend bool operator==(const InputSourceSelected&, const InputSourceSelected&) = default;
    };
    // A synthetic event was posted into the session.
    struct EventPosted {
        Event event;
        friend bool operator==(const EventPosted&, const EventPosted&) = default;
    };

    using Payload = std::variant<TapAnswered, HIDReportSent, InputSourceSelected, EventPosted>;

    std::uint64_t atMilliseconds = 0;
    Payload payload;

    friend bool operator==(const SessionObservation&, const SessionObservation&) = default;
};

} // namespace tessaril::platform
