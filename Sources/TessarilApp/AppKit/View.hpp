#pragma once

#include <QWidget>

#include "TessarilApp/AppKit/LayerStyle.hpp"

namespace tessaril::appkit {

// A plain view with an optional backing layer (fill and border). Containers, badges, switch knobs
// and spacers are views. Main thread only.
class View : public QWidget {
    Q_OBJECT
public:
    explicit View(QWidget* parent = nullptr);

    const LayerStyle& layerStyle() const { return layer_; }
    void setLayerStyle(const LayerStyle& layer);
    void setBackgroundColor(const QColor& color);
    void setBorder(const QColor& color, int width = 1);

    // A view that takes the slack of a row (low hugging and compression resistance).
    static View* makeFlexibleSpace(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LayerStyle layer_;
};

} // namespace tessaril::appkit
