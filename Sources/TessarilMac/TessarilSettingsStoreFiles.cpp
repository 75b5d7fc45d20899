#include "TessarilMac/TessarilSettingsStoreFiles.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "TessarilMac/TessarilSettingsStoreError.hpp"
#include "TessarilMac/TessarilSettingsStoreSystemError.hpp"

namespace tessaril::settings_store_files {
namespace {

[[noreturn]] void throwSystemError(const std::filesystem::path& path, int error) {
    throw TessarilSettingsStoreSystemError(path.string() + ": " + std::strerror(error));
}

// Closes the descriptor when the scope ends.
class Descriptor {
public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    ~Descriptor() {
        if (descriptor_ >= 0) ::close(descriptor_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return descriptor_; }
    // Closes now and answers the error of the close, or 0.
    int close() {
        int result = ::close(descriptor_) == 0 ? 0 : errno;
        descriptor_ = -1;
        return result;
    }

private:
    int descriptor_;
};

std::int64_t reportedSize(const Descriptor& file, const std::filesystem::path& path) {
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) throwSystemError(path, errno);
    if (!S_ISREG(status.st_mode)) throw TessarilSettingsStoreError::invalidSettingsFile();
    return static_cast<std::int64_t>(status.st_size);
}

bool writeAll(int descriptor, std::string_view contents) {
    while (!contents.empty()) {
        ssize_t written = ::write(descriptor, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::string readRegularFile(const std::filesystem::path& path, std::int64_t maximumBytes) {
    // Non-blocking, so that opening a FIFO does not wait for a writer before it is refused.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) throwSystemError(path, errno);
    const std::int64_t size = reportedSize(file, path);
    if (size > maximumBytes) throw TessarilSettingsStoreError::fileTooLarge(maximumBytes, size);

    // One byte past the limit tells a file that grew since its size was asked.
    std::string contents;
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

void writeFileAtomically(const std::filesystem::path& path, std::string_view contents) {
    const std::filesystem::path directory = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string temporaryName = (directory / ("." + path.filename().string() + ".XXXXXX")).string();
    Descriptor temporary(::mkstemp(temporaryName.data()));
    if (temporary.get() < 0) throwSystemError(path, errno);

    int error = 0;
    if (::fchmod(temporary.get(), 0644) != 0 || !writeAll(temporary.get(), contents) || ::fsync(temporary.get()) != 0) {
        error = errno;
    }
    if (int closeError = temporary.close(); error == 0) error = closeError;
    if (error == 0 && ::rename(temporaryName.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporaryName.c_str());
        throwSystemError(path, error);
    }
    // Make the rename itself durable; the file is in place whether or not this succeeds.
    Descriptor directoryFile(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directoryFile.get() >= 0) ::fsync(directoryFile.get());
}

} // namespace tessaril::settings_store_files
