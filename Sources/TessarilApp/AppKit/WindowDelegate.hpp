#pragma once

namespace tessaril::appkit {

class Window;

// Told when the user closes a window; the window is hidden afterwards, never released.
class WindowDelegate {
public:
    virtual void windowWillClose(Window& window) = 0;

protected:
    ~WindowDelegate() = default;
};

} // namespace tessaril::appkit
