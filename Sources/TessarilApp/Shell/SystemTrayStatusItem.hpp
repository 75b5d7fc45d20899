#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>

#include "TessarilApp/Shell/StatusItem.hpp"
#include "TessarilApp/Shell/SystemTrayArrival.hpp"
#include "TessarilApp/Shell/SystemTrayIconWindow.hpp"

namespace tessaril {

// The status item in the desktop's system tray: the image (a template image drawn light with a dark
// rim, so it shows on light and dark panels alike), or the title drawn as a glyph when there is none,
// the tooltip, and the menu, which a click of either button opens. Without a system tray the item has
// no button; a visible item shows itself once a tray announces its arrival (nothing polls, so the
// process sleeps at rest without a tray). The icon's place is known once the tray has placed it, and
// told as it moves. Main thread.
class SystemTrayStatusItem final : public StatusItem {
public:
    // Without `isTrayAvailable`, the desktop's system tray is looked for.
    explicit SystemTrayStatusItem(std::function<bool()> isTrayAvailable = {});
    ~SystemTrayStatusItem() override;

    void setVisible(bool visible) override;
    bool hasButton() const override;
    void setImage(std::optional<QImage> image, bool isTemplate, int pointSize) override;
    void setTitle(const std::string& title) override;
    void setToolTip(const std::string& toolTip) override;
    void setMenu(Menu menu, MenuHandler handler) override;
    std::optional<QRect> buttonGeometry() const override;
    void setButtonMovedHandler(std::function<void()> handler) override { buttonMoved_ = std::move(handler); }

    // What a tray's announcement runs: a visible item waiting for a tray shows itself in one that is
    // there now.
    void lookForTray();
    bool isWaitingForTray() const { return arrival_ != nullptr; }

    // The title drawn as the tray shows it: the text in white on a dark rounded square.
    static QIcon titleIcon(const std::string& title);
    // A template image as the tray shows it: its shape, light, inside a dark rim.
    static QImage tintedTemplate(const QImage& image);

private:
    void refreshIcon();
    // Shows the icon (or shows it again) and watches the window Qt made for it.
    void showIcon();

    std::function<bool()> isTrayAvailable_;
    QSystemTrayIcon tray_;
    // Only while the item should show and no tray exists.
    std::unique_ptr<SystemTrayArrival> arrival_;
    std::optional<QImage> image_;
    bool isTemplate_ = false;
    int pointSize_ = 18;
    std::string title_;
    QPointer<QMenu> menu_;
    std::function<void()> buttonMoved_;
    // Qt's icon windows before the icon was last shown: the one made after is the icon's.
    std::vector<QPointer<QWidget>> iconWindowsBeforeShow_;
    SystemTrayIconWindow iconWindow_{[this] {
        if (buttonMoved_) buttonMoved_();
    }};
};

} // namespace tessaril
