#include "TessarilApp/SetsAndRegistry/ShortcutRegistry.hpp"

#include <algorithm>
#include <utility>

#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::shortcut_registry {

namespace {

using EditMode = ShortcutRegistryEntry::EditMode;

constexpr const char* defaultTarget = "デフォルト";
constexpr const char* defaultScope = "default";
constexpr const char* writingSection = "括弧・引用";
constexpr const char* fixedPhraseSection = "定型文";
constexpr const char* guardSection = "誤爆防止";

// Where the rows of one application or one set apply, as shown and as compared.
struct Place {
    std::string idPrefix;
    std::string target;
    std::string scopeID;
    std::optional<std::string> featureSetID;
};

Place defaultPlace(std::string idPrefix) { return {std::move(idPrefix), defaultTarget, defaultScope, std::nullopt}; }

// The entries of a map whose flag says they keep their own value, in display-name order. The map is
// ordered by bundle identifier, so the stable sort leaves equal names in that order.
template <class Entry, class UsesDefault>
std::vector<std::pair<std::string, const Entry*>> ownAppEntries(const std::map<std::string, Entry>& map, UsesDefault usesDefault) {
    std::vector<std::pair<std::string, const Entry*>> own;
    for (const auto& [bundleIdentifier, entry] : map) {
        if (!usesDefault(entry)) own.emplace_back(bundleIdentifier, &entry);
    }
    unicode::stableSortLocalized(own, [](const auto& pair) -> const std::string& { return pair.second->displayName; });
    return own;
}

template <class Value> std::vector<const SettingsSet<Value>*> setsByName(const std::vector<SettingsSet<Value>>& sets) {
    std::vector<const SettingsSet<Value>*> sorted;
    for (const auto& set : sets) sorted.push_back(&set);
    unicode::stableSortLocalized(sorted, [](const SettingsSet<Value>* set) -> const std::string& { return set->name; });
    return sorted;
}

Place appPlace(const std::string& idPrefix, const std::string& bundleIdentifier, const std::string& displayName) {
    return {idPrefix + bundleIdentifier + ":", displayName, "app:" + bundleIdentifier, std::nullopt};
}

template <class Value>
Place setPlace(const std::string& idPrefix, const std::string& feature, const SettingsSet<Value>& set) {
    return {idPrefix + set.id + ":", "セット: " + set.name, "set:" + feature + ":" + set.id, set.id};
}

ShortcutRegistryEntry entryAt(const Place& place, std::string idSuffix, std::string section, std::string item,
                              std::optional<Shortcut> shortcut, bool isEnabled, EditMode editMode) {
    return {place.idPrefix + idSuffix, std::move(section), std::move(item),  std::move(shortcut),
            place.target,              place.scopeID,      isEnabled,        editMode,
            place.featureSetID};
}

void appendTextTools(std::vector<ShortcutRegistryEntry>& rows, const TextToolSettings& tools) {
    const std::pair<TextToolAction, const TextToolShortcutRule*> table[] = {
        {TextToolAction::plainCopy, &tools.plainCopy},
        {TextToolAction::plainPaste, &tools.plainPaste},
        {TextToolAction::characterCount, &tools.characterCount},
    };
    const char* items[] = {"プレーンコピー", "プレーン貼り付け", "文字数チェック"};
    for (std::size_t index = 0; index < std::size(table); ++index) {
        const auto& [action, rule] = table[index];
        rows.push_back(entryAt(defaultPlace("textTool:"), std::string(rawValue(action)), "基本", items[index],
                               rule->shortcut, rule->isEnabled, EditMode::direct()));
    }
}

void appendWritingAssist(std::vector<ShortcutRegistryEntry>& rows, const Place& place, const WritingAssistSettings& assist) {
    for (const PairAssistRule& rule : assist.effectivePairAssistRules()) {
        rows.push_back(entryAt(place, rule.id, writingSection, rule.openingText + "|" + rule.closingText, rule.trigger,
                               rule.isEnabled, EditMode::originalSettings(SettingsTab::writingAssist)));
    }
}

void appendFixedPhrases(std::vector<ShortcutRegistryEntry>& rows, const Place& place, const FixedPhraseAssistSettings& assist,
                        EditMode editMode) {
    for (const FixedPhraseRule& rule : assist.rules) {
        rows.push_back(entryAt(place, rule.id, fixedPhraseSection, rule.previewText(), rule.trigger, rule.isEnabled, editMode));
    }
}

void appendGuard(std::vector<ShortcutRegistryEntry>& rows, const Place& place, const DoublePressGuardSettings& guard) {
    for (const ShortcutGuardRule& rule : sortedByCommandLetter(guard.rules)) {
        Shortcut shortcut{{Shortcut::Modifier::command}, Shortcut::Key::character(unicode::lowercased(rule.letter))};
        rows.push_back(entryAt(place, rule.letter, guardSection, "⌘+" + unicode::uppercased(rule.letter), std::move(shortcut),
                               guard.isEnabled && rule.isEnabled, EditMode::originalSettings(SettingsTab::shortcutGuard)));
    }
}

} // namespace

std::vector<ShortcutRegistryEntry> entries(const TessarilSettings& settings) {
    std::vector<ShortcutRegistryEntry> rows;
    appendTextTools(rows, settings.textTools);

    appendWritingAssist(rows, defaultPlace("writing:"), settings.writingAssist);
    for (const auto& [bundleIdentifier, app] :
         ownAppEntries(settings.appWritingAssistSettings, [](const auto& entry) { return entry.usesDefaultWritingAssist; })) {
        appendWritingAssist(rows, appPlace("writing:", bundleIdentifier, app->displayName), app->writingAssist);
    }
    for (const auto* set : setsByName(settings.writingAssistSets)) {
        appendWritingAssist(rows, setPlace("writingSet:", "writingAssist", *set), set->value);
    }

    appendFixedPhrases(rows, defaultPlace("fixedPhraseDefault:"), settings.fixedPhraseAssist, EditMode::direct());
    const auto fixedPhrasesPage = EditMode::originalSettings(SettingsTab::fixedPhrases);
    for (const auto& [bundleIdentifier, app] : ownAppEntries(
             settings.appFixedPhraseAssistSettings, [](const auto& entry) { return entry.usesDefaultFixedPhraseAssist; })) {
        appendFixedPhrases(rows, appPlace("fixedPhrase:", bundleIdentifier, app->displayName), app->fixedPhraseAssist,
                           fixedPhrasesPage);
    }
    for (const auto* set : setsByName(settings.fixedPhraseAssistSets)) {
        appendFixedPhrases(rows, setPlace("fixedPhraseSet:", "fixedPhrases", *set), set->value, fixedPhrasesPage);
    }

    appendGuard(rows, defaultPlace("guard:"), settings.globalShortcutGuard);
    for (const auto& [bundleIdentifier, app] :
         ownAppEntries(settings.appShortcutGuardSettings, [](const auto& entry) { return entry.usesDefaultShortcutGuard; })) {
        appendGuard(rows, appPlace("guard:", bundleIdentifier, app->displayName), app->doublePressGuard);
    }
    for (const auto* set : setsByName(settings.shortcutGuardSets)) {
        appendGuard(rows, setPlace("guardSet:", "shortcutGuard", *set), set->value);
    }
    return rows;
}

std::string registryID(const ShortcutCaptureTarget& target, const TessarilSettings& settings,
                       const std::optional<std::string>& selectedFixedPhraseAppBundleIdentifier) {
    const auto* phrase = std::get_if<ShortcutCaptureTarget::FixedPhrase>(&target.value);
    if (!phrase) return target.rawValue();
    if (!selectedFixedPhraseAppBundleIdentifier) return "fixedPhraseDefault:" + phrase->ruleID;
    const std::string& bundleIdentifier = *selectedFixedPhraseAppBundleIdentifier;
    const auto& sets = settings.fixedPhraseAssistSets;
    const auto set = std::find_if(sets.begin(), sets.end(), [&](const auto& candidate) { return candidate.targetsApp(bundleIdentifier); });
    if (set != sets.end()) return "fixedPhraseSet:" + set->id + ":" + phrase->ruleID;
    return "fixedPhrase:" + bundleIdentifier + ":" + phrase->ruleID;
}

} // namespace tessaril::shortcut_registry
