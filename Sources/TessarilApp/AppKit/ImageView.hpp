#pragma once

#include <QImage>
#include <QWidget>

namespace tessaril::appkit {

// An image scaled proportionally, up or down, to fit the view's bounds and centred in them.
class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QImage image, QWidget* parent = nullptr);

    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

} // namespace tessaril::appkit
