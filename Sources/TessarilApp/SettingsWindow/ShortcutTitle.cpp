#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {

std::string shortcutTitle(const std::optional<Shortcut>& shortcut) {
    if (!shortcut) return "未設定";
    std::string title;
    const auto append = [&title](std::string_view part) {
        if (!title.empty()) title += "+";
        title += part;
    };
    // A fixed order, whatever order the set holds them in.
    if (shortcut->modifiers.contains(Shortcut::Modifier::command)) append("⌘");
    if (shortcut->modifiers.contains(Shortcut::Modifier::shift)) append("⇧");
    if (shortcut->modifiers.contains(Shortcut::Modifier::option)) append("⌥");
    if (shortcut->modifiers.contains(Shortcut::Modifier::control)) append("⌃");
    switch (shortcut->key.kind()) {
    case Shortcut::Key::Kind::keypadPeriod: append("テンキー ."); break;
    case Shortcut::Key::Kind::escape: append("Escape"); break;
    case Shortcut::Key::Kind::character:
        append(unicode::uppercased(Shortcut::baseCharacter(shortcut->key.characterText())));
        break;
    }
    return title;
}

} // namespace tessaril
