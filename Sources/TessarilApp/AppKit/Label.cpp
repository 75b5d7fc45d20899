#include "TessarilApp/AppKit/Label.hpp"

#include <algorithm>
#include <cmath>

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

namespace tessaril::appkit {

namespace {

QString toQString(const std::string& text) { return QString::fromStdString(text); }

} // namespace

Label::Label(std::string text, QWidget* parent) : QWidget(parent), text_(std::move(text)) {
    color_ = palette().color(QPalette::WindowText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
}

void Label::setText(std::string text) {
    text_ = std::move(text);
    updateGeometry();
    update();
}

void Label::setTextColor(const QColor& color) {
    color_ = color;
    update();
}

void Label::setTextAlignment(Qt::Alignment alignment) {
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void Label::setMaximumNumberOfLines(int lines) {
    maximumLines_ = std::max(0, lines);
    auto policy = sizePolicy();
    policy.setHeightForWidth(maximumLines_ != 1);
    policy.setVerticalPolicy(maximumLines_ == 1 ? QSizePolicy::Fixed : QSizePolicy::Preferred);
    setSizePolicy(policy);
    updateGeometry();
}

void Label::setBackgroundColor(const QColor& color) {
    background_ = color;
    update();
}

void Label::setHorizontalCompressionResistance(int priority) {
    compressionResistance_ = priority;
    updateGeometry();
}

int Label::lineHeight() const { return QFontMetrics(font()).height(); }

int Label::naturalWidth() const {
    const QFontMetricsF metrics(font());
    qreal widest = 0;
    for (const auto& line : toQString(text_).split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return static_cast<int>(std::ceil(widest));
}

QSize Label::sizeHint() const {
    const int lines = maximumLines_ == 1 ? 1 : std::max<qsizetype>(1, layoutLines(naturalWidth()).size());
    return {naturalWidth(), lines * lineHeight()};
}

QSize Label::minimumSizeHint() const {
    const int height = maximumLines_ == 1 ? lineHeight() : heightForWidth(std::max(1, width()));
    if (compressionResistance_ >= 750) return {naturalWidth(), height};
    return {0, height};
}

int Label::heightForWidth(int width) const {
    return static_cast<int>(std::max<qsizetype>(1, layoutLines(width).size())) * lineHeight();
}

QStringList Label::layoutLines(int width) const {
    const QString text = toQString(text_);
    const QFontMetricsF metrics(font());
    QStringList lines;
    if (maximumLines_ == 1) {
        QString single = text;
        single.replace(QLatin1Char('\n'), QLatin1Char(' '));
        lines << metrics.elidedText(single, Qt::ElideRight, width);
        return lines;
    }
    // A line feed in the text starts a new line; the layout only breaks at the line separator.
    QString laidOut = text;
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laidOut, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width);
        if (maximumLines_ > 0 && lines.size() + 1 == maximumLines_) {
            // The last allowed line takes the rest of the text and ends in "…" when it overflows.
            QString rest = laidOut.mid(line.textStart());
            rest.replace(QChar::LineSeparator, QLatin1Char(' '));
            lines << metrics.elidedText(rest, Qt::ElideRight, width);
            break;
        }
        lines << laidOut.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

QString Label::displayedText() const { return layoutLines(width()).join(QLatin1Char('\n')); }

void Label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (background_.alpha() > 0) painter.fillRect(rect(), background_);
    painter.setFont(font());
    painter.setPen(color_);
    const QStringList lines = layoutLines(width());
    const int height = lineHeight();
    int top = (this->height() - static_cast<int>(lines.size()) * height) / 2;
    for (const auto& line : lines) {
        painter.drawText(QRect(0, top, width(), height), (alignment_ | Qt::AlignVCenter).toInt(), line);
        top += height;
    }
}

void Label::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) updateGeometry();
    QWidget::changeEvent(event);
}

} // namespace tessaril::appkit
