#include "TessarilApp/Shell/CharacterCountHUDPanel.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace tessaril {

namespace {

constexpr int sideMargin = 18;
constexpr int rowTitleWidth = 86;

QColor white(double level) { return QColor::fromRgbF(static_cast<float>(level), static_cast<float>(level), static_cast<float>(level)); }

// One line, cut at the tail when it does not fit its width.
QLabel* makeLabel(const QString& text, int pixelSize, QFont::Weight weight, const QColor& colour, int width) {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    auto* label = new QLabel;
    label->setFont(font);
    label->setText(QFontMetrics(font).elidedText(text, Qt::ElideRight, width));
    label->setToolTip(text);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setWordWrap(false);
    return label;
}

} // namespace

CharacterCountHUDPanel::CharacterCountHUDPanel(const CharacterCountHUDContent& content, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("characterCountHUD"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(static_cast<int>(content.size.width), static_cast<int>(content.size.height));

    const int textWidth = width() - 2 * sideMargin;
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(sideMargin, 0, sideMargin, 0);
    stack->setSpacing(8);
    stack->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    stack->addWidget(makeLabel(QString::fromUtf8(CharacterCountHUDContent::title.data(),
                                                 static_cast<qsizetype>(CharacterCountHUDContent::title.size())),
                               13, QFont::Medium, white(0.78), textWidth));
    if (!content.hasText) {
        stack->addWidget(makeLabel(QString::fromUtf8(CharacterCountHUDContent::noSelection.data(),
                                                     static_cast<qsizetype>(CharacterCountHUDContent::noSelection.size())),
                                   22, QFont::Bold, white(0.96), textWidth));
        return;
    }
    auto* rows = new QVBoxLayout;
    rows->setSpacing(6);
    for (const auto& [title, value] : content.rows) {
        rows->addLayout(makeCharacterCountHUDRow(QString::fromStdString(title), QString::fromStdString(value)));
    }
    stack->addLayout(rows);
}

QLayout* CharacterCountHUDPanel::makeCharacterCountHUDRow(const QString& title, const QString& value) {
    constexpr int rowSpacing = 10;
    constexpr int valueWidth = 292 - 2 * sideMargin - rowTitleWidth - rowSpacing;
    auto* row = new QHBoxLayout;
    row->setSpacing(rowSpacing);
    row->setAlignment(Qt::AlignVCenter);
    QLabel* titleLabel = makeLabel(title, 13, QFont::Normal, white(0.78), rowTitleWidth);
    titleLabel->setFixedWidth(rowTitleWidth);
    titleLabel->setObjectName(QStringLiteral("rowTitle"));
    QLabel* valueLabel = makeLabel(value, 13, QFont::Medium, white(0.96), valueWidth);
    valueLabel->setObjectName(QStringLiteral("rowValue"));
    row->addWidget(titleLabel);
    row->addWidget(valueLabel);
    return row;
}

void CharacterCountHUDPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgbF(0.062f, 0.066f, 0.07f, 0.96f));
    painter.setPen(QPen(QColor::fromRgbF(1.0f, 0.8f, 0.133f), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace tessaril
