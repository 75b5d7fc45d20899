#pragma once

#include <string>

#include "TessarilCore/Support/Error.hpp"

namespace tessaril::test_support {

// What `call` throws, as the status text and the logs see it: "<typeName>: <description>" for an error
// of the system, "no error" when it returns, "not a tessaril::Error" for anything else.
template <class Call> std::string thrownError(Call&& call) {
    try {
        call();
    } catch (const Error& error) {
        return error.typeName() + ": " + error.description();
    } catch (...) {
        return "not a tessaril::Error";
    }
    return "no error";
}

} // namespace tessaril::test_support
