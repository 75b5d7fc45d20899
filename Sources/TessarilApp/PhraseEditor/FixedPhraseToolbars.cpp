#include "TessarilApp/PhraseEditor/FixedPhraseToolbars.hpp"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseColorWell.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorActions.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseToolbarItems.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"

namespace tessaril {

using appkit::PopUpButton;
using appkit::StackView;

namespace {

// The label colour and the system yellow at 55 %, at their light-appearance values.
constexpr platform::Color initialTextColor{0, 0, 0, 0.85};
constexpr platform::Color initialBackgroundColor{1, 204.0 / 255.0, 0, 0.55};

StackView* makeRow() {
    auto* row = new StackView(StackView::Orientation::horizontal);
    row->setAlignment(StackView::Alignment::centerY);
    row->setSpacing(6);
    return row;
}

// A popup whose choice hands the chosen item's represented object to `choose`.
template <class Choose>
PopUpButton* makePopup(const std::string& ruleID, const char* selector, bool isEditable, int width, Choose choose) {
    auto* popup = new PopUpButton;
    configurePopup(*popup, appkit::TextAlignment::center);
    popup->setIdentifier(ruleID);
    popup->setEnabled(isEditable);
    popup->setFixedWidth(width);
    popup->setAction(appkit::Action{selector, [choose](appkit::Control& sender) {
                                        auto* chosen = dynamic_cast<PopUpButton*>(&sender);
                                        if (chosen) choose(chosen->identifier(), chosen->representedObjectOfSelectedItem());
                                    }});
    return popup;
}

PopUpButton* makeParagraphPopup(const std::string& ruleID, const char* selector, bool isEditable,
                                std::function<void(const std::string&, const std::optional<std::string>&)> choose) {
    PopUpButton* popup = makePopup(ruleID, selector, isEditable, 106, std::move(choose));
    for (const auto& [title, style] : fixedPhraseParagraphMenuItems) {
        popup->addItem(std::string(title), std::string(rawValue(style)));
    }
    popup->selectItem(0);
    return popup;
}

appkit::Button* makeStyleButton(const std::string& ruleID, const FixedPhraseStyleButton& item, bool isEditable,
                                FixedPhraseEditorActions& actions) {
    appkit::Button* button = makeSmallButton(
        std::string(item.title),
        appkit::Action{"applyFixedPhraseRichStyle:",
                       [&actions](appkit::Control& sender) { actions.applyFixedPhraseRichStyle(sender.identifier()); }},
        false, isEditable);
    // Without the platform's symbol images a title wider than the button ("Link") widens it.
    const int titleWidth = static_cast<int>(std::ceil(QFontMetricsF(button->font()).horizontalAdvance(button->text())));
    button->setFixedWidth(std::max(item.width, titleWidth + 14));
    button->setIdentifier(ruleID + "|" + std::string(item.key));
    button->setToolTipText(item.toolTip);
    if (item.key != "clear") button->setAccessibilityLabel(item.toolTip);
    return button;
}

FixedPhraseColorWell* makeColorWell(const std::string& ruleID, const char* target, const platform::Color& color,
                                    const char* toolTip, bool isEditable, FixedPhraseEditorActions& actions) {
    auto* well = new FixedPhraseColorWell(color);
    well->setIdentifier(ruleID + "|" + target);
    well->setToolTipText(toolTip);
    well->setEnabled(isEditable);
    well->setColorPanel([&actions](const platform::Color& initial) { return actions.runColorPanel(initial); });
    well->setColorAction("updateFixedPhraseColorWell:", [&actions](FixedPhraseColorWell& chosen) {
        actions.updateFixedPhraseColorWell(chosen.identifier(), chosen.color());
    });
    return well;
}

} // namespace

StackView* makeFixedPhraseRichToolbar(const std::string& ruleID, bool isEditable, FixedPhraseEditorActions& actions) {
    StackView* first = makeRow();
    first->addArrangedSubview(makeParagraphPopup(ruleID, "updateFixedPhraseParagraphStyle:", isEditable,
                                                 [&actions](const std::string& identifier, const auto& value) {
                                                     actions.updateFixedPhraseParagraphStyle(identifier, value);
                                                 }));

    PopUpButton* family = makePopup(ruleID, "updateFixedPhraseFontFamily:", isEditable, 70,
                                    [&actions](const std::string& identifier, const auto& value) {
                                        actions.updateFixedPhraseFontFamily(identifier, value);
                                    });
    for (const auto& [title, key] : fixedPhraseFontFamilyItems) family->addItem(std::string(title), std::string(key));
    family->selectItem(0);
    first->addArrangedSubview(family);

    PopUpButton* size = makePopup(ruleID, "updateFixedPhraseFontSize:", isEditable, 62,
                                  [&actions](const std::string& identifier, const auto& value) {
                                      actions.updateFixedPhraseFontSize(identifier, value);
                                  });
    for (int points : fixedPhraseFontSizes) size->addItem(std::to_string(points), std::to_string(points));
    size->selectItem(size->indexOfItem(std::to_string(fixedPhraseDefaultFontSize)));
    first->addArrangedSubview(size);

    StackView* second = makeRow();
    for (const FixedPhraseStyleButton& item : fixedPhraseStyleButtons) {
        const std::string_view key = item.key;
        const bool onFirstRow = key == "bold" || key == "italic" || key == "underline" || key == "strikethrough" || key == "link";
        if (key == "link") {
            first->addArrangedSubview(makeColorWell(ruleID, "foreground", initialTextColor, "カスタム文字色", isEditable, actions));
            first->addArrangedSubview(
                makeColorWell(ruleID, "background", initialBackgroundColor, "カスタム背景色", isEditable, actions));
        }
        (onFirstRow ? first : second)->addArrangedSubview(makeStyleButton(ruleID, item, isEditable, actions));
    }

    auto* toolbar = new StackView(StackView::Orientation::vertical);
    toolbar->setAlignment(StackView::Alignment::leading);
    toolbar->setSpacing(6);
    toolbar->addArrangedSubview(first);
    toolbar->addArrangedSubview(second);
    return toolbar;
}

StackView* makeFixedPhrasePlainMarkupToolbar(const std::string& ruleID, bool isEditable, bool isMarkupEnabled,
                                             FixedPhraseEditorActions& actions) {
    StackView* toolbar = makeRow();
    toolbar->addArrangedSubview(makeSubtleLabel("段落", 12));
    PopUpButton* markup = makeParagraphPopup(ruleID, "updateFixedPhrasePlainMarkupStyle:", isEditable,
                                             [&actions](const std::string& identifier, const auto& value) {
                                                 actions.updateFixedPhrasePlainMarkupStyle(identifier, value);
                                             });
    markup->setToolTipText(isMarkupEnabled ? "リッチ/マークダウンプレビューに合わせて本文へ記法を入れます。"
                                           : "リッチまたはマークダウンプレビューに切り替えると使えます。");
    toolbar->addArrangedSubview(markup);
    return toolbar;
}

} // namespace tessaril
