#pragma once

#include <functional>
#include <istream>
#include <string_view>

namespace tessaril::platform {

// Reads the key-value lines of the "[Desktop Entry]" group of a desktop entry file in order, with the
// blanks around keys and values trimmed; comments, blank lines, lines without "=" and other groups
// are skipped. `visit` answers false to stop reading. Answers whether the group was met (up to where
// reading stopped).
bool visitDesktopEntryKeys(std::istream& entry,
                           const std::function<bool(std::string_view key, std::string_view value)>& visit);

} // namespace tessaril::platform
