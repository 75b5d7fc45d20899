#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "TessarilCore/Support/EnumCases.hpp"
#include "TessarilCore/Support/Error.hpp"
#include "TessarilCore/Input/InputMode.hpp"

namespace tessaril {

// Why an input-mode switch or an input-source query failed. Carries no text of its own: the status
// text shows only the type's name.
class MacInputModeDispatcherError : public Error {
public:
    enum class Kind {
        inputSourceNotFound,
        inputSourceSelectionFailed,
        modeKeyUnavailable,
        inputSourceAutoConfigurationFailed,
        currentInputSourceUnavailable,
        carbonUnavailable,
    };

    static MacInputModeDispatcherError inputSourceNotFound(InputMode mode) { return {Kind::inputSourceNotFound, mode, {}}; }
    static MacInputModeDispatcherError inputSourceSelectionFailed(InputMode mode, std::int32_t status) {
        return {Kind::inputSourceSelectionFailed, mode, status};
    }
    static MacInputModeDispatcherError modeKeyUnavailable(InputMode mode) { return {Kind::modeKeyUnavailable, mode, {}}; }
    static MacInputModeDispatcherError inputSourceAutoConfigurationFailed() {
        return {Kind::inputSourceAutoConfigurationFailed, {}, {}};
    }
    static MacInputModeDispatcherError currentInputSourceUnavailable() {
        return {Kind::currentInputSourceUnavailable, {}, {}};
    }
    static MacInputModeDispatcherError carbonUnavailable() { return {Kind::carbonUnavailable, {}, {}}; }

    Kind kind() const { return kind_; }
    std::optional<InputMode> mode() const { return mode_; }
    std::optional<std::int32_t> status() const { return status_; }

    // The case and its payload ("inputSourceSelectionFailed(katakana, -50)"), for logs and test output.
    std::string description() const override;
    std::string typeName() const override { return "MacInputModeDispatcherError"; }

    friend bool operator==(const MacInputModeDispatcherError& left, const MacInputModeDispatcherError& right) {
        return left.kind_ == right.kind_ && left.mode_ == right.mode_ && left.status_ == right.status_;
    }

private:
    MacInputModeDispatcherError(Kind kind, std::optional<InputMode> mode, std::optional<std::int32_t> status)
        : kind_(kind), mode_(mode), status_(status) {}

    Kind kind_;
    std::optional<InputMode> mode_;
    std::optional<std::int32_t> status_;
};

template <> struct EnumCases<MacInputModeDispatcherError::Kind> {
    using Kind = MacInputModeDispatcherError::Kind;
    static constexpr std::string_view typeName = "MacInputModeDispatcherError";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<Kind, std::string_view>, 6> cases{{
        {Kind::inputSourceNotFound, "inputSourceNotFound"},
        {Kind::inputSourceSelectionFailed, "inputSourceSelectionFailed"},
        {Kind::modeKeyUnavailable, "modeKeyUnavailable"},
        {Kind::inputSourceAutoConfigurationFailed, "inputSourceAutoConfigurationFailed"},
        {Kind::currentInputSourceUnavailable, "currentInputSourceUnavailable"},
        {Kind::carbonUnavailable, "carbonUnavailable"},
    }};
};

} // namespace tessaril
