#include "TessarilCore/Rules/ShortcutGuardRule.hpp"

#include <algorithm>

#include "TessarilCore/Rules/DoublePressGuardSettings.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {
namespace {

// Text order as the letters are compared everywhere: scalar order of the canonical form. Validated
// letters are single ASCII bytes, so the normalisation is skipped for them.
bool letterPrecedes(const std::string& left, const std::string& right) {
    if (unicode::isASCII(left) && unicode::isASCII(right)) return left < right;
    return unicode::nfc(left) < unicode::nfc(right);
}

} // namespace

std::optional<ShortcutGuardRule> ShortcutGuardRule::make(std::string_view letter, bool isEnabled, std::int64_t pressCount,
                                                         ShortcutGuardTimingPreset timingPreset,
                                                         std::optional<std::int64_t> customTimeoutMilliseconds,
                                                         KeyboardPresetSet activePresets) {
    auto normalized = Shortcut::normalizedCommandLetter(letter);
    if (!normalized) return std::nullopt;
    return ShortcutGuardRule{std::move(*normalized), isEnabled, clampedPressCount(pressCount), timingPreset,
                             customTimeoutMilliseconds, activePresets.intersection(keyboard_preset::standardSet)};
}

std::optional<ShortcutGuardRule> ShortcutGuardRule::make(const Shortcut& shortcut, bool isEnabled, std::int64_t pressCount,
                                                         std::int64_t timeoutMilliseconds, KeyboardPresetSet activePresets) {
    auto letter = shortcut.commandLetter();
    if (!letter) return std::nullopt;
    auto preset = shortcut_guard_timing_preset::matchingPreset(timeoutMilliseconds);
    std::optional<std::int64_t> customTimeout;
    if (!preset) customTimeout = timeoutMilliseconds;
    return make(*letter, isEnabled, pressCount, preset.value_or(ShortcutGuardTimingPreset::custom), customTimeout,
                activePresets);
}

Shortcut ShortcutGuardRule::shortcut() const { return Shortcut::commandLetter(letter).value_or(Shortcut::commandQ()); }

std::int64_t ShortcutGuardRule::timeoutMilliseconds() const {
    if (timingPreset == ShortcutGuardTimingPreset::custom && customTimeoutMilliseconds) {
        return DoublePressGuardSettings::clampedTimeoutMilliseconds(*customTimeoutMilliseconds);
    }
    return defaultTimeoutMilliseconds(timingPreset);
}

KeyboardPresetSet ShortcutGuardRule::normalizedActivePresets() const {
    return activePresets.intersection(keyboard_preset::standardSet);
}

bool ShortcutGuardRule::isActive(KeyboardPreset preset) const { return normalizedActivePresets().contains(preset); }

bool ShortcutGuardRule::hasLetter(std::string_view text) const {
    if (unicode::isASCII(letter) && unicode::isASCII(text)) return letter == text;
    return unicode::canonicallyEqual(letter, text);
}

std::int64_t ShortcutGuardRule::clampedPressCount(std::int64_t pressCount) {
    return std::clamp(pressCount, minimumPressCount, maximumPressCount);
}

std::vector<ShortcutGuardRule> sortedByCommandLetter(std::vector<ShortcutGuardRule> rules) {
    std::stable_sort(rules.begin(), rules.end(), [](const ShortcutGuardRule& left, const ShortcutGuardRule& right) {
        return letterPrecedes(left.letter, right.letter);
    });
    return rules;
}

Json JSONCoding<ShortcutGuardRule>::encode(const ShortcutGuardRule& rule) {
    Json object = Json::object();
    object["letter"] = rule.letter;
    object["isEnabled"] = rule.isEnabled;
    object["pressCount"] = rule.pressCount;
    object["timingPreset"] = coding::encode(rule.timingPreset);
    if (rule.customTimeoutMilliseconds) object["customTimeoutMilliseconds"] = *rule.customTimeoutMilliseconds;
    object["activePresets"] = coding::encode(rule.activePresets);
    return object;
}

ShortcutGuardRule JSONCoding<ShortcutGuardRule>::decode(const Json& value) {
    coding::expectObject(value, "ShortcutGuardRule");
    auto storedLetter = coding::decodeRequired<std::string>(value, "letter");
    auto letter = Shortcut::normalizedCommandLetter(storedLetter);
    if (!letter) {
        coding::atKey("letter", [] { throw DecodingError::dataCorrupted("Shortcut guard letter must be A-Z."); });
    }
    ShortcutGuardRule rule;
    rule.letter = std::move(*letter);
    rule.isEnabled = coding::decodeOr<bool>(value, "isEnabled", true);
    rule.pressCount = ShortcutGuardRule::clampedPressCount(
        coding::decodeOr<std::int64_t>(value, "pressCount", ShortcutGuardRule::minimumPressCount));
    rule.timingPreset =
        coding::decodeOr<ShortcutGuardTimingPreset>(value, "timingPreset", ShortcutGuardTimingPreset::standard);
    rule.customTimeoutMilliseconds = coding::decodeOptional<std::int64_t>(value, "customTimeoutMilliseconds");
    rule.activePresets = coding::decodeOr<KeyboardPresetSet>(value, "activePresets", keyboard_preset::standardSet)
                             .intersection(keyboard_preset::standardSet);
    return rule;
}

} // namespace tessaril
