#include "TessarilApp/AppKit/TextField.hpp"

#include <utility>
#include <vector>

#include <QFocusEvent>
#include <QPainter>
#include <QPointer>

namespace tessaril::appkit {

TextField::TextField(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setTextMargins(6, 0, 6, 0);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QLineEdit::returnPressed, this, &TextField::commit);
}

void TextField::setStringValue(const std::string& value) {
    setText(QString::fromStdString(value));
    showStartUnlessEdited();
}

void TextField::setTypedText(const QString& text) {
    setText(text);
    setModified(true);
    showStartUnlessEdited();
}

// Qt leaves the cursor after a text it is given, and a field shows the part around its cursor: a
// long value would show its tail, and values that differ only at the start would look alike.
void TextField::showStartUnlessEdited() {
    if (!isBeingEdited()) setCursorPosition(0);
}

// The window's focus field is still being edited while another window is in front.
bool TextField::isBeingEdited() const { return hasFocus() || window()->focusWidget() == this; }

void TextField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // The window going to the back or a menu opening leaves the field being edited: the cursor stays.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) setCursorPosition(0);
}

namespace {

std::vector<QPointer<TextField>>& committingFields() {
    static std::vector<QPointer<TextField>> fields;
    return fields;
}

} // namespace

void TextField::commit() {
    if (!action()) return;
    markCommitting();
    sendAction();
}

void TextField::markCommitting() {
    committing_ = true;
    committingFields().emplace_back(this);
}

void TextField::endCommits() {
    for (const auto& field : std::exchange(committingFields(), {})) {
        if (field) field->committing_ = false;
    }
}

std::string committedText(QLineEdit& field) {
    if (auto* ours = qobject_cast<TextField*>(&field)) ours->markCommitting();
    return field.text().toStdString();
}

void TextField::setPlaceholder(const std::string& placeholder) {
    setPlaceholderText(QString::fromStdString(placeholder));
}

void TextField::setColors(const QColor& text, const QColor& background, const QColor& border) {
    QPalette colors = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        colors.setColor(group, QPalette::Text, text);
        colors.setColor(group, QPalette::Base, background);
        colors.setColor(group, QPalette::PlaceholderText, QColor::fromRgbF(text.redF(), text.greenF(), text.blueF(), 0.45f));
    }
    colors.setColor(QPalette::Disabled, QPalette::Base, background);
    colors.setColor(QPalette::Disabled, QPalette::Text, QColor::fromRgbF(text.redF(), text.greenF(), text.blueF(), 0.45f));
    setPalette(colors);
    setAutoFillBackground(true);
    border_ = border;
    update();
}

void TextField::setTextAlignment(Qt::Alignment alignment) { setAlignment(alignment | Qt::AlignVCenter); }

void TextField::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!border_.isValid()) return;
    // A square bezel: one line just inside the bounds.
    QPainter painter(this);
    painter.setPen(QPen(border_, 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace tessaril::appkit
