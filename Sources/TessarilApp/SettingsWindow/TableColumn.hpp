#pragma once

#include <string>

#include "TessarilApp/AppKit/TextAlignment.hpp"

namespace tessaril {

// One column of a settings table: its header title, its width in points, and how its cells align.
struct TableColumn {
    std::string title;
    int width = 0;
    appkit::TextAlignment alignment = appkit::TextAlignment::left;
};

} // namespace tessaril
