#pragma once

#include <string_view>

namespace tessaril::application_identity {

// The application's bundle identifier: the subsystem of every unified-log logger.
inline constexpr std::string_view bundleIdentifier = "com.tessaril.Tessaril";
// The first part of the names the application gives its threads and devices (".event-tap",
// ".kana-keyboard").
inline constexpr std::string_view reverseDNSPrefix = "com.tessaril";

} // namespace tessaril::application_identity
