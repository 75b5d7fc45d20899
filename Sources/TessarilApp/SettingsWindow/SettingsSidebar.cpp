// The sidebar of the settings window: one button per tab of the sidebar order.
#include <QVBoxLayout>

#include "TessarilApp/AppKit/ImageView.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SettingsTabPresentation.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace palette = settings_palette;
using appkit::FontWeight;

QWidget* SettingsWindowController::makeSettingsSidebar() {
    auto* sidebar = new TessarilView;
    sidebar->setLayerStyle({palette::sidebarBackground(), palette::white(0.25), 1});
    auto* buttons = new appkit::StackView(appkit::StackView::Orientation::vertical);
    buttons->setAlignment(appkit::StackView::Alignment::leading);
    buttons->setSpacing(10);
    for (const SettingsTab tab : settings_tab::allCases) {
        buttons->addArrangedSubview(makeSidebarButton(std::string(SettingsTabPresentation::of(tab).sidebarTitle), tab,
                                                      delegate_.selectedSettingsTab == tab));
    }
    auto* box = new QVBoxLayout(sidebar);
    box->setContentsMargins(16, 34, 16, 0);
    box->setSpacing(0);
    box->addWidget(buttons);
    box->addStretch(1);
    return sidebar;
}

TessarilButton* SettingsWindowController::makeSidebarButton(const std::string& title, SettingsTab tab, bool isSelected) {
    auto* button = new TessarilButton(appkit::Button::ButtonType::momentaryPush);
    AppDelegate& delegate = delegate_;
    button->setAction(appkit::Action{"selectSettingsTabFromButton:", [&delegate](appkit::Control& sender) {
                                         SettingsWindowController(delegate).selectSettingsTabFromButton(sender);
                                     }});
    button->setIdentifier(rawValue(tab));
    button->setAccessibilityLabel(title);
    button->setLayerStyle({isSelected ? palette::accentAmber() : palette::sidebarBackground(),
                           isSelected ? palette::accentAmber() : QColor(Qt::transparent), isSelected ? 1 : 0});
    button->setFixedSize(194, 44);

    auto* content = new appkit::StackView(appkit::StackView::Orientation::horizontal);
    content->setAlignment(appkit::StackView::Alignment::centerY);
    content->setSpacing(10);
    content->addArrangedSubview(makeSidebarIcon(tab, isSelected));
    auto* label = makeLabel(title, 15, FontWeight::semibold, isSelected ? palette::textOnAccent() : palette::primaryText());
    label->setHorizontalCompressionResistance(250);
    content->addArrangedSubview(label);
    button->setContentView(content, {0, 16, 0, 14}, Qt::AlignLeft | Qt::AlignVCenter);
    return button;
}

QWidget* SettingsWindowController::makeSidebarIcon(SettingsTab tab, bool isSelected) {
    if (tab == SettingsTab::support) {
        if (auto icon = delegate_.appIconImage()) {
            auto* image = new appkit::ImageView(*icon);
            image->setFixedSize(18, 18);
            return image;
        }
    }
    // This platform has no catalogue of system symbols, so every symbol falls back to the tab's glyph.
    auto* glyph = makeLabel(std::string(SettingsTabPresentation::of(tab).fallbackGlyph), 14, FontWeight::medium,
                            isSelected ? palette::textOnAccent() : palette::secondaryText());
    glyph->setTextAlignment(Qt::AlignHCenter);
    glyph->setFixedWidth(18);
    return glyph;
}

} // namespace tessaril
