#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Input/ShortcutKey.hpp"
#include "TessarilCore/Input/ShortcutModifier.hpp"

namespace tessaril {

// A set of modifiers with one key: the form in which every guarded shortcut and every trigger is stored
// and compared. The value keeps its key as given; callers that need the base form normalise first.
struct Shortcut {
    using Modifier = ShortcutModifier;
    using Key = ShortcutKey;

    ShortcutModifierSet modifiers;
    Key key = Key::escape();

    friend bool operator==(const Shortcut&, const Shortcut&) = default;

    static Shortcut commandQ();
    static Shortcut commandW();
    static Shortcut commandD();
    static Shortcut commandControlC();
    static Shortcut commandControlV();
    static Shortcut commandControlM();
    static Shortcut controlShiftQuote();
    static Shortcut controlShiftCloseBracket();

    // The base-key form of a key text: lower-cased, trimmed, and a shifted US-layout symbol mapped to
    // the key that carries it ("?" → "/").
    static std::string baseCharacter(std::string_view text);
    // A copy whose character key is in base form.
    Shortcut normalizedToBaseKey() const;

    // The one letter a–z the text denotes (lower-cased, white space dropped anywhere), else none.
    static std::optional<std::string> normalizedCommandLetter(std::string_view text);
    // Command plus the letter the text denotes, else none.
    static std::optional<Shortcut> commandLetter(std::string_view text);
    // The letter of a plain Command+letter shortcut (exactly {command}, one character a–z), else none.
    std::optional<std::string> commandLetter() const;

    std::size_t hashValue() const;
};

template <> struct JSONCoding<Shortcut> {
    static Json encode(const Shortcut& shortcut);
    static Shortcut decode(const Json& value);
};

} // namespace tessaril

template <> struct std::hash<tessaril::Shortcut> {
    std::size_t operator()(const tessaril::Shortcut& shortcut) const noexcept { return shortcut.hashValue(); }
};
