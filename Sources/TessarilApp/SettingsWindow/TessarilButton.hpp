#pragma once

#include "TessarilApp/AppKit/Button.hpp"

namespace tessaril {

// The window's drawn button: sidebar items, list buttons, switches and scope check boxes.
class TessarilButton : public appkit::Button {
public:
    using appkit::Button::Button;
};

} // namespace tessaril
