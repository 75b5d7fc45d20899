#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include <QLineEdit>
#include <QPointer>

#include "TessarilCore/Engine/RuleEngineSettings.hpp"

namespace tessaril {

namespace appkit {
class Control;
} // namespace appkit

class AppDelegate;

// The edits of the Command keys: the advanced page's action and modifier pop-ups and its delay and
// grace fields (all on the active preset, the one the page shows), and the on/off switches of the
// basic and presets pages (on the preset those pages edit). Every change is saved through
// `persistSettings`, which rebuilds the window. Keeps no state; main thread only.
class CommandKeyActions {
public:
    static constexpr std::string_view delayRangeText = "秒数は 0.00 から 2.00 の範囲で入力してください。";
    static constexpr std::string_view graceRangeText = "秒数は 0.00 から 0.20 の範囲で入力してください。";

    explicit CommandKeyActions(AppDelegate& delegate) : delegate_(delegate) {}

    void updateLeftCommandAction(appkit::Control& sender);
    void updateRightCommandAction(appkit::Control& sender);
    void updateLeftModifiedCommandAction(appkit::Control& sender);
    void updateRightModifiedCommandAction(appkit::Control& sender);
    void updateLeftCommandCompanionModifier(appkit::Control& sender);
    void updateRightCommandCompanionModifier(appkit::Control& sender);

    // Each reads the row's field; text that is no number shows the "保存できません" alert and changes
    // nothing, a number out of range is clamped.
    void updateLeftCommandSeconds();
    void updateRightCommandSeconds();
    void updateLeftModifiedCommandSeconds();
    void updateRightModifiedCommandSeconds();
    void updateModifierGraceWindowSeconds();

    // "disabled" becomes "standard"; anything else becomes "disabled".
    void toggleLeftCommandSwitch();
    void toggleRightCommandSwitch();
    void toggleLeftModifiedCommandSwitch();
    void toggleRightModifiedCommandSwitch();

    // Applies `edit` to the preset the basic or presets page edits while one of them shows, else to
    // the active preset.
    void updateVisibleRuleEngineSettings(const std::function<void(RuleEngineSettings&)>& edit);
    // The warning before choosing a mode that needs its own input source; true to go on.
    bool confirmAdvancedInputModeSelection();

private:
    template <class Action> void updateCommandAction(appkit::Control& sender, Action RuleEngineSettings::*field);
    void updateCompanionModifier(appkit::Control& sender, CompanionModifier RuleEngineSettings::*field);
    void updateCommandDelayMilliseconds(const QPointer<QLineEdit>& field, std::int64_t RuleEngineSettings::*target);
    // Saves the milliseconds read from `field` into `target` of the active preset, or shows the alert
    // naming `rangeText`.
    void updateMilliseconds(const QPointer<QLineEdit>& field, std::int64_t RuleEngineSettings::*target,
                            std::optional<std::int64_t> (*parse)(std::string_view), std::string_view rangeText);
    template <class Action> void toggleCommandSwitch(Action RuleEngineSettings::*field);

    AppDelegate& delegate_;
};

} // namespace tessaril
