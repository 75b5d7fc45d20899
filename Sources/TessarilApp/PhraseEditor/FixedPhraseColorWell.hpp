#pragma once

#include <functional>
#include <optional>

#include <QAbstractButton>
#include <QColor>

#include "Platform/Foundation/Color.hpp"
#include "TessarilApp/AppKit/Control.hpp"

namespace tessaril {

// A colour well: a swatch of its colour. A click opens the colour panel; choosing a colour there makes
// it the well's colour and sends the action. Main thread only.
class FixedPhraseColorWell : public QAbstractButton, public appkit::Control {
    Q_OBJECT
public:
    // Shows the colour panel starting at a colour; the chosen colour, or none when cancelled.
    using ColorPanel = std::function<std::optional<QColor>(const QColor& initial)>;

    explicit FixedPhraseColorWell(const platform::Color& color, QWidget* parent = nullptr);

    QWidget& widget() override { return *this; }
    appkit::ControlKind kind() const override { return appkit::ControlKind::button; }

    const platform::Color& color() const { return color_; }
    // Sets the colour without sending the action.
    void setColor(const platform::Color& color);
    void setColorPanel(ColorPanel panel) { colorPanel_ = std::move(panel); }

    QSize sizeHint() const override { return {34, 24}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void chooseColor();

    platform::Color color_;
    ColorPanel colorPanel_;
};

} // namespace tessaril
