#include "Platform/Bundle/Bundle.hpp"

#include <system_error>

namespace tessaril::platform {

std::optional<std::string> Bundle::infoDictionaryString(std::string_view key) const {
    auto found = infoDictionary.find(key);
    if (found == infoDictionary.end()) return std::nullopt;
    return found->second;
}

std::optional<std::filesystem::path> Bundle::pathForResource(std::string_view name, std::string_view type,
                                                             std::string_view subdirectory) const {
    if (name.empty() || resourcePath.empty()) return std::nullopt;
    std::filesystem::path directory = resourcePath;
    if (!subdirectory.empty()) directory /= subdirectory;
    std::string fileName(name);
    if (!type.empty()) fileName += "." + std::string(type);
    auto candidate = directory / fileName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(candidate, error)) return std::nullopt;
    return candidate;
}

} // namespace tessaril::platform
