#pragma once

#include <optional>

#include "Platform/Foundation/Color.hpp"

namespace tessaril::appkit {

// Runs the colour panel modally from a starting colour; the chosen colour, or none when the user
// cancelled. The application shows the toolkit's colour dialog; tests and the replay tool answer from
// a script. Main thread only.
class ColorPanelPresenter {
public:
    virtual ~ColorPanelPresenter() = default;
    virtual std::optional<platform::Color> runColorPanel(const platform::Color& initial) = 0;
};

} // namespace tessaril::appkit
