#include "TessarilCore/Rules/DoublePressGuardSettings.hpp"

#include <algorithm>
#include <utility>

#include "TessarilCore/Support/SecondsString.hpp"

namespace tessaril {

DoublePressGuardSettings::DoublePressGuardSettings() : DoublePressGuardSettings(false, 700, defaultShortcuts()) {}

DoublePressGuardSettings::DoublePressGuardSettings(bool isEnabled_, std::int64_t timeoutMilliseconds_,
                                                   ShortcutSet shortcuts_,
                                                   std::optional<std::vector<ShortcutGuardRule>> rules_)
    : isEnabled(isEnabled_), timeoutMilliseconds(timeoutMilliseconds_), shortcuts(std::move(shortcuts_)) {
    if (rules_) {
        rules = std::move(*rules_);
    } else {
        deriveRulesFromShortcuts();
    }
    sortRulesAndRebuildShortcuts();
}

DoublePressGuardSettings::ShortcutSet DoublePressGuardSettings::defaultShortcuts() {
    return {Shortcut::commandQ(), Shortcut::commandW(), Shortcut::commandD()};
}

void DoublePressGuardSettings::deriveRulesFromShortcuts() {
    rules.clear();
    for (const Shortcut& shortcut : shortcuts) {
        // Rules made from the older single-timeout form follow the guard's own switch.
        auto derived = ShortcutGuardRule::make(shortcut, isEnabled, ShortcutGuardRule::minimumPressCount,
                                               timeoutMilliseconds, keyboard_preset::standardSet);
        if (derived) rules.push_back(std::move(*derived));
    }
}

void DoublePressGuardSettings::rebuildShortcuts() {
    shortcuts.clear();
    for (const ShortcutGuardRule& each : rules) shortcuts.insert(each.shortcut());
}

void DoublePressGuardSettings::sortRulesAndRebuildShortcuts() {
    rules = sortedByCommandLetter(std::move(rules));
    rebuildShortcuts();
}

void DoublePressGuardSettings::upsertRule(const ShortcutGuardRule& newRule) {
    auto existing = std::find_if(rules.begin(), rules.end(),
                                 [&](const ShortcutGuardRule& each) { return each.hasLetter(newRule.letter); });
    if (existing != rules.end()) {
        *existing = newRule;
    } else {
        rules.push_back(newRule);
    }
    sortRulesAndRebuildShortcuts();
}

bool DoublePressGuardSettings::addCommandLetter(std::string_view letter) {
    auto fresh = ShortcutGuardRule::make(letter, true, ShortcutGuardRule::minimumPressCount,
                                         ShortcutGuardTimingPreset::standard, std::nullopt, keyboard_preset::standardSet);
    if (!fresh) return false;
    upsertRule(*fresh);
    return true;
}

void DoublePressGuardSettings::removeCommandLetter(std::string_view letter) {
    auto normalized = Shortcut::normalizedCommandLetter(letter);
    if (!normalized) return;
    // Removing keeps the others where they are: a list written out of order stays as written.
    std::erase_if(rules, [&](const ShortcutGuardRule& each) { return each.hasLetter(*normalized); });
    rebuildShortcuts();
}

bool DoublePressGuardSettings::containsCommandLetter(std::string_view letter) const {
    auto normalized = Shortcut::normalizedCommandLetter(letter);
    if (!normalized) return false;
    return std::any_of(rules.begin(), rules.end(), [&](const ShortcutGuardRule& each) { return each.hasLetter(*normalized); });
}

bool DoublePressGuardSettings::replaceCommandLetter(std::string_view oldLetter, std::string_view newLetter) {
    auto from = Shortcut::normalizedCommandLetter(oldLetter);
    auto to = Shortcut::normalizedCommandLetter(newLetter);
    if (!from || !to || rules.empty()) return false;
    auto found = std::find_if(rules.begin(), rules.end(), [&](const ShortcutGuardRule& each) { return each.hasLetter(*from); });
    if (found == rules.end()) return false;
    bool sameLetter = *from == *to;
    if (!sameLetter && containsCommandLetter(*to)) return false;
    ShortcutGuardRule moved = *found;
    moved.letter = *to;
    upsertRule(moved);
    if (sameLetter) return true;
    std::erase_if(rules, [&](const ShortcutGuardRule& each) { return each.hasLetter(*from); });
    sortRulesAndRebuildShortcuts();
    return true;
}

std::optional<ShortcutGuardRule> DoublePressGuardSettings::rule(const Shortcut& shortcut,
                                                                std::optional<KeyboardPreset> activePreset) const noexcept {
    // The letter test of Shortcut::commandLetter, without building a string.
    if (shortcut.modifiers != ShortcutModifierSet{Shortcut::Modifier::command} || !shortcut.key.isCharacter()) {
        return std::nullopt;
    }
    const std::string& text = shortcut.key.characterText();
    if (text.size() != 1 || text[0] < 'a' || text[0] > 'z') return std::nullopt;
    // No other text is canonically equal to a single letter a–z, so comparing bytes is exact here.
    for (const ShortcutGuardRule& candidate : rules) {
        if (!candidate.isEnabled || candidate.letter != text) continue;
        if (activePreset && !candidate.isActive(*activePreset)) continue;
        // A matching letter is one byte, so copying the rule allocates nothing.
        return candidate;
    }
    return std::nullopt;
}

void DoublePressGuardSettings::normalizeForImport() {
    timeoutMilliseconds = clampedTimeoutMilliseconds(timeoutMilliseconds);
    std::vector<ShortcutGuardRule> kept;
    kept.reserve(rules.size());
    for (const ShortcutGuardRule& each : rules) {
        auto validated = ShortcutGuardRule::make(each.letter, each.isEnabled, each.pressCount, each.timingPreset,
                                                 each.customTimeoutMilliseconds, each.activePresets);
        if (validated) kept.push_back(std::move(*validated));
    }
    rules = std::move(kept);
    sortRulesAndRebuildShortcuts();
}

std::int64_t DoublePressGuardSettings::clampedTimeoutMilliseconds(std::int64_t milliseconds) {
    return std::clamp(milliseconds, minimumTimeoutMilliseconds, maximumTimeoutMilliseconds);
}

std::optional<std::int64_t> DoublePressGuardSettings::clampedTimeoutMillisecondsFromSecondsString(std::string_view text) {
    return clampedMillisecondsFromSecondsString(text, minimumTimeoutMilliseconds, maximumTimeoutMilliseconds,
                                                RoundingRule::towardZero);
}

namespace {

Json encodeShortcuts(const DoublePressGuardSettings::ShortcutSet& shortcuts) {
    // The set has no order; sorting the written form keeps saved files stable from one save to the next.
    std::vector<Json> encoded;
    for (const Shortcut& shortcut : shortcuts) encoded.push_back(coding::encode(shortcut));
    std::sort(encoded.begin(), encoded.end(), [](const Json& left, const Json& right) { return left.dump() < right.dump(); });
    return Json(std::move(encoded));
}

DoublePressGuardSettings::ShortcutSet decodeShortcuts(const Json& value) {
    coding::expectArray(value, "Set");
    DoublePressGuardSettings::ShortcutSet shortcuts;
    for (std::size_t index = 0; index < value.size(); ++index) {
        shortcuts.insert(coding::atIndex(index, [&] { return coding::decode<Shortcut>(value[index]); }));
    }
    return shortcuts;
}

} // namespace

Json JSONCoding<DoublePressGuardSettings>::encode(const DoublePressGuardSettings& settings) {
    Json object = Json::object();
    object["isEnabled"] = settings.isEnabled;
    object["timeoutMilliseconds"] = settings.timeoutMilliseconds;
    object["shortcuts"] = encodeShortcuts(settings.shortcuts);
    object["rules"] = coding::encode(settings.rules);
    return object;
}

DoublePressGuardSettings JSONCoding<DoublePressGuardSettings>::decode(const Json& value) {
    coding::expectObject(value, "DoublePressGuardSettings");
    bool isEnabled = coding::decodeOr<bool>(value, "isEnabled", false);
    std::int64_t timeout = DoublePressGuardSettings::clampedTimeoutMilliseconds(
        coding::decodeOr<std::int64_t>(value, "timeoutMilliseconds", 700));
    DoublePressGuardSettings::ShortcutSet shortcuts = DoublePressGuardSettings::defaultShortcuts();
    if (const Json* stored = coding::member(value, "shortcuts")) {
        shortcuts = coding::atKey("shortcuts", [&] { return decodeShortcuts(*stored); });
    }
    auto rules = coding::decodeOptional<std::vector<ShortcutGuardRule>>(value, "rules");
    return DoublePressGuardSettings(isEnabled, timeout, std::move(shortcuts), std::move(rules));
}

} // namespace tessaril
