#pragma once

#include <exception>
#include <string>

namespace tessaril {

// The name of a failed input dispatch's error type, which the status text shows after "入力送信エラー: ".
// Every error of the system names itself (a mode-key tap passes on the platform's VirtualHIDError of a
// refused report unchanged); anything else is "Error". Any thread.
std::string inputDispatchErrorTypeName(const std::exception_ptr& error);

} // namespace tessaril
