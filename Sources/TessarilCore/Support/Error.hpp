#pragma once

#include <stdexcept>
#include <string>

namespace tessaril {

// Base of every error the system throws. `description()` is the user-facing text (Japanese where the
// system has one); `typeName()` names the error's type, which the status text shows for input errors.
class Error : public std::exception {
public:
    ~Error() override = default;
    virtual std::string description() const = 0;
    virtual std::string typeName() const = 0;
    const char* what() const noexcept override;

private:
    mutable std::string whatStorage_;
};

} // namespace tessaril
