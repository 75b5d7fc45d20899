#include "Platform/Foundation/AtomicFile.hpp"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "Platform/Foundation/FileDescriptor.hpp"
#include "Platform/Foundation/FileWriteError.hpp"
#include "Platform/Foundation/SystemErrorText.hpp"

namespace tessaril::platform {
namespace {

[[noreturn]] void fail(std::string_view action, const std::filesystem::path& path, int error) {
    throw FileWriteError("cannot " + std::string(action) + " " + path.string() + ": " + systemErrorText(error));
}

void writeAll(int descriptor, std::string_view text, const std::filesystem::path& path) {
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            fail("write", path, errno);
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

constexpr std::string_view temporarySuffix = ".XXXXXX";

// The longest file name the directory takes; the usual limit when it cannot be asked (the directory
// is missing, which creating the temporary file then reports).
std::size_t nameLimit(const std::filesystem::path& directory) {
    const long limit = ::pathconf(directory.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
}

// The mkostemp pattern beside the file: its own name, cut where a name of the longest legal length
// would take the temporary past the limit, and never inside a UTF-8 sequence.
std::string temporaryPattern(const std::filesystem::path& directory, const std::string& name, std::size_t limit) {
    std::size_t kept = std::min(name.size(), limit > temporarySuffix.size() ? limit - temporarySuffix.size() : 0);
    while (kept > 0 && kept < name.size() && (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80) --kept;
    return (directory / (name.substr(0, kept) + std::string(temporarySuffix))).string();
}

} // namespace

struct stat AtomicFile::write(const std::filesystem::path& path, std::string_view contents, mode_t mode,
                              DirectorySync directorySync) {
    const std::filesystem::path directory = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    const std::string name = path.filename().string();
    const std::size_t limit = nameLimit(directory);
    // Refused by its own name before anything is made; a temporary beside it could not be renamed to it.
    if (name.size() > limit) fail("write", path, ENAMETOOLONG);
    std::string pattern = temporaryPattern(directory, name, limit);
    std::vector<char> temporaryName(pattern.begin(), pattern.end());
    temporaryName.push_back('\0');
    FileDescriptor descriptor(::mkostemp(temporaryName.data(), O_CLOEXEC));
    if (!descriptor.isOpen()) {
        // The temporary's name is within the limit, so a name too long is the path's, which is the file's.
        if (errno == ENAMETOOLONG) fail("write", path, ENAMETOOLONG);
        fail("create a temporary file in", directory, errno);
    }
    const std::filesystem::path temporaryPath(temporaryName.data());
    struct stat status {};
    try {
        // mkostemp creates the file 0600 whatever the umask; the caller's mode is set explicitly.
        if (::fchmod(descriptor.get(), mode) != 0) fail("set permissions of", temporaryPath, errno);
        writeAll(descriptor.get(), contents, temporaryPath);
        if (::fsync(descriptor.get()) != 0) fail("sync", temporaryPath, errno);
        if (::fstat(descriptor.get(), &status) != 0) fail("inspect", temporaryPath, errno);
        if (const int error = descriptor.close(); error != 0) fail("close", temporaryPath, error);
        if (::rename(temporaryPath.c_str(), path.c_str()) != 0) fail("replace", path, errno);
    } catch (...) {
        ::unlink(temporaryPath.c_str());
        throw;
    }
    if (directorySync == DirectorySync::required) {
        syncDirectory(directory);
    } else {
        try {
            syncDirectory(directory);
        } catch (const FileWriteError&) {
            // The new file is in place; only its durability across a power loss is unconfirmed.
        }
    }
    return status;
}

void AtomicFile::syncDirectory(const std::filesystem::path& directory) {
    FileDescriptor descriptor(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!descriptor.isOpen()) fail("open", directory, errno);
    if (::fsync(descriptor.get()) != 0) fail("sync", directory, errno);
}

} // namespace tessaril::platform
