#include "Platform/Foundation/Font.hpp"

namespace tessaril::platform {

Font Font::system(double pointSize, FontWeight weight) {
    return Font{std::string(systemFamily), pointSize, weight, false, false};
}

Font Font::monospacedSystem(double pointSize, FontWeight weight) {
    return Font{std::string(monospacedSystemFamily), pointSize, weight, false, true};
}

} // namespace tessaril::platform
