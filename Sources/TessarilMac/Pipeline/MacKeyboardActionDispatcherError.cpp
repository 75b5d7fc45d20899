#include "TessarilMac/Pipeline/MacKeyboardActionDispatcherError.hpp"

namespace tessaril {

std::string MacKeyboardActionDispatcherError::description() const {
    return case_ == Case::emptyText ? "emptyText" : "eventCreationFailed";
}

} // namespace tessaril
