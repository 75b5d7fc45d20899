#include "TessarilApp/Shell/SystemTrayStatusItem.hpp"

#include <QCursor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTimer>

#include "TessarilApp/Shell/MenuRendering.hpp"

namespace tessaril {

SystemTrayStatusItem::SystemTrayStatusItem(std::function<bool()> isTrayAvailable)
    : isTrayAvailable_(isTrayAvailable ? std::move(isTrayAvailable) : [] { return QSystemTrayIcon::isSystemTrayAvailable(); }) {
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
    if (visible) {
        showIcon();
    } else {
        tray_.hide();
    }
    if (visible && !hasButton()) {
        if (!arrival_) arrival_ = std::make_unique<SystemTrayArrival>([this] { lookForTray(); });
    } else {
        arrival_.reset();
    }
}

void SystemTrayStatusItem::lookForTray() {
    if (!arrival_ || !hasButton()) return;
    // The watch ends here but is deleted after this turn, as this may be its own call.
    QTimer::singleShot(0, &tray_, [ended = std::shared_ptr<SystemTrayArrival>(std::move(arrival_))] {});
    // Qt's own tray code on X11 may have made the icon's window on the same announcement, for the tray
    // to place. Otherwise shown again, the icon is placed in the tray that has just appeared.
    iconWindow_.watchNewWindow(iconWindowsBeforeShow_);
    const QRect geometry = tray_.geometry();
    if (geometry.isValid() && !geometry.isEmpty()) return;
    tray_.hide();
    showIcon();
}

void SystemTrayStatusItem::showIcon() {
    iconWindowsBeforeShow_ = SystemTrayIconWindow::iconWindows();
    tray_.show();
    iconWindow_.watchNewWindow(iconWindowsBeforeShow_);
}

bool SystemTrayStatusItem::hasButton() const { return isTrayAvailable_(); }

std::optional<QRect> SystemTrayStatusItem::buttonGeometry() const {
    // Some trays (those reached over D-Bus) never tell where the icon is.
    return SystemTrayIconWindow::placedGeometry(tray_.geometry(), [this] { return iconWindow_.isHeldAtOrigin(); });
}

void SystemTrayStatusItem::setImage(std::optional<QImage> image, bool isTemplate, int pointSize) {
    image_ = std::move(image);
    isTemplate_ = isTemplate;
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
        QImage scaled = image_->scaled(pointSize_ * 2, pointSize_ * 2, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        tray_.setIcon(QIcon(QPixmap::fromImage(isTemplate_ ? tintedTemplate(scaled) : scaled)));
    } else {
        tray_.setIcon(titleIcon(title_));
    }
}

QImage SystemTrayStatusItem::tintedTemplate(const QImage& image) {
    const QImage shape = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // The shape in one colour: its alpha kept, its colour replaced.
    const auto filled = [&shape](const QColor& colour) {
        QImage result = shape;
        QPainter painter(&result);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(result.rect(), colour);
        return result;
    };
    const QImage rim = filled(QColor(20, 22, 26, 200));
    const QImage face = filled(QColor(242, 244, 247));
    QImage result(shape.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    for (const QPoint offset : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)}) painter.drawImage(offset, rim);
    painter.drawImage(QPoint(0, 0), face);
    painter.end();
    return result;
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
