#include "TessarilApp/AppKit/KeyEventTranslation.hpp"

#include <array>
#include <unordered_map>
#include <utility>

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

constexpr std::array<std::pair<int, std::uint16_t>, 10> specialKeys{{
    {Qt::Key_Return, 36},
    {Qt::Key_Tab, 48},
    {Qt::Key_Space, 49},
    {Qt::Key_Backspace, 51},
    {Qt::Key_Escape, 53},
    {Qt::Key_Enter, 76},
    {Qt::Key_Left, 123},
    {Qt::Key_Right, 124},
    {Qt::Key_Down, 125},
    {Qt::Key_Up, 126},
}};

std::optional<std::uint16_t> specialKeyCode(int key) {
    for (const auto& [qtKey, code] : specialKeys) {
        if (qtKey == key) return code;
    }
    return std::nullopt;
}

Qt::KeyboardModifiers keyboardModifiers(std::uint64_t flags) {
    Qt::KeyboardModifiers modifiers;
    if (flags & Event::shiftFlag) modifiers |= Qt::ShiftModifier;
    if (flags & Event::commandFlag) modifiers |= Qt::ControlModifier;
    if (flags & Event::controlFlag) modifiers |= Qt::MetaModifier;
    if (flags & Event::optionFlag) modifiers |= Qt::AltModifier;
    return modifiers;
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

std::unique_ptr<QKeyEvent> keyPressFor(const Event& event) {
    if (event.type != Event::Type::keyDown) return nullptr;
    const auto modifiers = keyboardModifiers(event.modifierFlags);
    for (const auto& [qtKey, code] : specialKeys) {
        if (code == event.keyCode) return std::make_unique<QKeyEvent>(QEvent::KeyPress, qtKey, modifiers);
    }
    const QString characters = QString::fromStdString(event.charactersIgnoringModifiers.value_or(""));
    if (characters.size() != 1) return nullptr;
    // Letters are named by their capital, as the toolkit names keys; a key with Command or Control types nothing.
    const int key = characters.at(0).toUpper().unicode();
    const bool types = !(event.modifierFlags & (Event::commandFlag | Event::controlFlag));
    const QString text = !types ? QString() : (event.modifierFlags & Event::shiftFlag) ? characters.toUpper() : characters;
    return std::make_unique<QKeyEvent>(QEvent::KeyPress, key, modifiers, text);
}

} // namespace tessaril::appkit
