#pragma once

#include <string>

#include <QColor>
#include <QFont>
#include <QWidget>

#include "TessarilApp/AppKit/Control.hpp"

namespace tessaril::appkit {

// A non-editable text: one or more lines that wrap at words and end with "…" when the text does not
// fit, while `title()` keeps the whole text. Without a background unless given one. Main thread only.
class Label : public QWidget, public Control {
    Q_OBJECT
public:
    explicit Label(std::string text = {}, QWidget* parent = nullptr);

    QWidget& widget() override { return *this; }
    ControlKind kind() const override { return ControlKind::label; }
    std::string title() const override { return text_; }

    const std::string& text() const { return text_; }
    void setText(std::string text);
    void setTextColor(const QColor& color);
    const QColor& textColor() const { return color_; }
    void setTextAlignment(Qt::Alignment alignment);
    // 1 (the default) keeps the text on one line; 0 allows any number of lines.
    void setMaximumNumberOfLines(int lines);
    void setBackgroundColor(const QColor& color);
    // A label that may be squeezed below its natural width (low compression resistance) shows "…";
    // one that may not keeps its natural width.
    void setHorizontalCompressionResistance(int priority);

    // The text as the screen shows it at the current width, lines joined by "\n".
    QString displayedText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return maximumLines_ != 1; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QStringList layoutLines(int width) const;
    int naturalWidth() const;
    int lineHeight() const;

    std::string text_;
    QColor color_;
    QColor background_ = Qt::transparent;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    int maximumLines_ = 1;
    int compressionResistance_ = 750;
};

} // namespace tessaril::appkit
