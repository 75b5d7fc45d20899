#pragma once

namespace tessaril::platform {

// Owns one POSIX file descriptor and closes it on every path out of a scope. Used by one thread at a
// time; not copyable.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) noexcept : descriptor_(descriptor) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const noexcept { return descriptor_; }
    bool isOpen() const noexcept { return descriptor_ >= 0; }
    // Closes now and answers the error of close (a delayed write error surfaces here), or 0.
    int close() noexcept;

private:
    int descriptor_;
};

} // namespace tessaril::platform
