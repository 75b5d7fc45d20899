#pragma once

#include <variant>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Input/PhysicalKeyEvent.hpp"
#include "TessarilCore/Engine/ShortcutAttempt.hpp"

namespace tessaril {

// The rule engine's only input: a physical key going down or up, or a key-down that forms a shortcut.
// Built and consumed on the event-tap thread.
class EngineEvent {
public:
    enum class Kind { physicalKey, shortcut };

    static EngineEvent physicalKey(PhysicalKeyEvent event) { return EngineEvent(std::move(event)); }
    static EngineEvent shortcut(ShortcutAttempt attempt) { return EngineEvent(std::move(attempt)); }

    Kind kind() const { return value_.index() == 0 ? Kind::physicalKey : Kind::shortcut; }
    // The payload of the case; none for the other case.
    const PhysicalKeyEvent* physicalKeyEvent() const { return std::get_if<PhysicalKeyEvent>(&value_); }
    const ShortcutAttempt* shortcutAttempt() const { return std::get_if<ShortcutAttempt>(&value_); }

    friend bool operator==(const EngineEvent&, const EngineEvent&) = default;

private:
    explicit EngineEvent(PhysicalKeyEvent event) : value_(std::move(event)) {}
    explicit EngineEvent(ShortcutAttempt attempt) : value_(std::move(attempt)) {}

    std::variant<PhysicalKeyEvent, ShortcutAttempt> value_;
};

template <> struct JSONCoding<EngineEvent> {
    static Json encode(const EngineEvent& event);
    static EngineEvent decode(const Json& value);
};

} // namespace tessaril
