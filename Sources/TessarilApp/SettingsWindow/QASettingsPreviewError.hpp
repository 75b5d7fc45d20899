#pragma once

#include <string>

#include "TessarilCore/Support/Error.hpp"

namespace tessaril {

// Why a picture of a settings page could not be made; each names the view concerned.
class QASettingsPreviewError final : public Error {
public:
    enum class Kind { unavailableView, invalidViewSize, bitmapCreationFailed, pngEncodingFailed };

    QASettingsPreviewError(Kind kind, std::string name) : kind_(kind), name_(std::move(name)) {}

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    std::string description() const override;
    std::string typeName() const override { return "QASettingsPreviewError"; }

private:
    Kind kind_;
    std::string name_;
};

} // namespace tessaril
