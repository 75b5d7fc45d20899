#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace tessaril::platform {

// One user-defaults domain stored as "<domain>.json" in a directory of its own user. Writes replace the
// file atomically (temporary file in the same directory, fsync, rename, fsync of the directory), so a
// crash leaves either the old or the new file, never a mix. Holds no state beyond the two names; the
// caller serialises access within the process and takes `DirectoryLock` around read-modify-write.
class DomainFile {
public:
    // What distinguishes one version of the file from the next: a replaced file has a new inode, and an
    // edited one a new size or modification time.
    struct Identity {
        bool exists = false;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modificationNanoseconds = 0;
        friend bool operator==(const Identity&, const Identity&) = default;
    };

    // The values read, and the reason when the file exists but is unreadable or not a JSON object
    // (then `values` is empty).
    struct Contents {
        Identity identity;
        nlohmann::json values = nlohmann::json::object();
        std::optional<std::string> problem;
    };

    // An exclusive advisory lock on the directory (flock), so that two processes do not interleave
    // their read-modify-write cycles. Creates the directory (0700) when it is missing.
    class DirectoryLock {
    public:
        explicit DirectoryLock(const std::filesystem::path& directory);
        ~DirectoryLock();
        DirectoryLock(const DirectoryLock&) = delete;
        DirectoryLock& operator=(const DirectoryLock&) = delete;

    private:
        int descriptor_ = -1;
    };

    DomainFile(std::filesystem::path directory, std::string domain);

    const std::filesystem::path& directory() const { return directory_; }
    const std::filesystem::path& path() const { return path_; }

    Identity identity() const;
    Contents read() const;

    // Replaces the file with `values` (mode 0600); answers the new file's identity. Throws
    // UserDefaultsWriteError and leaves the old file in place when any step fails.
    Identity write(const nlohmann::json& values) const;

    // Renames the current file to the first free "<domain>.json.corrupt-N" (N from 1) and answers that
    // path, so a file that could not be read survives for diagnosis; none when there is no file.
    // Throws UserDefaultsWriteError.
    std::optional<std::filesystem::path> moveAside() const;

    // Creates the directory with mode 0700 when it is missing (parents likewise). Throws UserDefaultsWriteError.
    static void createDirectory(const std::filesystem::path& directory);

private:
    std::filesystem::path directory_;
    std::filesystem::path path_;
};

} // namespace tessaril::platform
