#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "TessarilApp/AppKit/FilePanel.hpp"

namespace tessaril {

class AppDelegate;

// Picks an application through the open panel ("アプリを追加"). Here an application is a desktop
// entry file: its file name without ".desktop" stands for the bundle identifier, and its "Name" for
// the display name (the file name without extension when it has none). None when the panel is
// cancelled or the file is no readable desktop entry. Main thread only.
std::optional<appkit::ChosenApplication> chooseApplicationTarget(AppDelegate& delegate);

// The application a desktop entry file describes, as above; none for a file that cannot be read or
// has no "[Desktop Entry]" group.
std::optional<appkit::ChosenApplication> readDesktopEntry(const std::filesystem::path& file);

} // namespace tessaril
