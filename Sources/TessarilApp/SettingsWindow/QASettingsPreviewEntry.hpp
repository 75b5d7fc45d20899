#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace tessaril {

// One exported page in the manifest: its tab, its title and its two pictures with their sizes.
struct QASettingsPreviewEntry {
    std::string tab;
    std::string title;
    std::string frameFile;
    int framePixelWidth = 0;
    int framePixelHeight = 0;
    std::string contentFile;
    int contentPixelWidth = 0;
    int contentPixelHeight = 0;

    nlohmann::json toJSON() const;

    friend bool operator==(const QASettingsPreviewEntry&, const QASettingsPreviewEntry&) = default;
};

} // namespace tessaril
