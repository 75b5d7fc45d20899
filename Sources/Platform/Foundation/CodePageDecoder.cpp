#include "Platform/Foundation/CodePageDecoder.hpp"

#include <string>

#include <unicode/ucnv.h>

namespace tessaril::platform {
namespace {

constexpr char16_t replacementCharacter = u'\uFFFD';
constexpr std::uint32_t notSingleUnit = 0x10001;

// The Mac code pages of the East Asian scripts are the Windows double-byte ones with a few symbols
// moved; ICU has no converters of their own.
int icuCodePage(int codePage) {
    switch (codePage) {
    case 10001: return 932; // Japanese: Shift-JIS
    case 10002: return 950; // Traditional Chinese: Big5
    case 10003: return 949; // Korean
    case 10008: return 936; // Simplified Chinese: GB2312
    default: return codePage;
    }
}

UConverter* openConverter(int codePage) {
    codePage = icuCodePage(codePage);
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(("windows-" + std::to_string(codePage)).c_str(), &status);
    if (U_SUCCESS(status) && converter) return converter;
    status = U_ZERO_ERROR;
    return ucnv_open("windows-1252", &status);
}

} // namespace

CodePageDecoder::CodePageDecoder(int codePage) {
    if (codePage == symbolCodePage) {
        symbol_ = true;
        return;
    }
    converter_ = openConverter(codePage);
    for (int byte = 0; byte < 256; ++byte) {
        single_[byte] = replacementCharacter;
        if (!converter_) continue;
        ucnv_reset(converter_);
        const char source[1] = {static_cast<char>(byte)};
        const char* input = source;
        UChar target[4];
        UChar* output = target;
        UErrorCode status = U_ZERO_ERROR;
        ucnv_toUnicode(converter_, &output, target + 4, &input, source + 1, nullptr, false, &status);
        if (U_SUCCESS(status) && ucnv_toUCountPending(converter_, &status) > 0) {
            isLead_[byte] = true;
        } else if (U_SUCCESS(status) && output - target == 1) {
            single_[byte] = target[0];
        }
    }
    if (converter_) ucnv_reset(converter_);
}

CodePageDecoder::~CodePageDecoder() {
    if (converter_) ucnv_close(converter_);
}

void CodePageDecoder::decode(std::uint8_t byte, std::u16string& output) {
    if (symbol_) {
        output.push_back(static_cast<char16_t>(0xF000 + byte));
    } else if (lead_ >= 0) {
        const auto lead = static_cast<std::uint8_t>(lead_);
        lead_ = -1;
        decodePair(lead, byte, output);
    } else if (isLead_[byte]) {
        lead_ = byte;
    } else {
        output.push_back(single_[byte]);
    }
}

void CodePageDecoder::flush(std::u16string& output) {
    if (lead_ < 0) return;
    lead_ = -1;
    output.push_back(replacementCharacter);
}

void CodePageDecoder::decodePair(std::uint8_t lead, std::uint8_t trail, std::u16string& output) {
    if (pairs_.empty()) pairs_.assign(65536, 0);
    std::uint32_t& known = pairs_[lead * 256u + trail];
    if (known != 0 && known < notSingleUnit) {
        output.push_back(static_cast<char16_t>(known - 1));
        return;
    }
    const char source[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    UChar target[8];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(converter_, target, 8, source, 2, &status);
    if (U_FAILURE(status) || length <= 0) {
        output.push_back(replacementCharacter);
        return;
    }
    output.append(reinterpret_cast<const char16_t*>(target), static_cast<std::size_t>(length));
    known = length == 1 ? std::uint32_t{target[0]} + 1 : notSingleUnit;
}

} // namespace tessaril::platform
