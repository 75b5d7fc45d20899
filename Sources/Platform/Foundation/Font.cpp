#include "Platform/Foundation/Font.hpp"

namespace tessaril::platform {

const SharedString& Font::systemFamilyName() {
    static const SharedString name{systemFamily};
    return name;
}

Font Font::system(double pointSize, FontWeight weight) {
    return Font{systemFamilyName(), pointSize, weight, false, false};
}

Font Font::monospacedSystem(double pointSize, FontWeight weight) {
    static const SharedString name{monospacedSystemFamily};
    return Font{name, pointSize, weight, false, true};
}

} // namespace tessaril::platform
