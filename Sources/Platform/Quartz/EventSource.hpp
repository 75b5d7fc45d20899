#pragma once

#include <cstdint>

namespace tessaril::platform {

// Which event state a source reads and contributes to.
enum class EventSourceStateID : std::int32_t { privateState = -1, combinedSessionState = 0, hidSystemState = 1 };

// An event source: the origin stamped on the events made from it. Immutable; any thread.
class EventSource {
public:
    explicit EventSource(EventSourceStateID stateID) : stateID_(stateID) {}
    EventSourceStateID stateID() const { return stateID_; }

private:
    EventSourceStateID stateID_;
};

} // namespace tessaril::platform
