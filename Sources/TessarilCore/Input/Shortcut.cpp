#include "TessarilCore/Input/Shortcut.hpp"

#include <array>
#include <utility>

#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {
namespace {

using Modifier = ShortcutModifier;

Shortcut make(std::initializer_list<Modifier> modifiers, const char* character) {
    return Shortcut{ShortcutModifierSet(modifiers), ShortcutKey::character(character)};
}

// Shifted symbols of the US layout and the key that carries each.
constexpr std::array<std::pair<std::string_view, std::string_view>, 21> shiftedSymbols{{
    {"!", "1"}, {"@", "2"}, {"#", "3"}, {"$", "4"}, {"%", "5"}, {"^", "6"}, {"&", "7"},
    {"*", "8"}, {"(", "9"}, {")", "0"}, {"_", "-"}, {"+", "="}, {"{", "["}, {"}", "]"},
    {"|", "\\"}, {":", ";"}, {"\"", "'"}, {"<", ","}, {">", "."}, {"?", "/"}, {"~", "`"},
}};

bool isLowercaseLetter(std::string_view text) { return text.size() == 1 && text[0] >= 'a' && text[0] <= 'z'; }

} // namespace

Shortcut Shortcut::commandQ() { return make({Modifier::command}, "q"); }
Shortcut Shortcut::commandW() { return make({Modifier::command}, "w"); }
Shortcut Shortcut::commandD() { return make({Modifier::command}, "d"); }
Shortcut Shortcut::commandControlC() { return make({Modifier::command, Modifier::control}, "c"); }
Shortcut Shortcut::commandControlV() { return make({Modifier::command, Modifier::control}, "v"); }
Shortcut Shortcut::commandControlM() { return make({Modifier::command, Modifier::control}, "m"); }
Shortcut Shortcut::controlShiftQuote() { return make({Modifier::control, Modifier::shift}, "'"); }
Shortcut Shortcut::controlShiftCloseBracket() { return make({Modifier::control, Modifier::shift}, "]"); }

std::string Shortcut::baseCharacter(std::string_view text) {
    std::string trimmed = unicode::trimmingWhitespaceAndNewlines(unicode::lowercased(text));
    // Every shifted symbol is a single ASCII byte, so a one-byte text is the only candidate.
    if (trimmed.size() != 1) return trimmed;
    for (const auto& [shifted, base] : shiftedSymbols) {
        if (trimmed == shifted) return std::string(base);
    }
    return trimmed;
}

Shortcut Shortcut::normalizedToBaseKey() const {
    if (!key.isCharacter()) return *this;
    return Shortcut{modifiers, Key::character(baseCharacter(key.characterText()))};
}

std::optional<std::string> Shortcut::normalizedCommandLetter(std::string_view text) {
    std::string lowered = unicode::lowercased(text);
    if (unicode::isASCII(lowered)) {
        std::string kept;
        for (char character : lowered) {
            if (!unicode::isWhitespace(static_cast<unsigned char>(character))) kept.push_back(character);
        }
        if (isLowercaseLetter(kept)) return kept;
        return std::nullopt;
    }
    std::optional<std::string> letter;
    for (const auto& character : unicode::characters(lowered)) {
        auto scalars = unicode::scalars(character);
        if (!scalars.empty() && unicode::isWhitespace(scalars.front())) continue;
        if (letter || !isLowercaseLetter(character)) return std::nullopt;
        letter = character;
    }
    return letter;
}

std::optional<Shortcut> Shortcut::commandLetter(std::string_view text) {
    auto letter = normalizedCommandLetter(text);
    if (!letter) return std::nullopt;
    return Shortcut{ShortcutModifierSet{Modifier::command}, Key::character(*letter)};
}

std::optional<std::string> Shortcut::commandLetter() const {
    if (modifiers != ShortcutModifierSet{Modifier::command} || !key.isCharacter()) return std::nullopt;
    if (!isLowercaseLetter(key.characterText())) return std::nullopt;
    return key.characterText();
}

std::size_t Shortcut::hashValue() const {
    std::size_t seed = std::hash<ShortcutModifierSet>{}(modifiers);
    return seed ^ (key.hashValue() + 0x9E3779B97F4A7C15ULL + (seed << 6) + (seed >> 2));
}

Json JSONCoding<Shortcut>::encode(const Shortcut& shortcut) {
    return Json{{"modifiers", coding::encode(shortcut.modifiers)}, {"key", coding::encode(shortcut.key)}};
}

Shortcut JSONCoding<Shortcut>::decode(const Json& value) {
    coding::expectObject(value, "Shortcut");
    auto modifiers = coding::decodeRequired<ShortcutModifierSet>(value, "modifiers");
    auto key = coding::decodeRequired<ShortcutKey>(value, "key");
    return Shortcut{modifiers, std::move(key)};
}

} // namespace tessaril
