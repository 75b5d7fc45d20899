#include "TessarilApp/Shell/SystemTrayStatusItem.hpp"

#include <QCursor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "TessarilApp/Shell/MenuRendering.hpp"

namespace tessaril {

SystemTrayStatusItem::SystemTrayStatusItem() {
    QObject::connect(&tray_, &QSystemTrayIcon::activated, &tray_, [this](QSystemTrayIcon::ActivationReason reason) {
        // A status item's menu opens on a plain click too.
        if (reason == QSystemTrayIcon::Trigger && menu_) menu_->popup(QCursor::pos());
    });
}

SystemTrayStatusItem::~SystemTrayStatusItem() {
    tray_.hide();
    delete menu_.data();
}

void SystemTrayStatusItem::setVisible(bool visible) {
    if (visible && tray_.icon().isNull()) refreshIcon();
    tray_.setVisible(visible);
}

bool SystemTrayStatusItem::hasButton() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

std::optional<QRect> SystemTrayStatusItem::buttonGeometry() const {
    // Some trays (those reached over D-Bus) never tell where the icon is.
    const QRect geometry = tray_.geometry();
    if (!geometry.isValid() || geometry.isEmpty()) return std::nullopt;
    return geometry;
}

void SystemTrayStatusItem::setImage(std::optional<QImage> image, bool, int pointSize) {
    image_ = std::move(image);
    pointSize_ = pointSize;
    refreshIcon();
}

void SystemTrayStatusItem::setTitle(const std::string& title) {
    title_ = title;
    refreshIcon();
}

void SystemTrayStatusItem::setToolTip(const std::string& toolTip) { tray_.setToolTip(QString::fromStdString(toolTip)); }

void SystemTrayStatusItem::setMenu(Menu menu, MenuHandler handler) {
    auto* rendered = new QMenu();
    renderMenu(menu, *rendered, handler);
    tray_.setContextMenu(rendered);
    // The old menu may be the one whose item is running now.
    if (menu_) menu_->deleteLater();
    menu_ = rendered;
}

void SystemTrayStatusItem::refreshIcon() {
    if (image_) {
        tray_.setIcon(QIcon(QPixmap::fromImage(image_->scaled(pointSize_ * 2, pointSize_ * 2, Qt::KeepAspectRatio,
                                                              Qt::SmoothTransformation))));
    } else {
        tray_.setIcon(titleIcon(title_));
    }
}

QIcon SystemTrayStatusItem::titleIcon(const std::string& title) {
    constexpr int side = 64;
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath square;
    square.addRoundedRect(QRectF(2, 2, side - 4, side - 4), 12, 12);
    painter.fillPath(square, QColor(28, 29, 31));
    QFont font("Noto Sans CJK JP");
    font.setPixelSize(44);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, side, side), Qt::AlignCenter, QString::fromStdString(title));
    painter.end();
    return QIcon(pixmap);
}

} // namespace tessaril
