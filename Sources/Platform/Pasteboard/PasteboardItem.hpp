#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaril::platform {

using PasteboardData = std::vector<std::uint8_t>;

// One item of the pasteboard: its (type, data) pairs in the order the item lists its types. A value.
struct PasteboardItem {
    struct Entry {
        std::string type;
        PasteboardData data;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    std::vector<Entry> dataByType;

    const PasteboardData* data(std::string_view type) const;
    // Replaces the data of a type the item holds where it stands; a new type goes to the end.
    void setData(std::string_view type, PasteboardData data);

    friend bool operator==(const PasteboardItem&, const PasteboardItem&) = default;
};

// The string flavour of the first item that has one, as the pasteboard reads it: none when no item has
// the type or its bytes are not UTF-8.
std::optional<std::string> firstString(const std::vector<PasteboardItem>& items);

PasteboardData pasteboardData(std::string_view bytes);

} // namespace tessaril::platform
