#include "Doubles/ScriptedFrontmostApplication.hpp"

#include "Platform/Quartz/EventField.hpp"

namespace tessaril {

namespace {
constexpr std::int64_t keyCodeC = 8;
} // namespace

ScriptedFrontmostApplication::ScriptedFrontmostApplication(platform::EventSystem& events,
                                                           platform::Pasteboard& pasteboard)
    : events_(events), pasteboard_(pasteboard) {
    events_.setDeliveryObserver([this](const platform::Event& event) { receive(event); });
}

ScriptedFrontmostApplication::~ScriptedFrontmostApplication() { events_.setDeliveryObserver(nullptr); }

void ScriptedFrontmostApplication::receive(const platform::Event& event) {
    const bool commandC = event.type() == platform::EventType::keyDown &&
                          event.integerValueField(platform::EventField::keyboardEventKeycode) == keyCodeC &&
                          (event.flags() & platform::event_flags::maskCommand) != 0;
    if (!commandC || !selection_) return;
    pasteboard_.clearContents();
    pasteboard_.writeObjects(*selection_);
}

} // namespace tessaril
