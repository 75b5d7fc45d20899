#include "Platform/Foundation/TextList.hpp"

#include <array>
#include <utility>

namespace tessaril::platform {
namespace {

std::string digits(long long number, int base, bool upper) {
    const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    const bool negative = number < 0;
    // Work in unsigned arithmetic so that the most negative number has a magnitude too.
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(number)
                                            : static_cast<unsigned long long>(number);
    std::string text;
    do {
        text.insert(text.begin(), symbols[magnitude % static_cast<unsigned>(base)]);
        magnitude /= static_cast<unsigned>(base);
    } while (magnitude > 0);
    return negative ? "-" + text : text;
}

// a…z, aa…az, ba…: the letters of a spreadsheet column.
std::string alphabetic(long long number, bool upper) {
    if (number < 1) return digits(number, 10, false);
    std::string text;
    while (number > 0) {
        --number;
        text.insert(text.begin(), static_cast<char>((upper ? 'A' : 'a') + number % 26));
        number /= 26;
    }
    return text;
}

std::string roman(long long number, bool upper) {
    if (number < 1 || number > 3999) return digits(number, 10, false);
    static constexpr std::array<std::pair<int, const char*>, 13> numerals{{
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"}, {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"},
    }};
    std::string text;
    for (const auto& [value, symbol] : numerals) {
        while (number >= value) {
            text += symbol;
            number -= value;
        }
    }
    if (upper) {
        for (char& character : text) character = static_cast<char>(character - 'a' + 'A');
    }
    return text;
}

std::string placeholderText(std::string_view name, long long number) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> glyphs{{
        {"disc", "\u2022"}, {"circle", "\u25E6"}, {"square", "\u25AA"}, {"hyphen", "\u2043"},
        {"box", "\u25FB"}, {"check", "\u2713"}, {"diamond", "\u25C6"},
    }};
    for (const auto& [glyphName, glyph] : glyphs) {
        if (name == glyphName) return std::string(glyph);
    }
    if (name == "decimal") return digits(number, 10, false);
    if (name == "octal") return digits(number, 8, false);
    if (name == "lower-hexadecimal") return digits(number, 16, false);
    if (name == "upper-hexadecimal") return digits(number, 16, true);
    if (name == "lower-alpha" || name == "lower-latin") return alphabetic(number, false);
    if (name == "upper-alpha" || name == "upper-latin") return alphabetic(number, true);
    if (name == "lower-roman") return roman(number, false);
    if (name == "upper-roman") return roman(number, true);
    return {};
}

} // namespace

std::string TextList::marker(long long forItemNumber) const {
    const auto open = markerFormat.find('{');
    const auto close = open == std::string::npos ? std::string::npos : markerFormat.find('}', open);
    if (close == std::string::npos) return markerFormat;
    const std::string_view format = markerFormat;
    return std::string(format.substr(0, open)) +
           placeholderText(format.substr(open + 1, close - open - 1), forItemNumber) +
           std::string(format.substr(close + 1));
}

} // namespace tessaril::platform
