#include "TessarilApp/SettingsWindow/CommandKeySwitchRows.hpp"

#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "TessarilApp/SettingsWindow/CommandKeyActions.hpp"
#include "TessarilApp/SettingsWindow/CommandKeyTitles.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"

namespace tessaril {

std::vector<std::vector<QWidget*>> makeCommandKeySwitchRows(AppDelegate& delegate, const RuleEngineSettings& settings,
                                                            const std::string& leftLabel, const std::string& rightLabel,
                                                            int switchCellWidth) {
    using Actions = CommandKeyActions;
    const auto row = [&](const std::string& key, const std::string& summary, bool isOn, const char* selector,
                         void (Actions::*toggle)()) {
        const SwitchCell state = makeSwitchCell(isOn, delegateAction<Actions>(delegate, selector, toggle), true, switchCellWidth, "状態");
        return std::vector<QWidget*>{makeCellLabel(key), makeCellLabel(summary), state.view};
    };
    constexpr auto left = CommandKeySide::left;
    constexpr auto right = CommandKeySide::right;
    return {
        row(leftLabel, commandActionSummary(settings.leftCommandAction, left), isEnabled(settings.leftCommandAction),
            "toggleLeftCommandSwitch", &Actions::toggleLeftCommandSwitch),
        row(rightLabel, commandActionSummary(settings.rightCommandAction, right), isEnabled(settings.rightCommandAction),
            "toggleRightCommandSwitch", &Actions::toggleRightCommandSwitch),
        row(commandComboTitle(settings.leftCommandCompanionModifier, left),
            commandActionSummary(settings.leftModifiedCommandAction, left), isEnabled(settings.leftModifiedCommandAction),
            "toggleLeftModifiedCommandSwitch", &Actions::toggleLeftModifiedCommandSwitch),
        row(commandComboTitle(settings.rightCommandCompanionModifier, right),
            commandActionSummary(settings.rightModifiedCommandAction, right), isEnabled(settings.rightModifiedCommandAction),
            "toggleRightModifiedCommandSwitch", &Actions::toggleRightModifiedCommandSwitch),
    };
}

} // namespace tessaril
