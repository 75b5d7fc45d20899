#include "TessarilMac/Pipeline/InputDispatchErrorTypeName.hpp"

#include "TessarilCore/Support/Error.hpp"

namespace tessaril {

std::string inputDispatchErrorTypeName(const std::exception_ptr& error) {
    if (!error) return "Error"; // rethrowing a null pointer is undefined
    try {
        std::rethrow_exception(error);
    } catch (const Error& typed) {
        return typed.typeName();
    } catch (...) {
        return "Error";
    }
}

} // namespace tessaril
