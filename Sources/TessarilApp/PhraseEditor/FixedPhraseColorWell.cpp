#include "TessarilApp/PhraseEditor/FixedPhraseColorWell.hpp"

#include <QPainter>

#include "TessarilApp/PhraseEditor/AttributedTextFormats.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"

namespace tessaril {

FixedPhraseColorWell::FixedPhraseColorWell(const platform::Color& color, QWidget* parent)
    : appkit::Button(ButtonType::momentaryPush, parent), color_(color) {
    setFixedSize(34, 24);
}

void FixedPhraseColorWell::setColor(const platform::Color& color) {
    color_ = color;
    update();
}

void FixedPhraseColorWell::setColorAction(std::string selector, std::function<void(FixedPhraseColorWell& well)> chosen) {
    setAction(appkit::Action{std::move(selector), [this, chosen = std::move(chosen)](appkit::Control&) {
                                 const auto picked = colorPanel_ ? colorPanel_(color_) : std::nullopt;
                                 if (!picked) return;
                                 setColor(*picked);
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
