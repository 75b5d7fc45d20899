#include "TessarilCore/Support/JSONParsing.hpp"

namespace tessaril::coding {

std::optional<Json> parsedJSON(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
    Json parsed = Json::parse(bytes.data(), bytes.data() + bytes.size(), nullptr, false);
    if (parsed.is_discarded()) return std::nullopt;
    return parsed;
}

} // namespace tessaril::coding
