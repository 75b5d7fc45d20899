#include "Platform/Foundation/DomainFile.hpp"

#include <cerrno>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Foundation/AtomicFile.hpp"
#include "Platform/Foundation/FileDescriptor.hpp"
#include "Platform/Foundation/FileWriteError.hpp"
#include "Platform/Foundation/SystemErrorText.hpp"
#include "Platform/Foundation/UserDefaultsWriteError.hpp"

namespace tessaril::platform {

namespace {

std::string systemReason(int error) { return systemErrorText(error); }

[[noreturn]] void fail(std::string_view action, const std::filesystem::path& path, int error) {
    throw UserDefaultsWriteError("cannot " + std::string(action) + " " + path.string() + ": " + systemReason(error));
}

DomainFile::Identity identityOf(const struct stat& status) {
    return DomainFile::Identity{
        .exists = true,
        .device = static_cast<std::uint64_t>(status.st_dev),
        .inode = static_cast<std::uint64_t>(status.st_ino),
        .size = static_cast<std::int64_t>(status.st_size),
        .modificationNanoseconds =
            static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
    };
}

// The defaults' callers know one write error; the file helpers report their own.
template <class Operation> auto asUserDefaultsWriteError(Operation&& operation) {
    try {
        return operation();
    } catch (const FileWriteError& error) {
        throw UserDefaultsWriteError(error.what());
    }
}

} // namespace

DomainFile::DomainFile(std::filesystem::path directory, std::string domain)
    : directory_(std::move(directory)), path_(directory_ / (domain + ".json")) {}

void DomainFile::createDirectory(const std::filesystem::path& directory) {
    struct stat status {};
    if (::stat(directory.c_str(), &status) == 0) {
        if (!S_ISDIR(status.st_mode)) fail("use directory", directory, ENOTDIR);
        return;
    }
    if (errno != ENOENT) fail("inspect", directory, errno);
    const auto parent = directory.parent_path();
    if (!parent.empty() && parent != directory) createDirectory(parent);
    if (::mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST) fail("create directory", directory, errno);
    // Settings are private to their user, whatever the umask says.
    if (::chmod(directory.c_str(), 0700) != 0) fail("set permissions of", directory, errno);
}

DomainFile::DirectoryLock::DirectoryLock(const std::filesystem::path& directory) {
    createDirectory(directory);
    descriptor_ = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor_ < 0) fail("open", directory, errno);
    while (::flock(descriptor_, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        const int error = errno;
        ::close(descriptor_);
        fail("lock", directory, error);
    }
}

DomainFile::DirectoryLock::~DirectoryLock() {
    if (descriptor_ >= 0) ::close(descriptor_); // closing releases the flock
}

DomainFile::Identity DomainFile::identity() const {
    struct stat status {};
    if (::stat(path_.c_str(), &status) != 0) return Identity{};
    return identityOf(status);
}

DomainFile::Contents DomainFile::read() const {
    Contents contents;
    FileDescriptor descriptor(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!descriptor.isOpen()) {
        if (errno != ENOENT) {
            contents.problem = "cannot open " + path_.string() + ": " + systemReason(errno);
            contents.identity = identity();
        }
        return contents;
    }
    // The identity comes from the open file, so it describes exactly the bytes read below.
    struct stat status {};
    if (::fstat(descriptor.get(), &status) != 0) {
        contents.problem = "cannot inspect " + path_.string() + ": " + systemReason(errno);
        return contents;
    }
    contents.identity = identityOf(status);
    std::string text;
    std::vector<char> buffer(65536);
    for (;;) {
        const ssize_t count = ::read(descriptor.get(), buffer.data(), buffer.size());
        if (count < 0) {
            if (errno == EINTR) continue;
            contents.problem = "cannot read " + path_.string() + ": " + systemReason(errno);
            return contents;
        }
        if (count == 0) break;
        text.append(buffer.data(), static_cast<std::size_t>(count));
    }
    try {
        auto values = nlohmann::json::parse(text);
        if (!values.is_object()) {
            contents.problem = path_.string() + " does not hold a JSON object";
            return contents;
        }
        contents.values = std::move(values);
    } catch (const nlohmann::json::exception& error) {
        contents.problem = path_.string() + " is not valid JSON: " + error.what();
    }
    return contents;
}

DomainFile::Identity DomainFile::write(const nlohmann::json& values) const {
    const std::string text = values.dump(2) + "\n";
    return identityOf(asUserDefaultsWriteError(
        [&] { return AtomicFile::write(path_, text, 0600, AtomicFile::DirectorySync::required); }));
}

std::optional<std::filesystem::path> DomainFile::moveAside() const {
    for (int number = 1;; ++number) {
        std::filesystem::path backup = path_.string() + ".corrupt-" + std::to_string(number);
        struct stat status {};
        if (::lstat(backup.c_str(), &status) == 0) continue;
        // link + unlink never replaces an existing backup, unlike rename.
        if (::link(path_.c_str(), backup.c_str()) != 0) {
            if (errno == EEXIST) continue;
            if (errno == ENOENT) return std::nullopt;
            fail("keep a copy of", path_, errno);
        }
        if (::unlink(path_.c_str()) != 0) fail("remove", path_, errno);
        asUserDefaultsWriteError([&] { AtomicFile::syncDirectory(directory_); });
        return backup;
    }
}

} // namespace tessaril::platform
