#include "Platform/Foundation/HTMLInlineStyle.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "Platform/Foundation/CSSNamedColor.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::platform {
namespace {

bool isSpace(char character) { return character == ' ' || character == '\t' || character == '\n' || character == '\r' || character == '\f'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::string lowercasedASCII(std::string_view text) {
    std::string result(text);
    for (char& character : result) {
        if (character >= 'A' && character <= 'Z') character = static_cast<char>(character - 'A' + 'a');
    }
    return result;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t index = 0; index <= text.size(); ++index) {
        if (index == text.size() || text[index] == separator) {
            parts.push_back(text.substr(start, index - start));
            start = index + 1;
        }
    }
    return parts;
}

// The parts of a value between runs of white space.
std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t index = 0;
    while (index < text.size()) {
        while (index < text.size() && isSpace(text[index])) ++index;
        const std::size_t start = index;
        while (index < text.size() && !isSpace(text[index])) ++index;
        if (index > start) parts.push_back(text.substr(start, index - start));
    }
    return parts;
}

// A number with an optional unit after it; none when it does not start with a number.
std::optional<std::pair<double, std::string_view>> dimension(std::string_view text) {
    text = trimmed(text);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
    return std::pair{value, trimmed(text.substr(static_cast<std::size_t>(end - text.data())))};
}

std::optional<double> channel(std::string_view text, double scale) {
    const auto parsed = dimension(text);
    if (!parsed) return std::nullopt;
    const auto& [value, unit] = *parsed;
    if (unit == "%") return std::clamp(value / 100.0, 0.0, 1.0);
    if (!unit.empty()) return std::nullopt;
    return std::clamp(value / scale, 0.0, 1.0);
}

std::optional<Color> hexColor(std::string_view digits) {
    std::vector<int> values;
    for (const char digit : digits) {
        if (digit >= '0' && digit <= '9') {
            values.push_back(digit - '0');
        } else if ((digit | 0x20) >= 'a' && (digit | 0x20) <= 'f') {
            values.push_back((digit | 0x20) - 'a' + 10);
        } else {
            return std::nullopt;
        }
    }
    auto pair = [&](std::size_t index) { return (values[index] * 16 + values[index + 1]) / 255.0; };
    auto single = [&](std::size_t index) { return (values[index] * 17) / 255.0; };
    switch (values.size()) {
    case 3: return Color{single(0), single(1), single(2), 1};
    case 4: return Color{single(0), single(1), single(2), single(3)};
    case 6: return Color{pair(0), pair(2), pair(4), 1};
    case 8: return Color{pair(0), pair(2), pair(4), pair(6)};
    default: return std::nullopt;
    }
}

std::optional<HTMLInlineStyle::Family> family(std::string_view value) {
    static constexpr std::array<std::string_view, 7> monospacedNames{
        "monospace", "ui-monospace", "sfmono-regular", "menlo", "monaco", "courier", "courier new"};
    static constexpr std::array<std::string_view, 5> systemNames{
        "-apple-system", "system-ui", "blinkmacsystemfont", "sans-serif", "ui-sans-serif"};
    std::vector<std::string> names;
    for (std::string_view name : split(value, ',')) {
        name = trimmed(name);
        if (name.size() >= 2 && (name.front() == '"' || name.front() == '\'') && name.back() == name.front()) {
            name = name.substr(1, name.size() - 2);
        }
        if (!name.empty()) names.emplace_back(name);
    }
    if (names.empty()) return std::nullopt;
    for (const std::string& name : names) {
        const std::string lower = lowercasedASCII(name);
        if (std::find(monospacedNames.begin(), monospacedNames.end(), lower) != monospacedNames.end()) {
            return HTMLInlineStyle::Family{true, ""};
        }
    }
    const std::string first = lowercasedASCII(names.front());
    if (std::find(systemNames.begin(), systemNames.end(), first) != systemNames.end()) return HTMLInlineStyle::Family{};
    return HTMLInlineStyle::Family{false, names.front()};
}

std::optional<TextAlignment> alignment(std::string_view value) {
    const std::string lower = lowercasedASCII(value);
    if (lower == "left" || lower == "start") return TextAlignment::left;
    if (lower == "center") return TextAlignment::center;
    if (lower == "right" || lower == "end") return TextAlignment::right;
    if (lower == "justify") return TextAlignment::justified;
    return std::nullopt;
}

// rgb(…) and rgba(…): three channels and an optional alpha, separated by commas (the legacy form) or
// by white space with the alpha after a slash.
std::optional<Color> rgbFunction(std::string_view lower) {
    const bool withAlpha = lower.starts_with("rgba(");
    if (!withAlpha && !lower.starts_with("rgb(")) return std::nullopt;
    const std::string_view inner = lower.substr(withAlpha ? 5 : 4, lower.size() - (withAlpha ? 6 : 5));
    std::vector<std::string_view> parts;
    if (inner.find(',') != std::string_view::npos) {
        parts = split(inner, ',');
    } else {
        const std::size_t slash = inner.find('/');
        parts = words(inner.substr(0, slash));
        if (parts.size() != 3) return std::nullopt;
        if (slash != std::string_view::npos) parts.push_back(inner.substr(slash + 1));
    }
    if (parts.size() != 3 && parts.size() != 4) return std::nullopt;
    const auto red = channel(parts[0], 255), green = channel(parts[1], 255), blue = channel(parts[2], 255);
    const auto alpha = parts.size() == 4 ? channel(parts[3], 1) : std::optional<double>(1.0);
    if (!red || !green || !blue || !alpha) return std::nullopt;
    return Color{*red, *green, *blue, *alpha};
}

double cssWeight(FontWeight weight) { return (static_cast<int>(weight) + 1) * 100.0; }

std::optional<HTMLInlineStyle::Weight> weightValue(std::string_view value) {
    using Weight = HTMLInlineStyle::Weight;
    const std::string lower = lowercasedASCII(value);
    if (lower == "normal") return Weight{Weight::Kind::absolute, 400};
    if (lower == "bold") return Weight{Weight::Kind::absolute, 700};
    if (lower == "bolder") return Weight{Weight::Kind::bolder, 0};
    if (lower == "lighter") return Weight{Weight::Kind::lighter, 0};
    const auto number = dimension(value);
    if (!number || !number->second.empty() || number->first < 1 || number->first > 1000) return std::nullopt;
    return Weight{Weight::Kind::absolute, number->first};
}

std::optional<bool> italicValue(std::string_view value) {
    const std::string lower = lowercasedASCII(value);
    if (lower == "normal") return false;
    if (lower == "italic" || lower == "oblique" || lower.starts_with("oblique ")) return true;
    return std::nullopt;
}

// The line keywords among the words of text-decoration (its colour and style words aside).
std::optional<HTMLInlineStyle::Decoration> decorationValue(std::string_view value) {
    HTMLInlineStyle::Decoration lines;
    bool named = false;
    const std::string lower = lowercasedASCII(value);
    for (const std::string_view word : words(lower)) {
        if (word == "underline") lines.underline = true;
        if (word == "line-through") lines.lineThrough = true;
        if (word == "underline" || word == "line-through" || word == "overline" || word == "none") named = true;
    }
    if (!named) return std::nullopt;
    return lines;
}

} // namespace

std::optional<Color> HTMLInlineStyle::parseColor(std::string_view value) {
    value = trimmed(value);
    const std::string lower = lowercasedASCII(value);
    std::optional<Color> color;
    if (value.starts_with('#')) {
        color = hexColor(value.substr(1));
    } else if (lower.ends_with(')')) {
        color = rgbFunction(lower);
    } else if (lower != "transparent") {
        color = cssNamedColor(lower);
    }
    // Browsers write rgba(0, 0, 0, 0) as the background of ordinary text; kept, it would make that
    // text a highlighted code paragraph.
    if (color && !(color->alpha > 0)) return std::nullopt;
    return color;
}

FontWeight HTMLInlineStyle::Weight::resolved(FontWeight inherited) const {
    const double inheritedValue = cssWeight(inherited);
    double weight = value;
    // The steps of CSS's relative weights.
    if (kind == Kind::bolder) weight = inheritedValue < 350 ? 400 : inheritedValue < 550 ? 700 : 900;
    if (kind == Kind::lighter) weight = inheritedValue < 550 ? 100 : inheritedValue < 750 ? 400 : 700;
    // 100 is the lightest weight and 900 the heaviest; the weights between fall to the hundred below.
    const int step = std::clamp(static_cast<int>(weight / 100), 1, 9);
    return static_cast<FontWeight>(step - 1);
}

HTMLInlineStyle HTMLInlineStyle::parse(std::u16string_view declarations) {
    HTMLInlineStyle style;
    const std::string text = unicode::fromUTF16(declarations);
    for (const std::string_view declaration : split(text, ';')) {
        const std::size_t colon = declaration.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string property = lowercasedASCII(trimmed(declaration.substr(0, colon)));
        std::string_view value = trimmed(declaration.substr(colon + 1));
        if (const std::size_t important = value.find("!important"); important != std::string_view::npos) {
            value = trimmed(value.substr(0, important));
        }
        if (property == "font-size") {
            if (const auto size = dimension(value); size && size->first > 0) {
                const std::string unit = lowercasedASCII(size->second);
                if (unit == "pt" || unit == "px") style.fontSizePoints = size->first;
                if (unit == "em") style.fontSizeScale = size->first;
                if (unit == "%") style.fontSizeScale = size->first / 100.0;
            }
        } else if (property == "font-family") {
            style.fontFamily = family(value);
        } else if (property == "font-weight") {
            if (auto weight = weightValue(value)) style.fontWeight = weight;
        } else if (property == "font-style") {
            if (auto italic = italicValue(value)) style.italic = italic;
        } else if (property == "text-decoration" || property == "text-decoration-line") {
            if (auto lines = decorationValue(value)) style.textDecoration = lines;
        } else if (property == "color") {
            style.color = parseColor(value);
        } else if (property == "background-color" || property == "background") {
            if (auto color = parseColor(value)) style.backgroundColor = color;
        } else if (property == "text-align") {
            style.textAlign = alignment(value);
        } else if (property == "white-space") {
            const std::string lower = lowercasedASCII(value);
            style.preservesWhiteSpace = lower == "pre" || lower == "pre-wrap" || lower == "break-spaces";
        }
    }
    return style;
}

} // namespace tessaril::platform
