#include "TessarilApp/PhraseEditor/FixedPhraseColorWell.hpp"

#include <QColorDialog>
#include <QPainter>

#include "TessarilApp/PhraseEditor/AttributedTextFormats.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"

namespace tessaril {

FixedPhraseColorWell::FixedPhraseColorWell(const platform::Color& color, QWidget* parent)
    : appkit::Button(ButtonType::momentaryPush, parent), color_(color) {
    setFixedSize(34, 24);
    colorPanel_ = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, window(), QString(), QColorDialog::ShowAlphaChannel);
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
    };
}

void FixedPhraseColorWell::setColor(const platform::Color& color) {
    color_ = color;
    update();
}

void FixedPhraseColorWell::setColorAction(std::string selector, std::function<void(FixedPhraseColorWell& well)> chosen) {
    setAction(appkit::Action{std::move(selector), [this, chosen = std::move(chosen)](appkit::Control&) {
                                 const auto picked = colorPanel_ ? colorPanel_(textColor(color_)) : std::nullopt;
                                 if (!picked) return;
                                 const QColor rgb = picked->toRgb();
                                 setColor({rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF()});
                                 chosen(*this);
                             }});
}

void FixedPhraseColorWell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect bounds = rect();
    painter.fillRect(bounds, settings_palette::cardBackground());
    painter.fillRect(bounds.adjusted(4, 4, -4, -4), textColor(color_));
    painter.setPen(isEnabled() ? settings_palette::panelBorder() : settings_palette::cardBorder());
    painter.drawRect(bounds.adjusted(0, 0, -1, -1));
}

} // namespace tessaril
