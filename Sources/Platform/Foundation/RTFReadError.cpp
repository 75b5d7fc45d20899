#include "Platform/Foundation/RTFReadError.hpp"

namespace tessaril::platform {

std::string RTFReadError::description() const { return "RTF 形式のデータではないため読み込めません。"; }

} // namespace tessaril::platform
