#pragma once

#include "TessarilApp/AppKit/ColorPanelPresenter.hpp"

namespace tessaril::appkit {

// The colour panel as the toolkit's modal colour dialog, with alpha, over the active window.
class ColorDialogPanelPresenter final : public ColorPanelPresenter {
public:
    std::optional<platform::Color> runColorPanel(const platform::Color& initial) override;
};

} // namespace tessaril::appkit
