#include "TessarilCore/Support/Unicode.hpp"

#include <functional>
#include <memory>
#include <string>

#include <unicode/ubrk.h>
#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include "TessarilCore/Support/ICUError.hpp"

namespace tessaril::unicode {
namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

struct BreakIteratorCloser {
    void operator()(UBreakIterator* iterator) const { ubrk_close(iterator); }
};
struct CollatorCloser {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};

// Opening a break iterator is costly; each thread keeps one.
UBreakIterator* characterBreakIterator() {
    thread_local std::unique_ptr<UBreakIterator, BreakIteratorCloser> iterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        UBreakIterator* opened = ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status);
        if (U_FAILURE(status)) throw ICUError("ICU character break iterator unavailable");
        return std::unique_ptr<UBreakIterator, BreakIteratorCloser>(opened);
    }();
    return iterator.get();
}

UCollator* standardCollator() {
    thread_local std::unique_ptr<UCollator, CollatorCloser> collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        // Pinned to Japanese, the language of the people who name these presets, sets and applications,
        // and never the process locale: a stored list must sort the same on every machine (Lithuanian
        // puts "y" beside "i", for one). Japanese orders Latin letters as the root collation does.
        UCollator* opened = ucol_open("ja", &status);
        if (U_FAILURE(status)) throw ICUError("ICU collator unavailable");
        ucol_setStrength(opened, UCOL_SECONDARY);
        ucol_setAttribute(opened, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
        if (U_FAILURE(status)) {
            ucol_close(opened);
            throw ICUError("ICU collator unavailable");
        }
        return std::unique_ptr<UCollator, CollatorCloser>(opened);
    }();
    return collator.get();
}

const UNormalizer2* nfcNormalizer() {
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* normalizer = unorm2_getNFCInstance(&status);
    if (U_FAILURE(status)) throw ICUError("ICU NFC normalizer unavailable");
    return normalizer;
}

// Boundaries (UTF-16 offsets) of the grapheme clusters of `text`, starting with 0.
std::vector<int32_t> graphemeBoundaries(const std::u16string& text) {
    std::vector<int32_t> boundaries;
    UBreakIterator* iterator = characterBreakIterator();
    UErrorCode status = U_ZERO_ERROR;
    ubrk_setText(iterator, reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status)) throw ICUError("ICU break iterator failed");
    for (int32_t position = ubrk_first(iterator); position != UBRK_DONE; position = ubrk_next(iterator)) {
        boundaries.push_back(position);
    }
    // Detach from the local buffer.
    ubrk_setText(iterator, nullptr, 0, &status);
    return boundaries;
}

template <class Mapper> std::string mapCase(std::string_view text, Mapper mapper) {
    std::u16string source = toUTF16(text);
    std::u16string destination(source.size() + 8, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = mapper(reinterpret_cast<UChar*>(destination.data()), static_cast<int32_t>(destination.size()),
                            reinterpret_cast<const UChar*>(source.data()), static_cast<int32_t>(source.size()), "",
                            &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        destination.assign(static_cast<std::size_t>(length), u'\0');
        status = U_ZERO_ERROR;
        length = mapper(reinterpret_cast<UChar*>(destination.data()), static_cast<int32_t>(destination.size()),
                        reinterpret_cast<const UChar*>(source.data()), static_cast<int32_t>(source.size()), "", &status);
    }
    if (U_FAILURE(status)) throw ICUError("ICU case mapping failed");
    destination.resize(static_cast<std::size_t>(length));
    return fromUTF16(destination);
}

} // namespace

bool isASCII(std::string_view text) noexcept {
    for (unsigned char byte : text) {
        if (byte >= 0x80) return false;
    }
    return true;
}

std::vector<char32_t> scalars(std::string_view text) {
    std::vector<char32_t> result;
    result.reserve(text.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    int32_t length = static_cast<int32_t>(text.size());
    int32_t offset = 0;
    while (offset < length) {
        UChar32 scalar = 0;
        U8_NEXT(bytes, offset, length, scalar);
        result.push_back(scalar < 0 ? replacementCharacter : static_cast<char32_t>(scalar));
    }
    return result;
}

namespace {
// Appends one scalar as UTF-8; surrogates and values beyond U+10FFFF become U+FFFD.
void appendUTF8(std::string& result, char32_t scalar) {
    if (scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF)) scalar = replacementCharacter;
    if (scalar < 0x80) {
        result += static_cast<char>(scalar);
    } else if (scalar < 0x800) {
        result += static_cast<char>(0xC0 | (scalar >> 6));
        result += static_cast<char>(0x80 | (scalar & 0x3F));
    } else if (scalar < 0x10000) {
        result += static_cast<char>(0xE0 | (scalar >> 12));
        result += static_cast<char>(0x80 | ((scalar >> 6) & 0x3F));
        result += static_cast<char>(0x80 | (scalar & 0x3F));
    } else {
        result += static_cast<char>(0xF0 | (scalar >> 18));
        result += static_cast<char>(0x80 | ((scalar >> 12) & 0x3F));
        result += static_cast<char>(0x80 | ((scalar >> 6) & 0x3F));
        result += static_cast<char>(0x80 | (scalar & 0x3F));
    }
}
} // namespace

std::string fromScalars(const std::vector<char32_t>& values) {
    std::string result;
    result.reserve(values.size());
    for (char32_t scalar : values) appendUTF8(result, scalar);
    return result;
}

std::u16string toUTF16(std::string_view text) {
    std::u16string result;
    result.reserve(text.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t offset = 0; offset < length;) {
        UChar32 decoded = 0;
        U8_NEXT(bytes, offset, length, decoded);
        const char32_t scalar = decoded < 0 ? replacementCharacter : static_cast<char32_t>(decoded);
        if (scalar <= 0xFFFF) {
            result.push_back(static_cast<char16_t>(scalar));
        } else {
            result.push_back(static_cast<char16_t>(U16_LEAD(scalar)));
            result.push_back(static_cast<char16_t>(U16_TRAIL(scalar)));
        }
    }
    return result;
}

std::string fromUTF16(std::u16string_view text) {
    std::string result;
    result.reserve(text.size());
    std::size_t index = 0;
    while (index < text.size()) {
        char16_t unit = text[index++];
        if (U16_IS_LEAD(unit) && index < text.size() && U16_IS_TRAIL(text[index])) {
            appendUTF8(result, static_cast<char32_t>(U16_GET_SUPPLEMENTARY(unit, text[index])));
            ++index;
        } else {
            appendUTF8(result, U16_IS_SURROGATE(unit) ? replacementCharacter : unit);
        }
    }
    return result;
}

std::size_t utf16Length(std::string_view text) {
    std::size_t length = 0;
    for (char32_t scalar : scalars(text)) length += scalar > 0xFFFF ? 2 : 1;
    return length;
}

std::size_t characterCount(std::string_view text) {
    if (isASCII(text)) {
        std::size_t count = text.size();
        for (std::size_t index = 1; index < text.size(); ++index) {
            if (text[index - 1] == '\r' && text[index] == '\n') --count;
        }
        return count;
    }
    auto boundaries = graphemeBoundaries(toUTF16(text));
    return boundaries.empty() ? 0 : boundaries.size() - 1;
}

std::vector<std::string> characters(std::string_view text) {
    std::u16string units = toUTF16(text);
    auto boundaries = graphemeBoundaries(units);
    std::vector<std::string> result;
    for (std::size_t index = 1; index < boundaries.size(); ++index) {
        auto start = static_cast<std::size_t>(boundaries[index - 1]);
        auto end = static_cast<std::size_t>(boundaries[index]);
        result.push_back(fromUTF16(std::u16string_view(units).substr(start, end - start)));
    }
    return result;
}

std::string prefixCharacters(std::string_view text, std::size_t count) {
    // A UTF-8 text never has more characters than bytes.
    if (text.size() <= count) return std::string(text);
    if (isASCII(text) && text.find('\r') == std::string_view::npos) {
        return std::string(text.substr(0, std::min(count, text.size())));
    }
    std::u16string units = toUTF16(text);
    auto boundaries = graphemeBoundaries(units);
    if (boundaries.size() <= count + 1) return fromUTF16(units);
    return fromUTF16(std::u16string_view(units).substr(0, static_cast<std::size_t>(boundaries[count])));
}

std::string prefixCharactersTrimmingEnd(std::string_view text, std::size_t count) {
    return trimmingTrailingWhitespaceAndNewlines(prefixCharacters(text, count));
}

std::string lowercased(std::string_view text) {
    if (isASCII(text)) {
        std::string result(text);
        for (char& character : result) {
            if (character >= 'A' && character <= 'Z') character = static_cast<char>(character - 'A' + 'a');
        }
        return result;
    }
    return mapCase(text, u_strToLower);
}

std::string uppercased(std::string_view text) {
    if (isASCII(text)) {
        std::string result(text);
        for (char& character : result) {
            if (character >= 'a' && character <= 'z') character = static_cast<char>(character - 'a' + 'A');
        }
        return result;
    }
    return mapCase(text, u_strToUpper);
}

bool isWhitespaceOrNewline(char32_t scalar) {
    if ((scalar >= 0x09 && scalar <= 0x0D) || scalar == 0x85) return true;
    auto category = u_charType(static_cast<UChar32>(scalar));
    return category == U_SPACE_SEPARATOR || category == U_LINE_SEPARATOR || category == U_PARAGRAPH_SEPARATOR;
}

bool isWhitespace(char32_t scalar) { return u_isUWhiteSpace(static_cast<UChar32>(scalar)); }

namespace {
// Byte offsets of the first and one past the last scalar that is not white space.
std::pair<std::size_t, std::size_t> nonBlankRange(std::string_view text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    int32_t length = static_cast<int32_t>(text.size());
    int32_t offset = 0;
    std::size_t first = text.size();
    std::size_t last = 0;
    while (offset < length) {
        int32_t start = offset;
        UChar32 scalar = 0;
        U8_NEXT(bytes, offset, length, scalar);
        char32_t value = scalar < 0 ? replacementCharacter : static_cast<char32_t>(scalar);
        if (!isWhitespaceOrNewline(value)) {
            if (first == text.size()) first = static_cast<std::size_t>(start);
            last = static_cast<std::size_t>(offset);
        }
    }
    return {first, last};
}
} // namespace

std::string trimmingWhitespaceAndNewlines(std::string_view text) {
    auto [first, last] = nonBlankRange(text);
    if (first >= last) return {};
    return std::string(text.substr(first, last - first));
}

std::string trimmingTrailingWhitespaceAndNewlines(std::string_view text) {
    auto [first, last] = nonBlankRange(text);
    if (first >= last) return {};
    return std::string(text.substr(0, last));
}

bool isBlank(std::string_view text) {
    auto [first, last] = nonBlankRange(text);
    return first >= last;
}

std::string nfc(std::string_view text) {
    std::u16string source = toUTF16(text);
    const UNormalizer2* normalizer = nfcNormalizer();
    UErrorCode status = U_ZERO_ERROR;
    std::u16string destination(source.size() * 3 + 4, u'\0');
    int32_t length = unorm2_normalize(normalizer, reinterpret_cast<const UChar*>(source.data()),
                                      static_cast<int32_t>(source.size()), reinterpret_cast<UChar*>(destination.data()),
                                      static_cast<int32_t>(destination.size()), &status);
    if (U_FAILURE(status)) throw ICUError("ICU normalization failed");
    destination.resize(static_cast<std::size_t>(length));
    return fromUTF16(destination);
}

// Both sit on the key path: should ICU or memory fail, they fall back to comparing bytes rather than
// end the process.
bool canonicallyEqual(std::string_view left, std::string_view right) noexcept {
    if (left == right) return true;
    if (isASCII(left) && isASCII(right)) return false;
    try {
        return nfc(left) == nfc(right);
    } catch (...) {
        return false;
    }
}

std::size_t canonicalHash(std::string_view text) noexcept {
    if (isASCII(text)) return std::hash<std::string_view>{}(text);
    try {
        return std::hash<std::string>{}(nfc(text));
    } catch (...) {
        return std::hash<std::string_view>{}(text);
    }
}

int localizedStandardCompare(std::string_view left, std::string_view right) {
    UErrorCode status = U_ZERO_ERROR;
    UCollationResult result = ucol_strcollUTF8(standardCollator(), left.data(), static_cast<int32_t>(left.size()),
                                               right.data(), static_cast<int32_t>(right.size()), &status);
    if (U_FAILURE(status)) return left.compare(right);
    return static_cast<int>(result);
}

} // namespace tessaril::unicode
