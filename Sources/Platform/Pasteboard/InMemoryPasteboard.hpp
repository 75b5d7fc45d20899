#pragma once

#include "Platform/Pasteboard/Pasteboard.hpp"

namespace tessaril::platform {

// A pasteboard held in memory, for the tests and the replay tool: the counting rules of the system's
// pasteboard, nothing shared with other processes. One thread at a time.
class InMemoryPasteboard final : public Pasteboard {
public:
    InMemoryPasteboard() = default;
    InMemoryPasteboard(std::int64_t changeCount, std::vector<PasteboardItem> items)
        : changeCount_(changeCount), items_(std::move(items)) {}

    std::int64_t changeCount() const override { return changeCount_; }
    std::optional<std::vector<PasteboardItem>> pasteboardItems() const override { return items_; }
    std::int64_t clearContents() override;
    bool writeObjects(const std::vector<PasteboardItem>& items) override;
    bool setData(std::string_view type, const PasteboardData& data) override;

    const std::vector<PasteboardItem>& items() const { return items_; }

private:
    std::int64_t changeCount_ = 0;
    std::vector<PasteboardItem> items_;
};

} // namespace tessaril::platform
