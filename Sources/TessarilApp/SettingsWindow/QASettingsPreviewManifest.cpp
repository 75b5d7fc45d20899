#include "TessarilApp/SettingsWindow/QASettingsPreviewManifest.hpp"

namespace tessaril {

nlohmann::json QASettingsPreviewEntry::toJSON() const {
    return {{"tab", tab},
            {"title", title},
            {"frameFile", frameFile},
            {"framePixelWidth", framePixelWidth},
            {"framePixelHeight", framePixelHeight},
            {"contentFile", contentFile},
            {"contentPixelWidth", contentPixelWidth},
            {"contentPixelHeight", contentPixelHeight}};
}

std::string QASettingsPreviewManifest::encoded() const {
    auto entries = nlohmann::json::array();
    for (const auto& entry : tabs) entries.push_back(entry.toJSON());
    // nlohmann's objects keep their keys sorted.
    const nlohmann::json manifest{{"formatVersion", formatVersion}, {"appearance", appearance}, {"tabs", entries}};
    return manifest.dump(2);
}

} // namespace tessaril
