#include "Platform/Pasteboard/InMemoryPasteboard.hpp"

namespace tessaril::platform {

std::int64_t InMemoryPasteboard::clearContents() {
    items_.clear();
    return ++changeCount_;
}

bool InMemoryPasteboard::writeObjects(const std::vector<PasteboardItem>& items) {
    items_.insert(items_.end(), items.begin(), items.end());
    return true;
}

bool InMemoryPasteboard::setData(std::string_view type, const PasteboardData& data) {
    if (items_.empty()) items_.emplace_back();
    items_.front().setData(type, data);
    return true;
}

} // namespace tessaril::platform
