#include "TessarilApp/AppKit/KeyEventTranslation.hpp"

#include <unordered_map>

#include <QKeyEvent>

#include "TessarilCore/Input/Shortcut.hpp"
#include "TessarilMac/EventTap/CGKeyCodeMapper.hpp"

namespace tessaril::appkit {

namespace {

std::uint64_t modifierFlags(Qt::KeyboardModifiers modifiers) {
    std::uint64_t flags = 0;
    if (modifiers & Qt::ShiftModifier) flags |= Event::shiftFlag;
    if (modifiers & Qt::ControlModifier) flags |= Event::commandFlag;
    if (modifiers & Qt::MetaModifier) flags |= Event::controlFlag;
    if (modifiers & Qt::AltModifier) flags |= Event::optionFlag;
    return flags;
}

const std::unordered_map<std::string, std::uint16_t>& keyCodeByCharacter() {
    static const auto table = [] {
        std::unordered_map<std::string, std::uint16_t> inverse;
        for (const auto& [code, character] : characterByKeyCode()) inverse.emplace(character, code);
        return inverse;
    }();
    return table;
}

std::optional<std::uint16_t> specialKeyCode(int key) {
    switch (key) {
    case Qt::Key_Return: return 36;
    case Qt::Key_Tab: return 48;
    case Qt::Key_Space: return 49;
    case Qt::Key_Backspace: return 51;
    case Qt::Key_Escape: return 53;
    case Qt::Key_Enter: return 76;
    case Qt::Key_Left: return 123;
    case Qt::Key_Right: return 124;
    case Qt::Key_Down: return 125;
    case Qt::Key_Up: return 126;
    default: return std::nullopt;
    }
}

bool isModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Meta || key == Qt::Key_Alt ||
           key == Qt::Key_CapsLock || key == Qt::Key_Super_L || key == Qt::Key_Super_R || key == Qt::Key_AltGr;
}

} // namespace

std::optional<Event> translateKeyEvent(const QKeyEvent& event) {
    // The input event's own modifiers: QKeyEvent leaves out the modifier that a modifier key itself
    // adds, where the platform's flags-changed event includes it.
    const auto flags = modifierFlags(static_cast<const QInputEvent&>(event).modifiers());
    if (isModifierKey(event.key())) return Event{Event::Type::flagsChanged, 0, flags, std::nullopt};
    if (auto code = specialKeyCode(event.key())) {
        const std::string characters = event.key() == Qt::Key_Escape ? "\x1b" : event.text().toStdString();
        return Event::keyDown(*code, flags, characters);
    }
    if (event.key() <= 0 || event.key() >= 0x01000000) return std::nullopt;
    const std::string typed = QString(QChar(event.key())).toLower().toStdString();
    if ((event.modifiers() & Qt::KeypadModifier) && typed == ".") return Event::keyDown(65, flags, typed);
    // Keys the layout shifts ("!") are looked up by the key that carries them ("1").
    const std::string base = Shortcut::baseCharacter(typed);
    const auto found = keyCodeByCharacter().find(base);
    if (found == keyCodeByCharacter().end()) {
        return Event::keyDown(0xFFFF, flags, typed);
    }
    return Event::keyDown(found->second, flags, base);
}

} // namespace tessaril::appkit
