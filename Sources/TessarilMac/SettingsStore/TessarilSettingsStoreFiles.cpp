#include "TessarilMac/SettingsStore/TessarilSettingsStoreFiles.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "Platform/Foundation/FileDescriptor.hpp"
#include "Platform/Foundation/SystemErrorText.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStoreError.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStoreSystemError.hpp"

namespace tessaril::settings_store_files {
namespace {

[[noreturn]] void throwSystemError(const std::filesystem::path& path, int error) {
    throw TessarilSettingsStoreSystemError(path.string() + ": " + platform::systemErrorText(error));
}

std::int64_t reportedSize(const platform::FileDescriptor& file, const std::filesystem::path& path) {
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) throwSystemError(path, errno);
    if (!S_ISREG(status.st_mode)) throw TessarilSettingsStoreError::invalidSettingsFile();
    return static_cast<std::int64_t>(status.st_size);
}

} // namespace

std::string readRegularFile(const std::filesystem::path& path, std::int64_t maximumBytes) {
    // Non-blocking, so that opening a FIFO does not wait for a writer before it is refused.
    platform::FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.isOpen()) throwSystemError(path, errno);
    const std::int64_t size = reportedSize(file, path);
    if (size > maximumBytes) throw TessarilSettingsStoreError::fileTooLarge(maximumBytes, size);

    // One byte past the limit tells a file that grew since its size was asked.
    std::string contents;
    contents.reserve(static_cast<std::size_t>(size) + 1);
    std::vector<char> buffer(16384);
    const auto readLimit = static_cast<std::size_t>(maximumBytes) + 1;
    while (contents.size() < readLimit) {
        const std::size_t wanted = std::min(buffer.size(), readLimit - contents.size());
        ssize_t count = ::read(file.get(), buffer.data(), wanted);
        if (count < 0) {
            if (errno == EINTR) continue;
            throwSystemError(path, errno);
        }
        if (count == 0) break;
        contents.append(buffer.data(), static_cast<std::size_t>(count));
    }
    if (contents.size() > static_cast<std::size_t>(maximumBytes)) {
        const std::int64_t grownSize = std::max(reportedSize(file, path), static_cast<std::int64_t>(contents.size()));
        throw TessarilSettingsStoreError::fileTooLarge(maximumBytes, grownSize);
    }
    return contents;
}

} // namespace tessaril::settings_store_files
