#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>

#include "TessarilApp/Shell/StatusItem.hpp"

namespace tessaril {

// The status item in the desktop's system tray: the image, or the title drawn as a glyph when there is
// none, the tooltip, and the menu, which a click of either button opens. Without a system tray the item
// has no button. Main thread.
class SystemTrayStatusItem final : public StatusItem {
public:
    SystemTrayStatusItem();
    ~SystemTrayStatusItem() override;

    void setVisible(bool visible) override;
    bool hasButton() const override;
    void setImage(std::optional<QImage> image, bool isTemplate, int pointSize) override;
    void setTitle(const std::string& title) override;
    void setToolTip(const std::string& toolTip) override;
    void setMenu(Menu menu, MenuHandler handler) override;
    std::optional<QRect> buttonGeometry() const override;

    // The title drawn as the tray shows it: the text in white on a dark rounded square.
    static QIcon titleIcon(const std::string& title);

private:
    void refreshIcon();

    QSystemTrayIcon tray_;
    std::optional<QImage> image_;
    int pointSize_ = 18;
    std::string title_;
    QPointer<QMenu> menu_;
};

} // namespace tessaril
