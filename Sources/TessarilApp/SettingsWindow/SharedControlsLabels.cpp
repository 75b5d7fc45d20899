#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QHBoxLayout>

#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"

namespace tessaril {

namespace palette = settings_palette;
using appkit::FontWeight;
using appkit::Label;
using appkit::StackView;

namespace {

// Compression resistance that lets a label be squeezed (and show "…") before its neighbours are.
constexpr int lowPriority = 250;
// Space a badge keeps on each side of its text.
constexpr int badgeInset = 6;

// The width of a badge that shows `text` whole.
int statusLabelWidthFitting(const std::string& text) {
    const QFontMetricsF metrics(appkit::systemFont(13, FontWeight::medium));
    return static_cast<int>(std::ceil(metrics.horizontalAdvance(QString::fromStdString(text)))) + 2 * badgeInset;
}

} // namespace

Label* makeLabel(const std::string& text, int size, FontWeight weight, const QColor& color) {
    auto* label = new Label(text);
    label->setFont(appkit::systemFont(size, weight));
    label->setTextColor(color);
    return label;
}

StackView* makePageStack(const std::string& title, const std::string& subtitle) {
    auto* stack = new StackView(StackView::Orientation::vertical);
    stack->setAlignment(StackView::Alignment::leading);
    stack->setSpacing(14);
    stack->setEdgeInsets({50, 34, 36, 34});
    stack->addArrangedSubview(makeLabel(title, 27, FontWeight::bold, palette::primaryText()));
    auto* subtitleLabel = makeSubtleLabel(subtitle, 13);
    stack->addArrangedSubview(subtitleLabel);
    stack->setCustomSpacing(24, subtitleLabel);
    return stack;
}

Label* makeSectionTitle(const std::string& text) {
    return makeLabel(text, 18, FontWeight::semibold, palette::primaryText());
}

Label* makeSubtleLabel(const std::string& text, int size) {
    auto* label = makeLabel(text, size, FontWeight::regular, palette::subtleText());
    label->setMaximumNumberOfLines(2);
    return label;
}

Label* makeCellLabel(const std::string& text) {
    auto* label = makeLabel(text, 14, FontWeight::regular, palette::primaryText());
    label->setHorizontalCompressionResistance(lowPriority);
    return label;
}

Label* makeTooltippedCellLabel(const std::string& text) {
    auto* label = makeCellLabel(text);
    label->setToolTipText(text);
    return label;
}

Label* makeFeatureDescriptionLabel(const std::string& text) {
    auto* label = makeLabel(text, 13, FontWeight::regular, palette::secondaryText());
    label->setMaximumNumberOfLines(2);
    label->setHorizontalCompressionResistance(lowPriority);
    return label;
}

TessarilView* makeStatusLabel(const std::string& text, StatusTone tone, int width) {
    auto* badge = new TessarilView;
    badge->setLayerStyle({tone == StatusTone::accent ? palette::accentAmber() : palette::cardBackground(),
                          palette::cardBorder(), 1});
    badge->setFixedSize(width, 24);
    auto* label = makeLabel(text, 13, FontWeight::medium,
                            tone == StatusTone::accent ? palette::textOnAccent() : palette::primaryText());
    label->setTextAlignment(Qt::AlignHCenter);
    label->setHorizontalCompressionResistance(lowPriority);
    auto* box = new QHBoxLayout(badge);
    box->setContentsMargins(badgeInset, 0, badgeInset, 0);
    box->addWidget(label, 0, Qt::AlignCenter);
    return badge;
}

StackView* makeHeaderLine(const std::string& title, const std::string& tag) {
    auto* line = new StackView(StackView::Orientation::horizontal);
    line->setAlignment(StackView::Alignment::centerY);
    line->setSpacing(12);
    auto* titleLabel = makeLabel(title, 22, FontWeight::bold, palette::primaryText());
    titleLabel->setHorizontalCompressionResistance(lowPriority);
    line->addArrangedSubview(titleLabel);
    // The badge's fixed width never gives way; the title is squeezed first. 84 holds the short tags;
    // a longer one ("デフォルト準拠") widens its badge to show whole.
    line->addArrangedSubview(makeStatusLabel(tag, StatusTone::accent, std::max(84, statusLabelWidthFitting(tag))));
    return line;
}

StackView* makeQuickGuide() {
    auto* guide = new StackView(StackView::Orientation::vertical);
    guide->setAlignment(StackView::Alignment::leading);
    guide->setSpacing(4);
    guide->setEdgeInsets({10, 14, 10, 14});
    guide->setLayerStyle({palette::panelBackground(), palette::cardBorder(), 1});
    guide->setFixedSize(700, 78);
    guide->addArrangedSubview(makeLabel("クイックガイド", 14, FontWeight::semibold, palette::primaryText()));
    guide->addArrangedSubview(makeSubtleLabel("左⌘で英数、右⌘でかな。テンキー記号は「テンキーハック」で調整できます。", 12));
    guide->addArrangedSubview(
        makeSubtleLabel("終了やウィンドウを閉じるショートカットは「誤爆防止」でアプリごとに調整できます。", 12));
    return guide;
}

StackView* makeWritingAssistFormRow(const std::string& label, QWidget* control) {
    auto* row = new StackView(StackView::Orientation::horizontal);
    row->setAlignment(StackView::Alignment::centerY);
    row->setSpacing(10);
    auto* title = makeLabel(label, 12, FontWeight::medium, palette::secondaryText());
    title->setFixedWidth(74);
    row->addArrangedSubview(title);
    row->addArrangedSubview(control);
    return row;
}

} // namespace tessaril
