#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QImage>
#include <QRect>

#include "TessarilApp/Shell/Menu.hpp"

namespace tessaril {

// The application's one item in the system's status area, with its button: an image or a title, a
// tooltip and a menu whose chosen item goes to the handler. Main thread.
class StatusItem {
public:
    using MenuHandler = std::function<void(const MenuItem& chosen)>;

    virtual ~StatusItem() = default;

    virtual void setVisible(bool visible) = 0;
    // Whether the item has a button to show (there is a status area to show it in).
    virtual bool hasButton() const = 0;
    // The image drawn image-only at `pointSize` (a template image is tinted by the system); none shows the title.
    virtual void setImage(std::optional<QImage> image, bool isTemplate, int pointSize) = 0;
    virtual void setTitle(const std::string& title) = 0;
    virtual void setToolTip(const std::string& toolTip) = 0;
    // Replaces the menu.
    virtual void setMenu(Menu menu, MenuHandler handler) = 0;
    // Where the button is on screen, in Qt's global coordinates; none when the system does not tell, or
    // not yet (the status area places the button a moment after it is shown).
    virtual std::optional<QRect> buttonGeometry() const { return std::nullopt; }
    // Runs `handler` whenever the button may have moved or changed size, as when the status area places
    // it; an empty handler stops that. Items whose status area never tells run nothing.
    virtual void setButtonMovedHandler(std::function<void()> handler) { static_cast<void>(handler); }
};

} // namespace tessaril
