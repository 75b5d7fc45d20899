#pragma once

#include <string_view>

namespace tessaril::platform::pasteboard_type {

// The uniform types of the flavours the system reads and writes.
inline constexpr std::string_view string = "public.utf8-plain-text";
inline constexpr std::string_view rtf = "public.rtf";
inline constexpr std::string_view html = "public.html";
inline constexpr std::string_view png = "public.png";

} // namespace tessaril::platform::pasteboard_type
