#pragma once

#include "TessarilApp/AppKit/View.hpp"

namespace tessaril {

// The window's plain container view: window content, sidebar, status badges, switch knobs.
class TessarilView : public appkit::View {
public:
    using appkit::View::View;
};

} // namespace tessaril
