#pragma once

#include <cstdlib>
#include <memory>

namespace tessaril {

// A reply of the X server as libxcb hands it over: the caller frees it with `free`.
struct XcbReplyDeleter {
    void operator()(void* pointer) const { std::free(pointer); }
};
template <class T> using XcbReply = std::unique_ptr<T, XcbReplyDeleter>;

} // namespace tessaril
