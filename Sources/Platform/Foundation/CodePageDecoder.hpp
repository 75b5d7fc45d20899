#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct UConverter;

namespace tessaril::platform {

// Turns the bytes of a Windows or Mac code page (1252, 932, 10000, …) into UTF-16 one byte at a time,
// through ICU. A double-byte code page holds a lead byte until its trail byte arrives. Unknown code
// pages decode as 1252; bytes without a character become U+FFFD. Decoded bytes and byte pairs are
// remembered, so a long text costs a table look-up per byte. Single-threaded.
class CodePageDecoder {
public:
    // The symbol character set: byte hh stands for the private-use character U+F000+hh.
    static constexpr int symbolCodePage = -1;

    explicit CodePageDecoder(int codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    // Appends the character that `byte` completes, if any.
    void decode(std::uint8_t byte, std::u16string& output);
    // A lead byte still waiting for its trail becomes U+FFFD.
    void flush(std::u16string& output);
    bool holdsLeadByte() const { return lead_ >= 0; }

private:
    void decodePair(std::uint8_t lead, std::uint8_t trail, std::u16string& output);

    UConverter* converter_ = nullptr;
    bool symbol_ = false;
    std::array<char16_t, 256> single_{};
    std::array<bool, 256> isLead_{};
    // Decoded pairs by lead × 256 + trail: 0 not yet decoded, else the unit + 1 (0x10001 and above:
    // the pair does not decode to a single unit and is decoded again each time).
    std::vector<std::uint32_t> pairs_;
    int lead_ = -1;
};

} // namespace tessaril::platform
