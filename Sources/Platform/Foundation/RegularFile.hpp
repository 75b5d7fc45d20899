#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace tessaril::platform {

// Reading a file the user chose, which may be anything the file system holds. Stateless; any thread.
class RegularFile {
public:
    RegularFile() = delete;

    // The whole content of a regular file of at most `maximumBytes`. Never waits for a writer: a named
    // pipe or a device is refused without being read. The limit holds whatever size the file system
    // reports, also for a file that grows while it is read. Throws FileReadError.
    static std::string read(const std::filesystem::path& path, std::int64_t maximumBytes);
};

} // namespace tessaril::platform
