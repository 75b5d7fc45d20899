#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Pasteboard/Pasteboard.hpp"

namespace tessaril {

// What the pasteboard held before a text action borrowed it, to be put back afterwards. A value.
struct PasteboardSnapshot {
    using Item = platform::PasteboardItem;

    std::int64_t changeCount = 0;
    std::vector<Item> items;

    // The items with every type that yields data, then the change count, read last.
    static PasteboardSnapshot capture(const platform::Pasteboard& pasteboard);
    // Clears the pasteboard and writes the saved items in one write, each marked transient and
    // concealed; with no saved items the pasteboard stays empty.
    void restore(platform::Pasteboard& pasteboard) const;

    // The string flavour the pasteboard would give for these items.
    std::optional<std::string> string() const { return platform::firstString(items); }

    friend bool operator==(const PasteboardSnapshot&, const PasteboardSnapshot&) = default;
};

} // namespace tessaril
