#include "Platform/Pasteboard/Pasteboard.hpp"

#include "Platform/Pasteboard/PasteboardType.hpp"

namespace tessaril::platform {

std::optional<std::string> Pasteboard::string() const {
    auto items = pasteboardItems();
    return items ? firstString(*items) : std::nullopt;
}

bool Pasteboard::setString(std::string_view text) { return setData(pasteboard_type::string, pasteboardData(text)); }

} // namespace tessaril::platform
