#include "TessarilApp/SettingsWindow/QASettingsPreviewError.hpp"

namespace tessaril {

std::string QASettingsPreviewError::description() const {
    switch (kind_) {
    case Kind::unavailableView: return "QA preview view is unavailable: " + name_;
    case Kind::invalidViewSize: return "QA preview view has an invalid size: " + name_;
    case Kind::bitmapCreationFailed: return "QA preview bitmap creation failed: " + name_;
    case Kind::pngEncodingFailed: return "QA preview PNG encoding failed: " + name_;
    }
    return {};
}

} // namespace tessaril
