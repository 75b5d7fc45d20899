#include "Platform/Foundation/FileDescriptor.hpp"

#include <cerrno>

#include <unistd.h>

namespace tessaril::platform {

FileDescriptor::~FileDescriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

int FileDescriptor::close() noexcept {
    if (descriptor_ < 0) return 0;
    const int result = ::close(descriptor_);
    descriptor_ = -1;
    return result == 0 ? 0 : errno;
}

} // namespace tessaril::platform
