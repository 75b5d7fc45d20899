#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "TessarilCore/Support/Error.hpp"

namespace tessaril {

// Why a synthetic key press could not be posted. Carries no text of its own: the status text shows
// the type's name.
class MacKeyboardActionDispatcherError final : public Error {
public:
    enum class Case { emptyText, eventCreationFailed };

    explicit MacKeyboardActionDispatcherError(Case errorCase) : case_(errorCase) {}
    Case errorCase() const { return case_; }

    std::string description() const override;
    std::string typeName() const override { return "MacKeyboardActionDispatcherError"; }

    friend bool operator==(const MacKeyboardActionDispatcherError& left, const MacKeyboardActionDispatcherError& right) {
        return left.case_ == right.case_;
    }

private:
    Case case_;
};

} // namespace tessaril

template <> struct std::hash<tessaril::MacKeyboardActionDispatcherError> {
    std::size_t operator()(const tessaril::MacKeyboardActionDispatcherError& error) const noexcept {
        return std::hash<int>{}(static_cast<int>(error.errorCase()));
    }
};
