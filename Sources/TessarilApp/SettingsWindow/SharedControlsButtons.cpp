#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"

namespace tessaril {

namespace palette = settings_palette;
using appkit::Button;
using appkit::FontWeight;
using appkit::Label;
using appkit::StackView;

namespace {

constexpr int lowPriority = 250;

const char* onOffText(bool isOn) { return isOn ? "ON" : "OFF"; }

} // namespace

TessarilButton* makeSwitchButton(bool isOn, appkit::Action action, bool isEnabled) {
    auto* button = new TessarilButton(Button::ButtonType::toggle);
    button->setKind(appkit::ControlKind::switchButton);
    button->setAction(std::move(action));
    button->setState(isOn ? Button::State::on : Button::State::off);
    button->setEnabled(isEnabled);
    button->setToolTipText(isOn ? "OFFにします" : "ONにします");
    button->setLayerStyle({isOn ? palette::accentAmber() : palette::cardBackground(),
                           isOn ? palette::accentAmber() : palette::panelBorder(), 1});
    button->setFixedSize(34, 18);
    // The knob sits at the side the switch is on; a disabled switch keeps its colours.
    auto* knob = new TessarilView(button);
    knob->setBackgroundColor(isOn ? QColor(Qt::black) : palette::subtleText());
    knob->setAttribute(Qt::WA_TransparentForMouseEvents);
    knob->setGeometry(isOn ? 34 - 4 - 10 : 4, 3, 10, 18 - 6);
    return button;
}

SwitchCell makeSwitchCell(bool isOn, appkit::Action action, bool isEnabled, int width,
                          const std::string& accessibilityLabel) {
    auto* cell = new StackView(StackView::Orientation::horizontal);
    cell->setAlignment(StackView::Alignment::centerY);
    cell->setSpacing(8);
    cell->setFixedWidth(width);
    cell->addArrangedSubview(appkit::View::makeFlexibleSpace());
    auto* stateLabel = makeLabel(onOffText(isOn), 14, FontWeight::medium,
                                 isEnabled ? palette::primaryText() : palette::subtleText());
    stateLabel->setTextAlignment(Qt::AlignRight);
    stateLabel->setFixedWidth(28);
    cell->addArrangedSubview(stateLabel);
    auto* toggle = makeSwitchButton(isOn, std::move(action), isEnabled);
    toggle->setAccessibilityLabel(accessibilityLabel);
    toggle->setAccessibilityValue(onOffText(isOn));
    cell->addArrangedSubview(toggle);
    return {cell, toggle};
}

StackView* makeFeatureToggleRow(const std::string& title, const std::string& detail, bool isOn, appkit::Action action,
                                bool isEnabled, const std::string& accessibilityLabel) {
    auto* row = new StackView(StackView::Orientation::horizontal);
    row->setAlignment(StackView::Alignment::centerY);
    row->setSpacing(18);
    row->setEdgeInsets({12, 14, 12, 8});
    row->setLayerStyle({palette::cardBackground(), palette::cardBorder(), 1});
    row->setFixedWidth(904);

    auto* texts = new StackView(StackView::Orientation::vertical);
    texts->setAlignment(StackView::Alignment::leading);
    texts->setSpacing(3);
    texts->setFixedWidth(680);
    texts->addArrangedSubview(makeLabel(title, 14, FontWeight::semibold, palette::primaryText()));
    texts->addArrangedSubview(makeSubtleLabel(detail, 12));
    row->addArrangedSubview(texts);
    row->addArrangedSubview(appkit::View::makeFlexibleSpace());

    auto* state = makeSwitchCell(isOn, std::move(action), isEnabled, 84, accessibilityLabel).view;
    row->addArrangedSubview(state);
    return row;
}

Button* makeSmallButton(const std::string& title, std::optional<appkit::Action> action, bool isPrimary, bool isEnabled) {
    auto* button = new Button(Button::ButtonType::momentaryPush);
    button->setTitle(title);
    button->setAction(std::move(action));
    button->setEnabled(isEnabled);
    button->setLayerStyle({isPrimary ? palette::accentAmber() : palette::cardBackground(),
                           isPrimary ? palette::accentAmber() : palette::panelBorder(), 1});
    button->setTitleFont(appkit::systemFont(13, FontWeight::medium));
    if (!isEnabled) {
        button->setTitleColor(palette::subtleText());
    } else {
        button->setTitleColor(isPrimary ? palette::textOnAccent() : palette::primaryText());
    }
    button->setFixedHeight(30);
    button->setMinimumWidth(button->sizeHint().width());
    return button;
}

TessarilButton* makeListButton(const std::string& title, const std::string& subtitle, bool isSelected,
                               appkit::Action action, int width) {
    auto* button = new TessarilButton(Button::ButtonType::momentaryPush);
    button->setAction(std::move(action));
    button->setToolTipText(title + "\n" + subtitle);
    button->setAccessibilityLabel(title + ", " + subtitle);
    button->setLayerStyle({isSelected ? palette::accentAmber() : palette::cardBackground(),
                           isSelected ? palette::accentAmber() : palette::cardBorder(), 1});
    button->setFixedSize(width, 58);

    auto* content = new StackView(StackView::Orientation::vertical);
    content->setAlignment(StackView::Alignment::leading);
    content->setSpacing(2);
    auto* titleLabel = makeLabel(title, 15, FontWeight::semibold, isSelected ? palette::textOnAccent() : palette::primaryText());
    titleLabel->setHorizontalCompressionResistance(lowPriority);
    auto* subtitleLabel = makeLabel(subtitle, 11, FontWeight::regular,
                                    isSelected ? QColor::fromRgbF(0, 0, 0, 0.72f) : palette::subtleText());
    subtitleLabel->setHorizontalCompressionResistance(lowPriority);
    content->addArrangedSubview(titleLabel);
    content->addArrangedSubview(subtitleLabel);
    button->setContentView(content, {0, 14, 0, 14}, Qt::AlignLeft | Qt::AlignVCenter);
    return button;
}

void configurePopup(appkit::PopUpButton& popup, appkit::TextAlignment alignment) {
    // Small control size on a flat, bordered square bezel without a focus ring.
    popup.setFont(appkit::systemFont(12));
    popup.setFixedHeight(24);
    popup.setLayerStyle({palette::cardBackground(), palette::panelBorder(), 1});
    popup.setTitleColor(palette::primaryText());
    popup.setTitleAlignment(appkit::qtAlignment(alignment));
}

appkit::TextField* makeTextField(const std::string& value, const std::string& placeholder, int width) {
    auto* field = new appkit::TextField;
    field->setStringValue(value);
    field->setPlaceholder(placeholder);
    field->setFont(appkit::systemFont(14));
    field->setColors(palette::primaryText(), palette::textFieldBackground(), palette::panelBorder());
    field->setFixedSize(width, 26);
    return field;
}

} // namespace tessaril
