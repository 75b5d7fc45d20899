#pragma once

#include <QPointer>
#include <QWidget>

namespace tessaril::appkit {

class Window;

// The whole frame of a window as the screen shows it: the title bar drawn above the window's
// content. It is never shown itself; it exists to take pictures of the frame.
class WindowFrameView : public QWidget {
    Q_OBJECT
public:
    explicit WindowFrameView(Window& window);

    // Follows the window's size, with the title bar added.
    void updateSize();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<Window> window_;
};

} // namespace tessaril::appkit
