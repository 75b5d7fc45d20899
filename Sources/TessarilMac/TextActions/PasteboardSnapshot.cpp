#include "TessarilMac/TextActions/PasteboardSnapshot.hpp"

#include "TessarilMac/TextActions/PasteboardMarkers.hpp"

namespace tessaril {

PasteboardSnapshot PasteboardSnapshot::capture(const platform::Pasteboard& pasteboard) {
    PasteboardSnapshot snapshot;
    if (auto items = pasteboard.pasteboardItems()) snapshot.items = std::move(*items);
    snapshot.changeCount = pasteboard.changeCount();
    return snapshot;
}

void PasteboardSnapshot::restore(platform::Pasteboard& pasteboard) const {
    pasteboard.clearContents();
    if (items.empty()) return;
    std::vector<Item> marked = items;
    for (auto& item : marked) PasteboardMarkers::add(item);
    pasteboard.writeObjects(marked);
}

} // namespace tessaril
