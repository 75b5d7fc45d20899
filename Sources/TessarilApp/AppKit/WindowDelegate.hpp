#pragma once

namespace tessaril::appkit {

class Window;

// Asked whether a window may close, and told when it does; the window is hidden afterwards, never
// released.
class WindowDelegate {
public:
    virtual bool windowShouldClose(Window&) { return true; }
    virtual void windowWillClose(Window& window) = 0;

protected:
    ~WindowDelegate() = default;
};

} // namespace tessaril::appkit
