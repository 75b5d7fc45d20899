#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tessaril::settings_store_files {

// The file access of the settings store's export and import, on the caller's thread.

// The whole content of a regular file of at most `maximumBytes`. The limit holds whatever size the file
// system reports, also for a file that grows while it is read. Throws TessarilSettingsStoreError:
// fileTooLarge (with the file's size) and invalidSettingsFile (not a regular file); and
// TessarilSettingsStoreSystemError when the file cannot be opened or read.
std::string readRegularFile(const std::filesystem::path& path, std::int64_t maximumBytes);

// Replaces the file with `contents` atomically: a temporary file in the same directory, flushed, then
// renamed over the target, so a failure leaves the old file as it was. Throws
// TessarilSettingsStoreSystemError.
void writeFileAtomically(const std::filesystem::path& path, std::string_view contents);

} // namespace tessaril::settings_store_files
