#pragma once

#include "TessarilApp/AppKit/View.hpp"

namespace tessaril {

// The document view of every page's scroll view; pages lay out from its top.
class TessarilDocumentView : public appkit::View {
public:
    using appkit::View::View;
};

} // namespace tessaril
