#include "Platform/Foundation/RTFReader.hpp"

#include "Platform/Foundation/RTFParser.hpp"
#include "Platform/Foundation/RTFReadError.hpp"

namespace tessaril::platform {
namespace {

constexpr std::string_view signature = "{\\rtf";

bool isWhiteSpace(std::uint8_t byte) { return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n' || byte == '\f'; }

} // namespace

AttributedText RTFReader::read(std::span<const std::uint8_t> data) {
    std::size_t start = 0;
    while (start < data.size() && isWhiteSpace(data[start])) ++start;
    const std::string_view rest(reinterpret_cast<const char*>(data.data()) + start, data.size() - start);
    if (!rest.starts_with(signature)) throw RTFReadError();
    return RTFParser(data, start).parse();
}

AttributedText RTFReader::read(std::string_view data) {
    return read(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()));
}

} // namespace tessaril::platform
