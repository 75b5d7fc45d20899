#include "Platform/Foundation/RTFTokenizer.hpp"

#include <algorithm>

namespace tessaril::platform {
namespace {

int hexValue(std::uint8_t character) {
    if (character >= '0' && character <= '9') return character - '0';
    if (character >= 'a' && character <= 'f') return character - 'a' + 10;
    if (character >= 'A' && character <= 'F') return character - 'A' + 10;
    return -1;
}

RTFToken simpleToken(RTFToken::Kind kind, std::uint8_t byte = 0) {
    RTFToken token;
    token.kind = kind;
    token.byte = byte;
    return token;
}

} // namespace

bool RTFTokenizer::isLetter(std::size_t position) const {
    if (position >= input_.size()) return false;
    const std::uint8_t character = input_[position];
    return (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z');
}

bool RTFTokenizer::isDigit(std::size_t position) const {
    return position < input_.size() && input_[position] >= '0' && input_[position] <= '9';
}

RTFToken RTFTokenizer::next() {
    while (position_ < input_.size()) {
        const std::uint8_t character = input_[position_];
        if (character == '\r' || character == '\n') {
            ++position_;
            continue;
        }
        if (character == '{') {
            ++position_;
            return simpleToken(RTFToken::Kind::groupStart);
        }
        if (character == '}') {
            ++position_;
            return simpleToken(RTFToken::Kind::groupEnd);
        }
        if (character != '\\') {
            ++position_;
            return simpleToken(RTFToken::Kind::text, character);
        }
        if (position_ + 1 >= input_.size()) {
            position_ = input_.size();
            break;
        }
        if (isLetter(position_ + 1)) return controlWord();
        const std::uint8_t symbol = input_[position_ + 1];
        if (symbol == '\'') return hexByte();
        position_ += 2;
        return simpleToken(RTFToken::Kind::controlSymbol, symbol == '\r' ? std::uint8_t{'\n'} : symbol);
    }
    return {};
}

RTFToken RTFTokenizer::controlWord() {
    const std::size_t start = ++position_;
    while (isLetter(position_)) ++position_;
    RTFToken token = simpleToken(RTFToken::Kind::controlWord);
    const std::size_t length = std::min(position_ - start, maximumWordLength);
    token.word = std::string_view(reinterpret_cast<const char*>(input_.data() + start), length);

    const bool negative = position_ < input_.size() && input_[position_] == '-' && isDigit(position_ + 1);
    if (negative) ++position_;
    long long value = 0;
    while (isDigit(position_)) {
        token.hasParameter = true;
        value = std::min<long long>(value * 10 + (input_[position_] - '0'), parameterLimit);
        ++position_;
    }
    token.parameter = static_cast<int>(negative ? -value : value);
    if (position_ < input_.size() && input_[position_] == ' ') ++position_;

    if (token.word == "bin" && token.hasParameter && token.parameter > 0) {
        token.kind = RTFToken::Kind::binary;
        token.binaryLength = std::min<std::size_t>(static_cast<std::size_t>(token.parameter), input_.size() - position_);
        position_ += token.binaryLength;
    }
    return token;
}

RTFToken RTFTokenizer::hexByte() {
    position_ += 2;
    int value = 0;
    int digits = 0;
    while (digits < 2 && position_ < input_.size() && hexValue(input_[position_]) >= 0) {
        value = value * 16 + hexValue(input_[position_]);
        ++position_;
        ++digits;
    }
    // A \' without hex digits stands for nothing.
    if (digits == 0) return simpleToken(RTFToken::Kind::controlSymbol, '\'');
    return simpleToken(RTFToken::Kind::hexByte, static_cast<std::uint8_t>(value));
}

} // namespace tessaril::platform
