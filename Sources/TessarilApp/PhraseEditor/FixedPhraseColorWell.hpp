#pragma once

#include <functional>
#include <optional>
#include <string>

#include "Platform/Foundation/Color.hpp"
#include "TessarilApp/AppKit/Button.hpp"

namespace tessaril {

// A colour well: a swatch of its colour. A click opens the colour panel; choosing a colour there makes
// it the well's colour and runs the well's action with the well as sender. Without a colour panel a
// click does nothing. Main thread only.
class FixedPhraseColorWell : public appkit::Button {
    Q_OBJECT
public:
    // Shows the colour panel starting at a colour; the chosen colour, or none when cancelled.
    using ColorPanel = std::function<std::optional<platform::Color>(const platform::Color& initial)>;

    explicit FixedPhraseColorWell(const platform::Color& color, QWidget* parent = nullptr);

    const platform::Color& color() const { return color_; }
    // Sets the colour without running the action.
    void setColor(const platform::Color& color);
    void setColorPanel(ColorPanel panel) { colorPanel_ = std::move(panel); }
    // What runs once a colour was chosen; the selector names the action for the driver and tests.
    void setColorAction(std::string selector, std::function<void(FixedPhraseColorWell& well)> chosen);

    QSize sizeHint() const override { return {34, 24}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    platform::Color color_;
    ColorPanel colorPanel_;
};

} // namespace tessaril
