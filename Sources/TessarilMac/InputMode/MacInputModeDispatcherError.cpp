#include "TessarilMac/InputMode/MacInputModeDispatcherError.hpp"

namespace tessaril {

// Built by appending: GCC 12 at -O3 reports a false -Wrestrict overlap for a literal joined to a string.
std::string MacInputModeDispatcherError::description() const {
    std::string text(rawValue(kind_));
    if (!mode_) return text;
    text += '(';
    text += rawValue(*mode_);
    if (status_) {
        text += ", ";
        text += std::to_string(*status_);
    }
    text += ')';
    return text;
}

} // namespace tessaril
