#include "TessarilApp/SettingsWindow/ApplicationTargetBar.hpp"

#include <algorithm>
#include <utility>
#include <vector>

#include <QCollator>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/SettingsWindow/PresetScopeControls.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"

namespace tessaril {

namespace {

namespace palette = settings_palette;
using appkit::FontWeight;
using appkit::StackView;

appkit::PopUpButton* makeTargetPopup(const ApplicationTargetBarModel& model) {
    auto* popup = new appkit::PopUpButton;
    configurePopup(*popup, appkit::TextAlignment::left);
    popup->setFixedWidth(240);
    popup->setAction(model.popupAction);
    popup->addItem(model.defaultTitle, std::string(defaultTargetValue));
    if (!model.appDisplayNames.empty()) {
        std::vector<std::pair<std::string, std::string>> apps(model.appDisplayNames.begin(), model.appDisplayNames.end());
        QCollator collator;
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(apps.begin(), apps.end(), [&collator](const auto& left, const auto& right) {
            return collator.compare(QString::fromStdString(left.second), QString::fromStdString(right.second)) < 0;
        });
        popup->addSeparator();
        for (const auto& [bundleIdentifier, name] : apps) popup->addItem(name, bundleIdentifier);
    }
    const int selected = model.selectedBundleIdentifier
                             ? popup->indexOfItemWithRepresentedObject(*model.selectedBundleIdentifier)
                             : -1;
    popup->selectItem(selected >= 0 ? selected : 0);
    return popup;
}

QWidget* makeComplianceSwitch(const ApplicationTargetBarModel& model, bool usesDefault) {
    auto* row = new StackView(StackView::Orientation::horizontal);
    row->setAlignment(StackView::Alignment::centerY);
    row->setSpacing(8);
    row->addArrangedSubview(makeLabel(model.complianceTitle, 13, FontWeight::medium, palette::secondaryText()));
    const int width = model.complianceTitle == "セット準拠" ? 78 : 86;
    row->addArrangedSubview(makeSwitchCell(usesDefault, model.defaultToggleAction, true, width, model.complianceTitle).view);
    return row;
}

} // namespace

QWidget* makeApplicationTargetBar(const ApplicationTargetBarModel& model) {
    auto* bar = new StackView(StackView::Orientation::horizontal);
    bar->setAlignment(StackView::Alignment::centerY);
    bar->setSpacing(10);
    bar->setEdgeInsets({14, 16, 14, 16});
    bar->setFixedWidth(940);
    bar->setLayerStyle({palette::panelBackground(), palette::panelBorder(), 1});
    bar->addArrangedSubview(makeLabel("対象", 14, FontWeight::medium, palette::primaryText()));
    bar->addArrangedSubview(makeTargetPopup(model));
    if (model.usesDefault) {
        bar->addArrangedSubview(makeComplianceSwitch(model, *model.usesDefault));
    } else {
        bar->addArrangedSubview(makeStatusLabel("基準", StatusTone::accent, 54));
    }
    bar->addArrangedSubview(makeSmallButton("追加", model.addAction, false, true));
    if (model.frontmostApplication) {
        auto* inUse = makeSmallButton("使用中を追加", model.addFrontmostAction, false, true);
        inUse->setToolTipText(model.frontmostApplication->displayName);
        bar->addArrangedSubview(inUse);
    }
    bar->addArrangedSubview(makeSmallButton("セット編集", model.setAction, false, true));
    bar->addArrangedSubview(makeSmallButton("削除", model.deleteAction, false, model.canDeleteSelected));
    bar->addArrangedSubview(appkit::View::makeFlexibleSpace());
    return bar;
}

} // namespace tessaril
