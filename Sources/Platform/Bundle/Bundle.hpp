#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tessaril::platform {

// An application bundle as the code asks about it: its identifier, the texts of its information
// dictionary ("CFBundleShortVersionString", "CFBundleVersion"), where it runs from and where its
// resources lie. A plain value; resources are looked up on disk when asked for.
struct Bundle {
    std::optional<std::string> bundleIdentifier{};
    std::map<std::string, std::string, std::less<>> infoDictionary{};
    std::filesystem::path bundlePath{};
    std::filesystem::path resourcePath{};

    // The dictionary's text under `key`; none when absent.
    std::optional<std::string> infoDictionaryString(std::string_view key) const;
    // The regular file "<name>.<type>" in the resources, or in their `subdirectory` when one is given;
    // none when there is no such file.
    std::optional<std::filesystem::path> pathForResource(std::string_view name, std::string_view type,
                                                         std::string_view subdirectory = {}) const;

    friend bool operator==(const Bundle&, const Bundle&) = default;
};

} // namespace tessaril::platform
