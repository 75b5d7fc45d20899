#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace tessaril::settings_store_files {

// The file access of the settings store's import, on the caller's thread.

// The whole content of a regular file of at most `maximumBytes`, read as platform::RegularFile reads.
// Throws TessarilSettingsStoreError: fileTooLarge (with the file's size) and invalidSettingsFile (not
// a regular file); and TessarilSettingsStoreSystemError when the file cannot be opened or read.
std::string readRegularFile(const std::filesystem::path& path, std::int64_t maximumBytes);

} // namespace tessaril::settings_store_files
