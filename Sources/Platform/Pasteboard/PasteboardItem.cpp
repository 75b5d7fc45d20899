#include "Platform/Pasteboard/PasteboardItem.hpp"

#include <algorithm>

#include "Platform/Foundation/DataEncoding.hpp"
#include "Platform/Pasteboard/PasteboardType.hpp"

namespace tessaril::platform {

const PasteboardData* PasteboardItem::data(std::string_view type) const {
    auto found = std::find_if(dataByType.begin(), dataByType.end(), [&](const Entry& entry) { return entry.type == type; });
    return found == dataByType.end() ? nullptr : &found->data;
}

void PasteboardItem::setData(std::string_view type, PasteboardData data) {
    auto found = std::find_if(dataByType.begin(), dataByType.end(), [&](const Entry& entry) { return entry.type == type; });
    if (found == dataByType.end()) {
        dataByType.push_back(Entry{std::string(type), std::move(data)});
    } else {
        found->data = std::move(data);
    }
}

std::optional<std::string> firstString(const std::vector<PasteboardItem>& items) {
    for (const auto& item : items) {
        const PasteboardData* bytes = item.data(pasteboard_type::string);
        if (bytes == nullptr) continue;
        if (!data_encoding::isValidUTF8(*bytes)) return std::nullopt;
        return std::string(bytes->begin(), bytes->end());
    }
    return std::nullopt;
}

PasteboardData pasteboardData(std::string_view bytes) { return PasteboardData(bytes.begin(), bytes.end()); }

} // namespace tessaril::platform
