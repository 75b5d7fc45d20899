#include "TessarilCore/Engine/RuleEngineSettings.hpp"

#include <algorithm>
#include <utility>

#include "TessarilCore/Support/SecondsString.hpp"

namespace tessaril {
namespace {

CommandKeyAction commandAction(bool legacyFlag) {
    return legacyFlag ? CommandKeyAction::standard : CommandKeyAction::disabled;
}

ModifiedCommandAction modifiedAction(bool legacyFlag) {
    return legacyFlag ? ModifiedCommandAction::standard : ModifiedCommandAction::disabled;
}

std::optional<std::int64_t> millisecondsFromSeconds(std::string_view text, std::int64_t maximum) {
    return clampedMillisecondsFromSecondsString(text, 0, maximum, RoundingRule::toNearestOrAwayFromZero);
}

} // namespace

RuleEngineSettings::RuleEngineSettings(
    bool leftCommandSwitchesToEisu_, bool rightCommandSwitchesToKana_, std::optional<CommandKeyAction> leftCommandAction_,
    std::optional<CommandKeyAction> rightCommandAction_, bool shiftRightCommandSwitchesToEisu_,
    bool shiftLeftCommandSwitchesToKana_, std::optional<ModifiedCommandAction> rightModifiedCommandAction_,
    std::optional<ModifiedCommandAction> leftModifiedCommandAction_, CompanionModifier rightCommandCompanionModifier_,
    CompanionModifier leftCommandCompanionModifier_, std::int64_t leftCommandDelayMilliseconds_,
    std::int64_t rightCommandDelayMilliseconds_, std::int64_t leftModifiedCommandDelayMilliseconds_,
    std::int64_t rightModifiedCommandDelayMilliseconds_, std::int64_t kanaBounceDelayMilliseconds_,
    bool kanaUsesLegacyBounce_, std::int64_t modifierGraceWindowMilliseconds_, bool tracksCommandChords_,
    DoublePressGuardSettings doublePressGuard_, KeypadShortcutHackSettings keypadShortcutHacks_)
    : leftCommandAction(leftCommandAction_.value_or(commandAction(leftCommandSwitchesToEisu_))),
      rightCommandAction(rightCommandAction_.value_or(commandAction(rightCommandSwitchesToKana_))),
      rightModifiedCommandAction(rightModifiedCommandAction_.value_or(modifiedAction(shiftRightCommandSwitchesToEisu_))),
      leftModifiedCommandAction(leftModifiedCommandAction_.value_or(modifiedAction(shiftLeftCommandSwitchesToKana_))),
      rightCommandCompanionModifier(rightCommandCompanionModifier_),
      leftCommandCompanionModifier(leftCommandCompanionModifier_),
      leftCommandDelayMilliseconds(clampedDelayMilliseconds(leftCommandDelayMilliseconds_)),
      rightCommandDelayMilliseconds(clampedDelayMilliseconds(rightCommandDelayMilliseconds_)),
      leftModifiedCommandDelayMilliseconds(clampedDelayMilliseconds(leftModifiedCommandDelayMilliseconds_)),
      rightModifiedCommandDelayMilliseconds(clampedDelayMilliseconds(rightModifiedCommandDelayMilliseconds_)),
      kanaBounceDelayMilliseconds(clampedKanaBounceDelayMilliseconds(kanaBounceDelayMilliseconds_)),
      kanaUsesLegacyBounce(kanaUsesLegacyBounce_),
      modifierGraceWindowMilliseconds(clampedModifierGraceWindowMilliseconds(modifierGraceWindowMilliseconds_)),
      tracksCommandChords(tracksCommandChords_), doublePressGuard(std::move(doublePressGuard_)),
      keypadShortcutHacks(std::move(keypadShortcutHacks_)) {}

bool RuleEngineSettings::leftCommandSwitchesToEisu() const {
    return leftCommandAction == CommandKeyAction::standard || leftCommandAction == CommandKeyAction::eisu;
}

bool RuleEngineSettings::rightCommandSwitchesToKana() const {
    return rightCommandAction == CommandKeyAction::standard || rightCommandAction == CommandKeyAction::kana;
}

bool RuleEngineSettings::shiftRightCommandSwitchesToEisu() const {
    return rightModifiedCommandAction == ModifiedCommandAction::standard ||
           rightModifiedCommandAction == ModifiedCommandAction::eisu;
}

bool RuleEngineSettings::shiftLeftCommandSwitchesToKana() const {
    return leftModifiedCommandAction == ModifiedCommandAction::standard ||
           leftModifiedCommandAction == ModifiedCommandAction::kana;
}

void RuleEngineSettings::setLeftCommandSwitchesToEisu(bool switchesToEisu) { leftCommandAction = commandAction(switchesToEisu); }
void RuleEngineSettings::setRightCommandSwitchesToKana(bool switchesToKana) { rightCommandAction = commandAction(switchesToKana); }
void RuleEngineSettings::setShiftRightCommandSwitchesToEisu(bool switchesToEisu) {
    rightModifiedCommandAction = modifiedAction(switchesToEisu);
}
void RuleEngineSettings::setShiftLeftCommandSwitchesToKana(bool switchesToKana) {
    leftModifiedCommandAction = modifiedAction(switchesToKana);
}

void RuleEngineSettings::setLeftCommandAction(CommandKeyAction action) { leftCommandAction = action; }
void RuleEngineSettings::setRightCommandAction(CommandKeyAction action) { rightCommandAction = action; }
void RuleEngineSettings::setRightModifiedCommandAction(ModifiedCommandAction action) { rightModifiedCommandAction = action; }
void RuleEngineSettings::setLeftModifiedCommandAction(ModifiedCommandAction action) { leftModifiedCommandAction = action; }

std::int64_t RuleEngineSettings::clampedDelayMilliseconds(std::int64_t milliseconds) {
    return std::clamp<std::int64_t>(milliseconds, 0, maximumDelayMilliseconds);
}

std::int64_t RuleEngineSettings::clampedKanaBounceDelayMilliseconds(std::int64_t milliseconds) {
    return std::clamp<std::int64_t>(milliseconds, 0, maximumKanaBounceDelayMilliseconds);
}

std::int64_t RuleEngineSettings::clampedModifierGraceWindowMilliseconds(std::int64_t milliseconds) {
    return std::clamp<std::int64_t>(milliseconds, 0, maximumModifierGraceWindowMilliseconds);
}

std::optional<std::int64_t> RuleEngineSettings::clampedDelayMillisecondsFromSecondsString(std::string_view text) {
    return millisecondsFromSeconds(text, maximumDelayMilliseconds);
}

std::optional<std::int64_t> RuleEngineSettings::clampedKanaBounceDelayMillisecondsFromSecondsString(std::string_view text) {
    return millisecondsFromSeconds(text, maximumKanaBounceDelayMilliseconds);
}

std::optional<std::int64_t> RuleEngineSettings::clampedModifierGraceWindowMillisecondsFromSecondsString(std::string_view text) {
    return millisecondsFromSeconds(text, maximumModifierGraceWindowMilliseconds);
}

void RuleEngineSettings::normalizeForImport() {
    leftCommandDelayMilliseconds = clampedDelayMilliseconds(leftCommandDelayMilliseconds);
    rightCommandDelayMilliseconds = clampedDelayMilliseconds(rightCommandDelayMilliseconds);
    leftModifiedCommandDelayMilliseconds = clampedDelayMilliseconds(leftModifiedCommandDelayMilliseconds);
    rightModifiedCommandDelayMilliseconds = clampedDelayMilliseconds(rightModifiedCommandDelayMilliseconds);
    kanaBounceDelayMilliseconds = clampedKanaBounceDelayMilliseconds(kanaBounceDelayMilliseconds);
    modifierGraceWindowMilliseconds = clampedModifierGraceWindowMilliseconds(modifierGraceWindowMilliseconds);
    doublePressGuard.normalizeForImport();
    keypadShortcutHacks.normalizeForImport();
}

RuleEngineSettings defaultRuleEngineSettings(KeyboardPreset) { return RuleEngineSettings(); }

Json JSONCoding<RuleEngineSettings>::encode(const RuleEngineSettings& settings) {
    Json object = Json::object();
    object["leftCommandSwitchesToEisu"] = settings.leftCommandSwitchesToEisu();
    object["rightCommandSwitchesToKana"] = settings.rightCommandSwitchesToKana();
    object["leftCommandAction"] = coding::encode(settings.leftCommandAction);
    object["rightCommandAction"] = coding::encode(settings.rightCommandAction);
    object["shiftRightCommandSwitchesToEisu"] = settings.shiftRightCommandSwitchesToEisu();
    object["shiftLeftCommandSwitchesToKana"] = settings.shiftLeftCommandSwitchesToKana();
    object["rightModifiedCommandAction"] = coding::encode(settings.rightModifiedCommandAction);
    object["leftModifiedCommandAction"] = coding::encode(settings.leftModifiedCommandAction);
    object["rightCommandCompanionModifier"] = coding::encode(settings.rightCommandCompanionModifier);
    object["leftCommandCompanionModifier"] = coding::encode(settings.leftCommandCompanionModifier);
    object["leftCommandDelayMilliseconds"] = settings.leftCommandDelayMilliseconds;
    object["rightCommandDelayMilliseconds"] = settings.rightCommandDelayMilliseconds;
    object["leftModifiedCommandDelayMilliseconds"] = settings.leftModifiedCommandDelayMilliseconds;
    object["rightModifiedCommandDelayMilliseconds"] = settings.rightModifiedCommandDelayMilliseconds;
    object["kanaBounceDelayMilliseconds"] = settings.kanaBounceDelayMilliseconds;
    object["kanaUsesLegacyBounce"] = settings.kanaUsesLegacyBounce;
    object["modifierGraceWindowMilliseconds"] = settings.modifierGraceWindowMilliseconds;
    object["tracksCommandChords"] = settings.tracksCommandChords;
    object["doublePressGuard"] = coding::encode(settings.doublePressGuard);
    object["keypadShortcutHacks"] = coding::encode(settings.keypadShortcutHacks);
    return object;
}

RuleEngineSettings JSONCoding<RuleEngineSettings>::decode(const Json& value) {
    using coding::decodeOptional;
    using coding::decodeOr;
    coding::expectObject(value, "RuleEngineSettings");
    // A missing plain flag means the classic behaviour; a missing modified flag means none.
    bool leftSwitchesToEisu = decodeOr<bool>(value, "leftCommandSwitchesToEisu", true);
    bool rightSwitchesToKana = decodeOr<bool>(value, "rightCommandSwitchesToKana", true);
    bool shiftRightSwitchesToEisu = decodeOr<bool>(value, "shiftRightCommandSwitchesToEisu", false);
    bool shiftLeftSwitchesToKana = decodeOr<bool>(value, "shiftLeftCommandSwitchesToKana", false);

    // The flags first, then the other keys in stored order: the first bad key in that order is the one reported.
    auto leftAction = decodeOptional<CommandKeyAction>(value, "leftCommandAction");
    auto rightAction = decodeOptional<CommandKeyAction>(value, "rightCommandAction");
    auto rightModifiedAction = decodeOptional<ModifiedCommandAction>(value, "rightModifiedCommandAction");
    auto leftModifiedAction = decodeOptional<ModifiedCommandAction>(value, "leftModifiedCommandAction");
    auto rightCompanion = decodeOr<CompanionModifier>(value, "rightCommandCompanionModifier", CompanionModifier::shift);
    auto leftCompanion = decodeOr<CompanionModifier>(value, "leftCommandCompanionModifier", CompanionModifier::shift);
    auto leftDelay = decodeOr<std::int64_t>(value, "leftCommandDelayMilliseconds", 0);
    auto rightDelay = decodeOr<std::int64_t>(value, "rightCommandDelayMilliseconds", 0);
    auto leftModifiedDelay = decodeOr<std::int64_t>(value, "leftModifiedCommandDelayMilliseconds", 0);
    auto rightModifiedDelay = decodeOr<std::int64_t>(value, "rightModifiedCommandDelayMilliseconds", 0);
    auto bounce = decodeOr<std::int64_t>(value, "kanaBounceDelayMilliseconds", 100);
    auto legacyBounce = decodeOr<bool>(value, "kanaUsesLegacyBounce", false);
    auto graceWindow = decodeOr<std::int64_t>(value, "modifierGraceWindowMilliseconds", 50);
    auto tracksChords = decodeOr<bool>(value, "tracksCommandChords", true);
    auto guard = decodeOr<DoublePressGuardSettings>(value, "doublePressGuard", DoublePressGuardSettings());
    auto keypadHacks = decodeOr<KeypadShortcutHackSettings>(value, "keypadShortcutHacks", KeypadShortcutHackSettings());

    RuleEngineSettings settings(leftSwitchesToEisu, rightSwitchesToKana, leftAction, rightAction, shiftRightSwitchesToEisu,
                                shiftLeftSwitchesToKana, rightModifiedAction, leftModifiedAction, rightCompanion,
                                leftCompanion, leftDelay, rightDelay, leftModifiedDelay, rightModifiedDelay, bounce,
                                legacyBounce, graceWindow, tracksChords, std::move(guard), std::move(keypadHacks));
    settings.normalizeForImport();
    return settings;
}

} // namespace tessaril
