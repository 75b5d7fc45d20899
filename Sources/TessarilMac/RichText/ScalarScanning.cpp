#include "TessarilMac/RichText/ScalarScanning.hpp"

#include <cstdint>

#include <unicode/uchar.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

namespace tessaril::scalar_scanning {

char32_t next(std::string_view text, std::size_t& offset) {
    auto byte = static_cast<unsigned char>(text[offset]);
    if (byte < 0x80) {
        ++offset;
        return byte;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    auto position = static_cast<int32_t>(offset);
    UChar32 scalar = 0;
    U8_NEXT(bytes, position, static_cast<int32_t>(text.size()), scalar);
    offset = static_cast<std::size_t>(position);
    return scalar < 0 ? U'\uFFFD' : static_cast<char32_t>(scalar);
}

char32_t next(std::u16string_view text, std::size_t& offset) {
    char16_t unit = text[offset++];
    if (!U16_IS_SURROGATE(unit)) return unit;
    if (U16_IS_LEAD(unit) && offset < text.size() && U16_IS_TRAIL(text[offset])) {
        return static_cast<char32_t>(U16_GET_SUPPLEMENTARY(unit, text[offset++]));
    }
    return U'\uFFFD';
}

char32_t previous(std::string_view text, std::size_t& end) {
    // Back over at most three continuation bytes, then decode forwards; a sequence that does not end
    // exactly at `end` is invalid, and its last byte counts as one replacement character.
    std::size_t start = end - 1;
    while (start > 0 && end - start < 4 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        --start;
    std::size_t after = start;
    char32_t scalar = next(text, after);
    if (after == end) {
        end = start;
        return scalar;
    }
    --end;
    return U'\uFFFD';
}

bool isAlphanumeric(char32_t scalar) {
    if (scalar < 0x80) {
        return (scalar >= U'a' && scalar <= U'z') || (scalar >= U'A' && scalar <= U'Z') ||
               (scalar >= U'0' && scalar <= U'9');
    }
    auto mask = U_GET_GC_MASK(static_cast<UChar32>(scalar));
    return (mask & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK)) != 0;
}

bool isDecimalDigit(char32_t scalar) {
    if (scalar < 0x80) return scalar >= U'0' && scalar <= U'9';
    return u_charType(static_cast<UChar32>(scalar)) == U_DECIMAL_DIGIT_NUMBER;
}

bool isBlank(char32_t scalar) {
    if (scalar < 0x80) return scalar == U' ' || scalar == U'\t';
    return u_charType(static_cast<UChar32>(scalar)) == U_SPACE_SEPARATOR;
}

} // namespace tessaril::scalar_scanning
