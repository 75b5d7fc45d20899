#include "TessarilMac/MacInputModeDispatcherError.hpp"

namespace tessaril {

std::string MacInputModeDispatcherError::description() const {
    std::string text(rawValue(kind_));
    if (!mode_) return text;
    text += "(" + std::string(rawValue(*mode_));
    if (status_) text += ", " + std::to_string(*status_);
    return text + ")";
}

} // namespace tessaril
