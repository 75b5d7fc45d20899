#include "TessarilMac/TextActions/PasteboardMarkers.hpp"

namespace tessaril {

void PasteboardMarkers::add(platform::PasteboardItem& item) {
    item.setData(tessarilTransient, {});
    item.setData(tessarilConcealed, {});
}

void PasteboardMarkers::set(platform::Pasteboard& pasteboard) {
    pasteboard.setData(tessarilTransient, {});
    pasteboard.setData(tessarilConcealed, {});
}

} // namespace tessaril
