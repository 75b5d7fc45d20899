#include "TessarilCore/Settings/TessarilSettingsPerApplication.hpp"

#include <unordered_map>
#include <utility>

#include "TessarilCore/Settings/AppShortcutGuardTarget.hpp"

namespace tessaril {
namespace {

// Where each feature keeps its layers in the document, so that the operations below are written once.
struct ShortcutGuardFeature {
    using Value = DoublePressGuardSettings;
    using Entry = AppShortcutGuardSettings;
    static constexpr auto global = &TessarilSettings::globalShortcutGuard;
    static constexpr auto entries = &TessarilSettings::appShortcutGuardSettings;
    static constexpr auto sets = &TessarilSettings::shortcutGuardSets;
    static constexpr auto usesDefault = &Entry::usesDefaultShortcutGuard;
    static constexpr auto ownValue = &Entry::doublePressGuard;
};

struct KeypadShortcutHackFeature {
    using Value = KeypadShortcutHackSettings;
    using Entry = AppKeypadShortcutHackSettings;
    static constexpr auto global = &TessarilSettings::keypadShortcutHacks;
    static constexpr auto entries = &TessarilSettings::appKeypadShortcutHackSettings;
    static constexpr auto sets = &TessarilSettings::keypadShortcutHackSets;
    static constexpr auto usesDefault = &Entry::usesDefaultKeypadShortcutHacks;
    static constexpr auto ownValue = &Entry::keypadShortcutHacks;
};

struct WritingAssistFeature {
    using Value = WritingAssistSettings;
    using Entry = AppWritingAssistSettings;
    static constexpr auto global = &TessarilSettings::writingAssist;
    static constexpr auto entries = &TessarilSettings::appWritingAssistSettings;
    static constexpr auto sets = &TessarilSettings::writingAssistSets;
    static constexpr auto usesDefault = &Entry::usesDefaultWritingAssist;
    static constexpr auto ownValue = &Entry::writingAssist;
};

struct FixedPhraseAssistFeature {
    using Value = FixedPhraseAssistSettings;
    using Entry = AppFixedPhraseAssistSettings;
    static constexpr auto global = &TessarilSettings::fixedPhraseAssist;
    static constexpr auto entries = &TessarilSettings::appFixedPhraseAssistSettings;
    static constexpr auto sets = &TessarilSettings::fixedPhraseAssistSets;
    static constexpr auto usesDefault = &Entry::usesDefaultFixedPhraseAssist;
    static constexpr auto ownValue = &Entry::fixedPhraseAssist;
};

// The layer that answers for an application, and its value.
enum class LayerKind { global, set, ownEntry };
template <class Value> struct Layer {
    LayerKind kind;
    const Value* value;
};

template <class Feature> class PerApplication {
public:
    using Value = typename Feature::Value;
    using Entry = typename Feature::Entry;

    static Layer<Value> layer(const TessarilSettings& settings, std::optional<std::string_view> app) {
        const Value& global = settings.*Feature::global;
        if (!app) return {LayerKind::global, &global};
        if (const Value* setValue = settingsSetValue(*app, settings.*Feature::sets)) return {LayerKind::set, setValue};
        if (const Entry* entry = ownEntry(settings, *app)) return {LayerKind::ownEntry, &(entry->*Feature::ownValue)};
        return {LayerKind::global, &global};
    }

    static bool usesOwnValue(const TessarilSettings& settings, std::optional<std::string_view> app) {
        return layer(settings, app).kind != LayerKind::global;
    }

    static void enable(TessarilSettings& settings, std::string_view bundleIdentifier, std::string_view displayName,
                       bool usesDefault) {
        auto& entries = settings.*Feature::entries;
        std::string key(bundleIdentifier);
        if (entries.contains(key)) return;
        Entry entry;
        entry.displayName = std::string(displayName);
        entry.*Feature::usesDefault = usesDefault;
        entry.*Feature::ownValue = settings.*Feature::global;
        entries.emplace(std::move(key), std::move(entry));
    }

    static void remove(TessarilSettings& settings, std::string_view bundleIdentifier) {
        (settings.*Feature::entries).erase(std::string(bundleIdentifier));
    }

    static void setUsesDefault(TessarilSettings& settings, std::string_view bundleIdentifier, bool usesDefault) {
        auto& entries = settings.*Feature::entries;
        auto found = entries.find(std::string(bundleIdentifier));
        if (found == entries.end()) return;
        Entry& entry = found->second;
        if (entry.*Feature::usesDefault && !usesDefault) entry.*Feature::ownValue = settings.*Feature::global;
        entry.*Feature::usesDefault = usesDefault;
    }

    static void update(TessarilSettings& settings, std::optional<std::string_view> app,
                       const std::function<void(Value&)>& edit) {
        if (Value* target = editedValue(settings, app)) edit(*target);
    }

private:
    // The entry when the application has one of its own that does not follow the global value.
    template <class Settings> static auto* ownEntry(Settings& settings, std::string_view app) {
        auto& entries = settings.*Feature::entries;
        auto found = entries.find(std::string(app));
        return found == entries.end() || found->second.*Feature::usesDefault ? nullptr : &found->second;
    }

    static Value* editedValue(TessarilSettings& settings, std::optional<std::string_view> app) {
        if (!app) return &(settings.*Feature::global);
        if (Value* setValue = settingsSetValue(*app, settings.*Feature::sets)) return setValue;
        if (Entry* entry = ownEntry(settings, *app)) return &(entry->*Feature::ownValue);
        return nullptr;
    }
};

// The guard of an application's own entry laid over the global guard: the entry's switch and timeout,
// the global rules for the letters the entry does not list and the entry's rules for those it does (its
// later rule where it lists a letter twice), sorted by letter. Global rules that repeat a letter are all
// kept, in their order.
DoublePressGuardSettings overlaidGuard(const DoublePressGuardSettings& global, const DoublePressGuardSettings& entry) {
    std::unordered_map<std::string_view, std::size_t> entryRuleByLetter;
    for (std::size_t index = 0; index < entry.rules.size(); ++index) {
        entryRuleByLetter.insert_or_assign(entry.rules[index].letter, index);
    }
    std::vector<ShortcutGuardRule> rules;
    rules.reserve(global.rules.size() + entryRuleByLetter.size());
    for (const auto& rule : global.rules) {
        if (!entryRuleByLetter.contains(rule.letter)) rules.push_back(rule);
    }
    for (std::size_t index = 0; index < entry.rules.size(); ++index) {
        if (entryRuleByLetter.at(entry.rules[index].letter) == index) rules.push_back(entry.rules[index]);
    }
    // The constructor sorts the rules stably by letter and rebuilds the shortcuts from them.
    return DoublePressGuardSettings(entry.isEnabled, entry.timeoutMilliseconds, {}, std::move(rules));
}

} // namespace

DoublePressGuardSettings shortcutGuardSettings(const TessarilSettings& settings,
                                               std::optional<std::string_view> appBundleIdentifier) {
    auto found = PerApplication<ShortcutGuardFeature>::layer(settings, appBundleIdentifier);
    if (found.kind == LayerKind::ownEntry) return overlaidGuard(settings.globalShortcutGuard, *found.value);
    return *found.value;
}

KeypadShortcutHackSettings keypadShortcutHackSettings(const TessarilSettings& settings,
                                                      std::optional<std::string_view> appBundleIdentifier) {
    return *PerApplication<KeypadShortcutHackFeature>::layer(settings, appBundleIdentifier).value;
}

WritingAssistSettings writingAssistSettings(const TessarilSettings& settings,
                                            std::optional<std::string_view> appBundleIdentifier) {
    return *PerApplication<WritingAssistFeature>::layer(settings, appBundleIdentifier).value;
}

FixedPhraseAssistSettings fixedPhraseAssistSettings(const TessarilSettings& settings,
                                                    std::optional<std::string_view> appBundleIdentifier) {
    return *PerApplication<FixedPhraseAssistFeature>::layer(settings, appBundleIdentifier).value;
}

RuleEngineSettings ruleEngineSettings(const TessarilSettings& settings, const std::optional<KeyboardIdentifier>& keyboard,
                                      std::optional<std::string_view> appBundleIdentifier) {
    RuleEngineSettings result = settings.ruleEngineSettings(settings.presetReference(keyboard));
    result.doublePressGuard = shortcutGuardSettings(settings, appBundleIdentifier);
    result.keypadShortcutHacks = keypadShortcutHackSettings(settings, appBundleIdentifier);
    return result;
}

bool usesAppShortcutGuardSettings(const TessarilSettings& settings, std::optional<std::string_view> appBundleIdentifier) {
    return PerApplication<ShortcutGuardFeature>::usesOwnValue(settings, appBundleIdentifier);
}
bool usesAppKeypadShortcutHackSettings(const TessarilSettings& settings,
                                       std::optional<std::string_view> appBundleIdentifier) {
    return PerApplication<KeypadShortcutHackFeature>::usesOwnValue(settings, appBundleIdentifier);
}
bool usesAppWritingAssistSettings(const TessarilSettings& settings, std::optional<std::string_view> appBundleIdentifier) {
    return PerApplication<WritingAssistFeature>::usesOwnValue(settings, appBundleIdentifier);
}
bool usesAppFixedPhraseAssistSettings(const TessarilSettings& settings,
                                      std::optional<std::string_view> appBundleIdentifier) {
    return PerApplication<FixedPhraseAssistFeature>::usesOwnValue(settings, appBundleIdentifier);
}

void enableAppShortcutGuardSettings(TessarilSettings& settings, std::string_view bundleIdentifier,
                                    std::string_view displayName, bool usesDefaultShortcutGuard) {
    PerApplication<ShortcutGuardFeature>::enable(settings, bundleIdentifier, displayName, usesDefaultShortcutGuard);
}
void enableAppKeypadShortcutHackSettings(TessarilSettings& settings, std::string_view bundleIdentifier,
                                         std::string_view displayName, bool usesDefaultKeypadShortcutHacks) {
    PerApplication<KeypadShortcutHackFeature>::enable(settings, bundleIdentifier, displayName,
                                                      usesDefaultKeypadShortcutHacks);
}
void enableAppWritingAssistSettings(TessarilSettings& settings, std::string_view bundleIdentifier,
                                    std::string_view displayName, bool usesDefaultWritingAssist) {
    PerApplication<WritingAssistFeature>::enable(settings, bundleIdentifier, displayName, usesDefaultWritingAssist);
}
void enableAppFixedPhraseAssistSettings(TessarilSettings& settings, std::string_view bundleIdentifier,
                                        std::string_view displayName, bool usesDefaultFixedPhraseAssist) {
    PerApplication<FixedPhraseAssistFeature>::enable(settings, bundleIdentifier, displayName,
                                                     usesDefaultFixedPhraseAssist);
}

void removeAppShortcutGuardSettings(TessarilSettings& settings, std::string_view bundleIdentifier) {
    if (AppShortcutGuardTarget::isStandardTarget(bundleIdentifier)) return;
    PerApplication<ShortcutGuardFeature>::remove(settings, bundleIdentifier);
}
void removeAppKeypadShortcutHackSettings(TessarilSettings& settings, std::string_view bundleIdentifier) {
    PerApplication<KeypadShortcutHackFeature>::remove(settings, bundleIdentifier);
}
void removeAppWritingAssistSettings(TessarilSettings& settings, std::string_view bundleIdentifier) {
    PerApplication<WritingAssistFeature>::remove(settings, bundleIdentifier);
}
void removeAppFixedPhraseAssistSettings(TessarilSettings& settings, std::string_view bundleIdentifier) {
    PerApplication<FixedPhraseAssistFeature>::remove(settings, bundleIdentifier);
}

void setAppShortcutGuardUsesDefault(TessarilSettings& settings, std::string_view bundleIdentifier, bool usesDefault) {
    PerApplication<ShortcutGuardFeature>::setUsesDefault(settings, bundleIdentifier, usesDefault);
}
void setAppKeypadShortcutHacksUsesDefault(TessarilSettings& settings, std::string_view bundleIdentifier,
                                          bool usesDefault) {
    PerApplication<KeypadShortcutHackFeature>::setUsesDefault(settings, bundleIdentifier, usesDefault);
}
void setAppWritingAssistUsesDefault(TessarilSettings& settings, std::string_view bundleIdentifier, bool usesDefault) {
    PerApplication<WritingAssistFeature>::setUsesDefault(settings, bundleIdentifier, usesDefault);
}
void setAppFixedPhraseAssistUsesDefault(TessarilSettings& settings, std::string_view bundleIdentifier,
                                        bool usesDefault) {
    PerApplication<FixedPhraseAssistFeature>::setUsesDefault(settings, bundleIdentifier, usesDefault);
}

void updateShortcutGuardSettings(TessarilSettings& settings, std::optional<std::string_view> appBundleIdentifier,
                                 const std::function<void(DoublePressGuardSettings&)>& edit) {
    PerApplication<ShortcutGuardFeature>::update(settings, appBundleIdentifier, edit);
}
void updateKeypadShortcutHackSettings(TessarilSettings& settings, std::optional<std::string_view> appBundleIdentifier,
                                      const std::function<void(KeypadShortcutHackSettings&)>& edit) {
    PerApplication<KeypadShortcutHackFeature>::update(settings, appBundleIdentifier, edit);
}
void updateWritingAssistSettings(TessarilSettings& settings, std::optional<std::string_view> appBundleIdentifier,
                                 const std::function<void(WritingAssistSettings&)>& edit) {
    PerApplication<WritingAssistFeature>::update(settings, appBundleIdentifier, edit);
}
void updateFixedPhraseAssistSettings(TessarilSettings& settings, std::optional<std::string_view> appBundleIdentifier,
                                     const std::function<void(FixedPhraseAssistSettings&)>& edit) {
    PerApplication<FixedPhraseAssistFeature>::update(settings, appBundleIdentifier, edit);
}

} // namespace tessaril
