#include "TessarilMac/Pipeline/MacKeyboardActionDispatcher.hpp"

#include <array>
#include <unordered_map>
#include <utility>

#include "TessarilCore/Support/Unicode.hpp"
#include "TessarilMac/EventTap/TessarilSyntheticEvent.hpp"

namespace tessaril {

namespace {

using DispatchError = MacKeyboardActionDispatcherError;

constexpr std::uint16_t textCarrierKeyCode = 0;
constexpr std::uint16_t escapeKeyCode = 53;
constexpr std::uint16_t keypadPeriodKeyCode = 65;

// The keys a shortcut can be pressed with. 39 stands under the double quote, as the system has
// always done it.
const std::unordered_map<std::string, std::uint16_t>& keyCodeByCharacter() {
    static const auto table = [] {
        constexpr std::array<std::pair<const char*, std::uint16_t>, 30> rows{{
            {"a", 0},   {"s", 1},  {"d", 2},  {"f", 3},  {"h", 4},   {"g", 5},  {"z", 6},  {"x", 7},
            {"c", 8},   {"v", 9},  {"b", 11}, {"q", 12}, {"w", 13},  {"e", 14}, {"r", 15}, {"y", 16},
            {"t", 17},  {"o", 31}, {"]", 30}, {"u", 32}, {"[", 33},  {"i", 34}, {"p", 35}, {"l", 37},
            {"j", 38},  {"\"", 39}, {"k", 40}, {"\\", 42}, {"n", 45}, {"m", 46},
        }};
        std::unordered_map<std::string, std::uint16_t> result;
        for (const auto& [character, code] : rows) result.emplace(character, code);
        return result;
    }();
    return table;
}

platform::EventFlags flagsOf(ShortcutModifierSet modifiers) {
    platform::EventFlags flags = 0;
    if (modifiers.contains(Shortcut::Modifier::command)) flags |= platform::event_flags::maskCommand;
    if (modifiers.contains(Shortcut::Modifier::shift)) flags |= platform::event_flags::maskShift;
    if (modifiers.contains(Shortcut::Modifier::option)) flags |= platform::event_flags::maskAlternate;
    if (modifiers.contains(Shortcut::Modifier::control)) flags |= platform::event_flags::maskControl;
    return flags;
}

} // namespace

void MacKeyboardActionDispatcher::pressKey(const platform::EventSource* source, std::uint16_t keyCode,
                                           platform::EventFlags flags, const std::u16string* text) {
    auto down = events_.createKeyboardEvent(source, keyCode, true);
    auto up = events_.createKeyboardEvent(source, keyCode, false);
    if (!down || !up) throw DispatchError(DispatchError::Case::eventCreationFailed);
    for (auto* event : {down.get(), up.get()}) {
        event->setFlags(flags);
        if (text) event->keyboardSetUnicodeString(text->size(), text->data());
        TessarilSyntheticEvent::mark(*event);
    }
    events_.post(platform::EventTapLocation::hidEventTap, *down);
    events_.post(platform::EventTapLocation::hidEventTap, *up);
}

void MacKeyboardActionDispatcher::insertText(std::string_view text) {
    if (text.empty()) throw DispatchError(DispatchError::Case::emptyText);
    auto source = events_.createEventSource(platform::EventSourceStateID::combinedSessionState);
    std::u16string units = unicode::toUTF16(text);
    pressKey(source.get(), textCarrierKeyCode, 0, &units);
}

void MacKeyboardActionDispatcher::insertTextAndMoveCursorLeft(std::string_view text, int count) {
    insertText(text);
    moveCursorLeft(count);
}

void MacKeyboardActionDispatcher::moveCursorLeft(int count) {
    if (count < 1) return;
    auto source = events_.createEventSource(platform::EventSourceStateID::combinedSessionState);
    for (int index = 0; index < count; ++index) pressKey(source.get(), leftArrowKeyCode, 0, nullptr);
}

void MacKeyboardActionDispatcher::pressShortcut(const Shortcut& shortcut) {
    std::uint16_t keyCode = 0;
    switch (shortcut.key.kind()) {
    case Shortcut::Key::Kind::keypadPeriod: keyCode = keypadPeriodKeyCode; break;
    case Shortcut::Key::Kind::escape: keyCode = escapeKeyCode; break;
    case Shortcut::Key::Kind::character: {
        const auto& table = keyCodeByCharacter();
        auto found = table.find(unicode::lowercased(shortcut.key.characterText()));
        if (found == table.end()) throw DispatchError(DispatchError::Case::eventCreationFailed);
        keyCode = found->second;
        break;
    }
    }
    auto source = events_.createEventSource(platform::EventSourceStateID::combinedSessionState);
    pressKey(source.get(), keyCode, flagsOf(shortcut.modifiers), nullptr);
}

void MacKeyboardActionDispatcher::pressCommandC() {
    pressShortcut(Shortcut{{Shortcut::Modifier::command}, Shortcut::Key::character("c")});
}

void MacKeyboardActionDispatcher::pressCommandV() {
    pressShortcut(Shortcut{{Shortcut::Modifier::command}, Shortcut::Key::character("v")});
}

} // namespace tessaril
