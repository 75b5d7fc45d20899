#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Pasteboard/PasteboardItem.hpp"

namespace tessaril::platform {

// The general pasteboard that every application shares. Its change count grows by one at each clear:
// the writes that follow a clear, and data set on the current contents, belong to that change. A write
// by another program is a clear and a write of its own, so it always shows in the count.
// Thread: the main thread.
class Pasteboard {
public:
    virtual ~Pasteboard() = default;

    virtual std::int64_t changeCount() const = 0;
    // The items in order; none when the pasteboard cannot list them.
    virtual std::optional<std::vector<PasteboardItem>> pasteboardItems() const = 0;
    // Empties the pasteboard and starts a change; returns the new change count.
    virtual std::int64_t clearContents() = 0;
    // Adds the items after those already written; false when the pasteboard refuses them.
    virtual bool writeObjects(const std::vector<PasteboardItem>& items) = 0;
    // Sets the data of a type on the current contents (the first item; a new one on an empty pasteboard).
    virtual bool setData(std::string_view type, const PasteboardData& data) = 0;

    // The string flavour of the first item that has one.
    std::optional<std::string> string() const;
    bool setString(std::string_view text);
};

} // namespace tessaril::platform
