#include "TessarilApp/SettingsWindow/CommandKeyPopups.hpp"

#include <array>
#include <string>

#include "TessarilApp/SettingsWindow/CommandKeyTitles.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"

namespace tessaril {

namespace {

constexpr int actionPopupWidth = 178;

// The order the menu lists them in: the usual choice first, "なし" last.
template <class Action> constexpr std::array<Action, 7> menuOrder{
    Action::standard, Action::eisu,     Action::kana, Action::fullWidthRoman, Action::katakana, Action::halfWidthKatakana,
    Action::disabled,
};

template <class Action, class Title>
appkit::PopUpButton* makeActionPopup(CommandKeySide side, Action selected, appkit::Action action, Title title,
                                     const char* toolTip) {
    auto* popup = new appkit::PopUpButton;
    configurePopup(*popup, appkit::TextAlignment::left);
    popup->setAction(std::move(action));
    for (const Action item : menuOrder<Action>) popup->addItem(title(item, side), std::string(rawValue(item)));
    popup->selectItem(popup->indexOfItem(title(selected, side)));
    popup->setFixedWidth(actionPopupWidth);
    popup->setToolTipText(toolTip);
    return popup;
}

} // namespace

appkit::PopUpButton* makeCommandActionPopup(CommandKeySide side, CommandKeyAction selected, appkit::Action action) {
    return makeActionPopup(side, selected, std::move(action), commandActionTitle, "この⌘キー単独で送信する入力モード");
}

appkit::PopUpButton* makeModifiedCommandActionPopup(CommandKeySide side, ModifiedCommandAction selected,
                                                    appkit::Action action) {
    return makeActionPopup(side, selected, std::move(action), modifiedCommandActionTitle,
                           "この組み合わせで送信する入力モード");
}

appkit::PopUpButton* makeModifierPopup(CompanionModifier selected, appkit::Action action, int width) {
    auto* popup = new appkit::PopUpButton;
    configurePopup(*popup, appkit::TextAlignment::center);
    popup->setAction(std::move(action));
    for (const auto& [modifier, raw] : EnumCases<CompanionModifier>::cases) {
        popup->addItem(companionModifierSymbol(modifier), std::string(raw));
    }
    popup->selectItem(popup->indexOfItem(companionModifierSymbol(selected)));
    popup->setFixedWidth(width);
    return popup;
}

} // namespace tessaril
