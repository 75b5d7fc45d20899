#pragma once

#include <string>
#include <utility>

#include "TessarilCore/Support/Error.hpp"

namespace tessaril {

// Base of the errors whose description is a text fixed when they are raised: the system's reason for a
// failed write, the argument that was refused. Subclasses only name their type. Immutable, so it may be
// read from any thread (an exception_ptr can carry it to another one).
class MessageError : public Error {
public:
    explicit MessageError(std::string message) : message_(std::move(message)) {}

    std::string description() const override { return message_; }
    // The message itself: nothing to cache, so safe from several threads at once.
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

} // namespace tessaril
