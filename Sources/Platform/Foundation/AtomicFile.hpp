#pragma once

#include <filesystem>
#include <string_view>

#include <sys/stat.h>
#include <sys/types.h>

namespace tessaril::platform {

// Replaces a file's contents so that a crash or a failure leaves either the old or the new file, never a
// mix: a temporary file "<name>.XXXXXX" beside it is written, synced and renamed over it, then the
// directory is synced. The temporary's name is the file's own, cut as far as needed to stay within
// the directory's limit on names, so every legal name can be written. Stateless; any thread.
class AtomicFile {
public:
    // Whether a failure to sync the directory after the rename fails the write. The defaults directory
    // requires it; a file the user saves anywhere (where some file systems cannot sync directories) is
    // in place once renamed.
    enum class DirectorySync { required, bestEffort };

    AtomicFile() = delete;

    // Writes `contents` with permissions `mode` and answers the status of the new file. Throws
    // FileWriteError; the temporary file is removed and the old file stays when any step fails.
    static struct stat write(const std::filesystem::path& path, std::string_view contents, mode_t mode,
                             DirectorySync directorySync);

    // Makes renames and removals within `directory` durable. Throws FileWriteError.
    static void syncDirectory(const std::filesystem::path& directory);
};

} // namespace tessaril::platform
