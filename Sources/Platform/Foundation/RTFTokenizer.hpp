#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tessaril::platform {

// One token of an RTF document.
struct RTFToken {
    enum class Kind { groupStart, groupEnd, controlWord, controlSymbol, hexByte, text, binary, end };

    Kind kind = Kind::end;
    std::string_view word;  // controlWord: the name, at most `maximumWordLength` letters
    bool hasParameter = false;
    int parameter = 0;      // controlWord: clamped to ±`parameterLimit`
    std::uint8_t byte = 0;  // text: the byte; hexByte: its value; controlSymbol: the symbol
    std::size_t binaryLength = 0;
};

// Splits RTF into tokens in one forward pass. Numeric parameters saturate instead of overflowing,
// \bin data is stepped over (its length clamped to the input left) and reported as one token, and
// raw line breaks, which RTF ignores, are dropped. A backslash before a line break is \par.
class RTFTokenizer {
public:
    static constexpr std::size_t maximumWordLength = 32;
    static constexpr int parameterLimit = 1'000'000'000;

    RTFTokenizer(std::span<const std::uint8_t> input, std::size_t start) : input_(input), position_(start) {}

    RTFToken next();

private:
    RTFToken controlWord();
    RTFToken hexByte();
    bool isLetter(std::size_t position) const;
    bool isDigit(std::size_t position) const;

    std::span<const std::uint8_t> input_;
    std::size_t position_;
};

} // namespace tessaril::platform
