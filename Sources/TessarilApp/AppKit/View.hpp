#pragma once

#include <QWidget>

#include "TessarilApp/AppKit/LayerStyle.hpp"

namespace tessaril::appkit {

// A plain view with an optional backing layer: a fill below its subviews and a border drawn above
// them, as a layer draws its border over its sublayers (a table's rows do not hide its frame).
// Containers, badges, switch knobs and spacers are views. Main thread only.
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
    void resizeEvent(QResizeEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    void updateBorderOverlay();

    LayerStyle layer_;
    QWidget* borderOverlay_ = nullptr;
};

} // namespace tessaril::appkit
