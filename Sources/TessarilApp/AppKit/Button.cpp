#include "TessarilApp/AppKit/Button.hpp"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QVBoxLayout>

namespace tessaril::appkit {

namespace {

// A bordered button's title keeps this far from each side, and its natural width adds as much again.
constexpr int titleInset = 6;

void letMouseThrough(QWidget& view) {
    view.setAttribute(Qt::WA_TransparentForMouseEvents);
    for (auto* child : view.findChildren<QWidget*>()) child->setAttribute(Qt::WA_TransparentForMouseEvents);
}

} // namespace

Button::Button(ButtonType type, QWidget* parent) : QAbstractButton(parent), type_(type) {
    setCheckable(type == ButtonType::toggle);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    titleColor_ = palette().color(QPalette::ButtonText);
    connect(this, &QAbstractButton::clicked, this, [this] { sendAction(); });
}

void Button::setTitle(std::string title) {
    title_ = std::move(title);
    setText(QString::fromStdString(title_));
    updateGeometry();
}

void Button::setTitleFont(const QFont& font) {
    setFont(font);
    updateGeometry();
}

void Button::setTitleColor(const QColor& color) {
    titleColor_ = color;
    update();
}

void Button::setTitleAlignment(Qt::Alignment alignment) {
    titleAlignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

Button::State Button::state() const { return isChecked() ? State::on : State::off; }

void Button::setState(State state) {
    if (type_ != ButtonType::toggle) return;
    // QAbstractButton::clicked is the only path to the action, so this sends nothing.
    setChecked(state == State::on);
}

void Button::setLayerStyle(const LayerStyle& layer) {
    layer_ = layer;
    update();
}

void Button::setContentView(QWidget* content, const EdgeInsets& insets, Qt::Alignment alignment) {
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(insets.left, insets.top, insets.right, insets.bottom);
    box->setSpacing(0);
    box->addWidget(content, 0, alignment);
    letMouseThrough(*content);
}

void Button::setBordered(bool isBordered) {
    isBordered_ = isBordered;
    updateGeometry();
    update();
}

QRect Button::titleRect() const {
    const int inset = isBordered_ ? titleInset : 0;
    return rect().adjusted(inset, 0, -inset, 0);
}

QSize Button::sizeHint() const {
    if (title_.empty()) return QAbstractButton::minimumSize().expandedTo(QSize(1, 1));
    const QFontMetricsF metrics(font());
    const int padding = isBordered_ ? 4 * titleInset : 0;
    const int width = static_cast<int>(std::ceil(metrics.horizontalAdvance(text()))) + padding;
    return {width, static_cast<int>(std::ceil(metrics.height())) + (isBordered_ ? 10 : 0)};
}

QSize Button::minimumSizeHint() const { return sizeHint(); }

void Button::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    layer_.paint(painter, rect());
    if (title_.empty()) return;
    painter.setFont(font());
    painter.setPen(titleColor_);
    const QRect textArea = titleRect();
    const QString shown = QFontMetricsF(font()).elidedText(text(), Qt::ElideRight, textArea.width());
    painter.drawText(textArea, (titleAlignment_ | Qt::AlignVCenter).toInt(), shown);
}

} // namespace tessaril::appkit
