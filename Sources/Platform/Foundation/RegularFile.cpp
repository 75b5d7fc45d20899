#include "Platform/Foundation/RegularFile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "Platform/Foundation/FileDescriptor.hpp"
#include "Platform/Foundation/FileReadError.hpp"
#include "Platform/Foundation/SystemErrorText.hpp"

namespace tessaril::platform {
namespace {

[[noreturn]] void throwSystemError(const std::filesystem::path& path, int error) {
    throw FileReadError::system(path, systemErrorText(error));
}

std::int64_t reportedSize(const FileDescriptor& file, const std::filesystem::path& path) {
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) throwSystemError(path, errno);
    if (!S_ISREG(status.st_mode)) throw FileReadError::notRegularFile(path);
    return static_cast<std::int64_t>(status.st_size);
}

} // namespace

std::string RegularFile::read(const std::filesystem::path& path, std::int64_t maximumBytes) {
    // Non-blocking, so that opening a FIFO does not wait for a writer before it is refused.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.isOpen()) throwSystemError(path, errno);
    const std::int64_t size = reportedSize(file, path);
    if (size > maximumBytes) throw FileReadError::tooLarge(path, size);

    // One byte past the limit tells a file that grew since its size was asked.
    std::string contents;
    contents.reserve(static_cast<std::size_t>(size) + 1);
    std::vector<char> buffer(16384);
    const auto readLimit = static_cast<std::size_t>(maximumBytes) + 1;
    while (contents.size() < readLimit) {
        const std::size_t wanted = std::min(buffer.size(), readLimit - contents.size());
        const ssize_t count = ::read(file.get(), buffer.data(), wanted);
        if (count < 0) {
            if (errno == EINTR) continue;
            throwSystemError(path, errno);
        }
        if (count == 0) break;
        contents.append(buffer.data(), static_cast<std::size_t>(count));
    }
    if (contents.size() > static_cast<std::size_t>(maximumBytes)) {
        throw FileReadError::tooLarge(path, std::max(reportedSize(file, path), static_cast<std::int64_t>(contents.size())));
    }
    return contents;
}

} // namespace tessaril::platform
