#pragma once

#include <string>

#include <QColor>
#include <QLineEdit>

#include "TessarilApp/AppKit/Control.hpp"

namespace tessaril::appkit {

// An editable one-line text field. Its action runs on Return only: leaving the field or typing sends
// nothing, so a half-typed value is never applied behind the user's back. Main thread only.
class TextField : public QLineEdit, public Control {
    Q_OBJECT
public:
    explicit TextField(QWidget* parent = nullptr);

    QWidget& widget() override { return *this; }
    ControlKind kind() const override { return ControlKind::field; }

    std::string stringValue() const { return text().toStdString(); }
    void setStringValue(const std::string& value);
    std::string placeholder() const { return placeholderText().toStdString(); }
    void setPlaceholder(const std::string& placeholder);
    void setColors(const QColor& text, const QColor& background, const QColor& border);
    void setTextAlignment(Qt::Alignment alignment);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor border_;
};

} // namespace tessaril::appkit
