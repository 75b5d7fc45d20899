#include "TessarilApp/AppKit/PopUpButton.hpp"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

namespace tessaril::appkit {

namespace {

constexpr int representedObjectRole = Qt::UserRole + 1;
constexpr int chevronArea = 22;

} // namespace

PopUpButton::PopUpButton(QWidget* parent) : QComboBox(parent) {
    setFocusPolicy(Qt::NoFocus);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    titleColor_ = palette().color(QPalette::ButtonText);
    connect(this, &QComboBox::activated, this, [this](int) { sendAction(); });
}

std::string PopUpButton::selectedItemTitle() const { return currentIndex() < 0 ? std::string() : itemTitle(currentIndex()); }

void PopUpButton::addItem(const std::string& title, std::optional<std::string> representedObject) {
    QComboBox::addItem(QString::fromStdString(title));
    if (representedObject) {
        setItemData(count() - 1, QString::fromStdString(*representedObject), representedObjectRole);
    }
}

void PopUpButton::addSeparator() { insertSeparator(count()); }

bool PopUpButton::isSeparator(int index) const {
    return itemData(index, Qt::AccessibleDescriptionRole).toString() == QLatin1String("separator");
}

std::string PopUpButton::itemTitle(int index) const { return isSeparator(index) ? std::string() : itemText(index).toStdString(); }

std::optional<std::string> PopUpButton::representedObject(int index) const {
    const QVariant value = itemData(index, representedObjectRole);
    if (!value.isValid()) return std::nullopt;
    return value.toString().toStdString();
}

int PopUpButton::indexOfItem(const std::string& title) const {
    for (int index = 0; index < count(); ++index) {
        if (!isSeparator(index) && itemTitle(index) == title) return index;
    }
    return -1;
}

int PopUpButton::indexOfItemWithRepresentedObject(const std::string& representedObject) const {
    for (int index = 0; index < count(); ++index) {
        if (this->representedObject(index) == representedObject) return index;
    }
    return -1;
}

void PopUpButton::selectItem(int index) {
    if (index >= 0 && isSeparator(index)) return;
    setCurrentIndex(index);
}

std::optional<std::string> PopUpButton::representedObjectOfSelectedItem() const {
    if (currentIndex() < 0) return std::nullopt;
    return representedObject(currentIndex());
}

void PopUpButton::chooseItem(int index) {
    if (index < 0 || index >= count() || isSeparator(index)) return;
    setCurrentIndex(index);
    sendAction();
}

void PopUpButton::setLayerStyle(const LayerStyle& layer) {
    layer_ = layer;
    update();
}

void PopUpButton::setTitleColor(const QColor& color) {
    titleColor_ = color;
    update();
}

void PopUpButton::setTitleAlignment(Qt::Alignment alignment) {
    titleAlignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

QSize PopUpButton::sizeHint() const {
    const QFontMetricsF metrics(font());
    qreal widest = 0;
    for (int index = 0; index < count(); ++index) widest = std::max(widest, metrics.horizontalAdvance(itemText(index)));
    return {static_cast<int>(std::ceil(widest)) + 10 + chevronArea, static_cast<int>(std::ceil(metrics.height())) + 8};
}

QSize PopUpButton::minimumSizeHint() const { return sizeHint(); }

void PopUpButton::wheelEvent(QWheelEvent* event) { event->ignore(); }

QRect PopUpButton::titleRect() const { return rect().adjusted(8, 0, -chevronArea, 0); }

void PopUpButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    layer_.paint(painter, rect());
    const QRect textArea = titleRect();
    painter.setFont(font());
    painter.setPen(isEnabled() ? titleColor_ : QColor(titleColor_.red(), titleColor_.green(), titleColor_.blue(), 110));
    const QString shown = QFontMetricsF(font()).elidedText(currentText(), Qt::ElideRight, textArea.width());
    painter.drawText(textArea, (titleAlignment_ | Qt::AlignVCenter).toInt(), shown);

    // Two stacked chevrons, as a pop-up button marks that it opens a menu.
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(painter.pen().color(), 1.4);
    painter.setPen(pen);
    const QPointF centre(width() - chevronArea / 2.0, height() / 2.0);
    QPainterPath path;
    path.moveTo(centre + QPointF(-3, -2));
    path.lineTo(centre + QPointF(0, -5));
    path.lineTo(centre + QPointF(3, -2));
    path.moveTo(centre + QPointF(-3, 2));
    path.lineTo(centre + QPointF(0, 5));
    path.lineTo(centre + QPointF(3, 2));
    painter.drawPath(path);
}

} // namespace tessaril::appkit
