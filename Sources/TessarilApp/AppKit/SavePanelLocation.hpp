#pragma once

#include <filesystem>

#include "TessarilApp/AppKit/FilePanel.hpp"

namespace tessaril::appkit {

// The file a save panel's answer stands for. As the platform's save panel does, a name typed without
// an extension gets the extension of the panel's content type, so that the file shows in the open
// panels that filter on it; a name with any extension is kept as typed.
std::filesystem::path savePanelLocation(const FilePanel& panel, const std::filesystem::path& answer);

} // namespace tessaril::appkit
