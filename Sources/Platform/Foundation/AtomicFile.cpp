#include "Platform/Foundation/AtomicFile.hpp"

#include <cerrno>
#include <string>
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

} // namespace

struct stat AtomicFile::write(const std::filesystem::path& path, std::string_view contents, mode_t mode,
                              DirectorySync directorySync) {
    const std::filesystem::path directory = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string pattern = path.string() + ".XXXXXX";
    std::vector<char> temporaryName(pattern.begin(), pattern.end());
    temporaryName.push_back('\0');
    FileDescriptor descriptor(::mkostemp(temporaryName.data(), O_CLOEXEC));
    if (!descriptor.isOpen()) fail("create a temporary file in", directory, errno);
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
