#pragma once

#include <string>

#include "TessarilCore/Support/Error.hpp"

namespace tessaril {

// Why the event tap could not start. Carries no text of its own: the status text shows the type's name.
class EventTapInputBackendError final : public Error {
public:
    enum class Case {
        accessibilityNotTrusted,
        failedToCreateEventTap,
        failedToCreateRunLoopSource,
        // The tap's thread could not be started (the process is out of threads).
        failedToStartEventTapThread,
    };

    explicit EventTapInputBackendError(Case errorCase) : case_(errorCase) {}
    Case errorCase() const { return case_; }

    std::string description() const override;
    std::string typeName() const override { return "EventTapInputBackendError"; }

    friend bool operator==(const EventTapInputBackendError& left, const EventTapInputBackendError& right) {
        return left.case_ == right.case_;
    }

private:
    Case case_;
};

} // namespace tessaril
