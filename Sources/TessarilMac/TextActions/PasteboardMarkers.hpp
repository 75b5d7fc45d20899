#pragma once

#include <string_view>

#include "Platform/Pasteboard/Pasteboard.hpp"

namespace tessaril {

// The published marker types by which clipboard-history tools recognise transient and concealed
// content. The system writes both, with empty data, on everything it puts on the pasteboard for its
// own purposes, so that its temporary writes never end up in a user's clipboard history.
struct PasteboardMarkers {
    static constexpr std::string_view tessarilTransient = "org.nspasteboard.TransientType";
    static constexpr std::string_view tessarilConcealed = "org.nspasteboard.ConcealedType";

    // Transient, then concealed, on an item being built.
    static void add(platform::PasteboardItem& item);
    // Transient, then concealed, on the pasteboard's current contents; the change count stays.
    static void set(platform::Pasteboard& pasteboard);
};

} // namespace tessaril
