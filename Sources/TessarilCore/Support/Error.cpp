#include "TessarilCore/Support/Error.hpp"

namespace tessaril {

const char* Error::what() const noexcept {
    try {
        whatStorage_ = description();
    } catch (...) {
        return "tessaril::Error";
    }
    return whatStorage_.c_str();
}

} // namespace tessaril
