#include "TessarilApp/SettingsWindow/PresetScopeControls.hpp"

#include <QHBoxLayout>

#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"
#include "TessarilApp/SettingsWindow/TwoPartIdentifier.hpp"

namespace tessaril {

namespace palette = settings_palette;
using appkit::FontWeight;

namespace {

constexpr std::string_view allPresetsPiece = "all";

std::string boxTitle(KeyboardPreset preset) {
    switch (preset) {
    case KeyboardPreset::laptop: return "P1";
    case KeyboardPreset::compactUS: return "P2";
    case KeyboardPreset::fullSizeUS: return "P3";
    }
    return {};
}

} // namespace

appkit::StackView* makePresetScopeControls(KeyboardPresetSet activePresets, const std::string& identifier,
                                           const appkit::Action& action, bool isEditable) {
    auto* row = new appkit::StackView(appkit::StackView::Orientation::horizontal);
    row->setAlignment(appkit::StackView::Alignment::centerY);
    row->setSpacing(12);
    const KeyboardPresetSet effective = activePresets.intersection(keyboard_preset::standardSet);
    row->addArrangedSubview(makePresetScopeCheckbox("ALL", identifier + "|" + std::string(allPresetsPiece),
                                                    effective == keyboard_preset::standardSet, action, isEditable));
    for (const KeyboardPreset preset : keyboard_preset::standardCases) {
        row->addArrangedSubview(makePresetScopeCheckbox(boxTitle(preset), identifier + "|" + std::string(rawValue(preset)),
                                                        effective.contains(preset), action, isEditable));
    }
    return row;
}

TessarilButton* makePresetScopeCheckbox(const std::string& title, const std::string& identifier, bool isOn,
                                        appkit::Action action, bool isEditable) {
    auto* button = new TessarilButton(appkit::Button::ButtonType::toggle);
    button->setKind(appkit::ControlKind::checkbox);
    button->setAction(std::move(action));
    button->setIdentifier(identifier);
    button->setState(isOn ? appkit::Button::State::on : appkit::Button::State::off);
    button->setEnabled(isEditable);
    const int width = title == "ALL" ? 54 : 42;
    button->setFixedSize(width, 20);
    const QColor ink = isEditable ? palette::primaryText() : palette::subtleText();

    auto* content = new QWidget;
    auto* line = new QHBoxLayout(content);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(6);
    auto* box = new TessarilView;
    box->setLayerStyle({isOn ? std::optional<QColor>(palette::primaryText()) : std::nullopt, ink, 1});
    box->setFixedSize(14, 14);
    auto* tick = makeLabel(isOn ? "✓" : "", 11, FontWeight::bold, QColor(Qt::black));
    tick->setTextAlignment(Qt::AlignHCenter);
    auto* tickBox = new QHBoxLayout(box);
    tickBox->setContentsMargins(0, 0, 0, 0);
    tickBox->addWidget(tick, 0, Qt::AlignCenter);
    line->addWidget(box, 0, Qt::AlignVCenter);
    auto* titleLabel = makeLabel(title, 12, FontWeight::medium, ink);
    titleLabel->setHorizontalCompressionResistance(250);
    titleLabel->setMaximumWidth(width);
    line->addWidget(titleLabel, 0, Qt::AlignVCenter);
    line->addStretch(1);
    button->setContentView(content);
    return button;
}

std::optional<PresetScopeSelection> presetScopeSelection(std::string_view identifier) {
    const auto parts = splitTwoPartIdentifier(identifier);
    if (!parts) return std::nullopt;
    if (parts->second == allPresetsPiece) return PresetScopeSelection{parts->first, std::nullopt};
    const auto preset = enumFromRawValue<KeyboardPreset>(parts->second);
    if (!preset) return std::nullopt;
    return PresetScopeSelection{parts->first, *preset};
}

std::optional<PresetScopeSelection> presetScopeSelection(const appkit::Control& control) {
    if (control.identifier().empty()) return std::nullopt;
    return presetScopeSelection(control.identifier());
}

KeyboardPresetSet updatedPresetScope(KeyboardPresetSet current, std::optional<KeyboardPreset> preset, bool isOn) {
    if (!preset) return isOn ? keyboard_preset::standardSet : KeyboardPresetSet{};
    KeyboardPresetSet updated = current.intersection(keyboard_preset::standardSet);
    if (isOn) {
        updated.insert(*preset);
    } else {
        updated.erase(*preset);
    }
    return updated;
}

std::optional<std::string> selectedAppTargetBundleIdentifier(const appkit::PopUpButton& popup) {
    const auto value = popup.representedObjectOfSelectedItem();
    if (!value || *value == defaultTargetValue) return std::nullopt;
    return value;
}

} // namespace tessaril
