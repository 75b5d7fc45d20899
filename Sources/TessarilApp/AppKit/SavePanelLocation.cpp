#include "TessarilApp/AppKit/SavePanelLocation.hpp"

namespace tessaril::appkit {

namespace {

const char* extension(FilePanel::ContentType type) {
    switch (type) {
    case FilePanel::ContentType::json: return ".json";
    case FilePanel::ContentType::application: return ".desktop";
    }
    return "";
}

} // namespace

std::filesystem::path savePanelLocation(const FilePanel& panel, const std::filesystem::path& answer) {
    if (!answer.has_filename() || answer.has_extension()) return answer;
    std::filesystem::path completed = answer;
    completed += extension(panel.contentType);
    return completed;
}

} // namespace tessaril::appkit
