#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "TessarilApp/AppKit/FilePanel.hpp"

namespace tessaril {

class AppDelegate;

// Picks an application through the open panel ("アプリを追加"). Here an application is a desktop
// entry file: its file name without ".desktop" stands for the bundle identifier, and its "Name" for
// the display name (the file name without extension when it has none). None when the panel is
// cancelled; a chosen file that is no readable desktop entry is refused in an alert ("追加できません")
// and gives none too. Main thread only.
std::optional<appkit::ChosenApplication> chooseApplicationTarget(AppDelegate& delegate);

// Desktop entries are a few kilobytes; anything near this is no entry.
inline constexpr std::int64_t maximumDesktopEntryBytes = 1024 * 1024;

// The application a desktop entry file describes, as above; none for a file without a "[Desktop
// Entry]" group. Read as the settings import reads its file: a regular file of at most
// maximumDesktopEntryBytes, never waiting on a pipe. Throws platform::FileReadError.
std::optional<appkit::ChosenApplication> readDesktopEntry(const std::filesystem::path& file);

} // namespace tessaril
