#pragma once

#include <string>
#include <vector>

#include "TessarilApp/SettingsWindow/QASettingsPreviewEntry.hpp"

namespace tessaril {

// "manifest.json" of an export: the format version, the appearance's name and one entry per page in
// export order.
struct QASettingsPreviewManifest {
    int formatVersion = 1;
    std::string appearance;
    std::vector<QASettingsPreviewEntry> tabs;

    // Pretty printed with sorted keys; slashes are not escaped.
    std::string encoded() const;
};

} // namespace tessaril
