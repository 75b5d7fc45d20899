#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TessarilCore/Settings/AppFixedPhraseAssistSettings.hpp"
#include "TessarilCore/Settings/AppKeypadShortcutHackSettings.hpp"
#include "TessarilCore/Settings/AppShortcutGuardSettings.hpp"
#include "TessarilCore/Settings/AppWritingAssistSettings.hpp"
#include "TessarilCore/Settings/CustomKeyboardPreset.hpp"
#include "TessarilCore/Rules/DoublePressGuardSettings.hpp"
#include "TessarilCore/Rules/FixedPhraseAssistSettings.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Input/KeyboardIdentifier.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Settings/KeyboardPresetProfiles.hpp"
#include "TessarilCore/Settings/KeyboardPresetReference.hpp"
#include "TessarilCore/Rules/KeypadShortcutHackSettings.hpp"
#include "TessarilCore/Engine/RuleEngineSettings.hpp"
#include "TessarilCore/Settings/SettingsSet.hpp"
#include "TessarilCore/Rules/TextToolSettings.hpp"
#include "TessarilCore/Rules/WritingAssistSettings.hpp"

namespace tessaril {

// The whole user configuration in one value: presets and their assignment to keyboards, the global
// value of every feature with its per-application entries and settings sets, and the names of the
// built-in presets. Queries and edits are member functions working on the value in place. A plain
// value without a lock: the application shell edits its copy on the main thread, the keyboard event
// controller reads its own copy under the controller's lock.
struct TessarilSettings {
    // Per-application entries, keyed by bundle identifier exactly as given.
    template <class Entry> using AppMap = std::map<std::string, Entry>;

    static constexpr std::size_t maximumPresetDisplayNameLength = 24;
    static constexpr std::string_view defaultCustomPresetName = "Custom Preset";

    // The 21 fields, in the order of the JSON keys.
    KeyboardPreset activePreset = KeyboardPreset::laptop;
    std::optional<std::string> activeCustomPresetID;
    bool usesPerKeyboardPresetAssignments = false;
    std::map<std::string, KeyboardPreset> keyboardPresetAssignments;      // keyboard identifier → preset
    std::map<std::string, std::string> keyboardCustomPresetAssignments;   // keyboard identifier → custom preset id
    std::vector<CustomKeyboardPreset> customPresets;
    DoublePressGuardSettings globalShortcutGuard;
    AppMap<AppShortcutGuardSettings> appShortcutGuardSettings;
    WritingAssistSettings writingAssist;
    AppMap<AppWritingAssistSettings> appWritingAssistSettings;
    TextToolSettings textTools;
    FixedPhraseAssistSettings fixedPhraseAssist;
    AppMap<AppFixedPhraseAssistSettings> appFixedPhraseAssistSettings;
    KeypadShortcutHackSettings keypadShortcutHacks;
    AppMap<AppKeypadShortcutHackSettings> appKeypadShortcutHackSettings;
    std::vector<SettingsSet<DoublePressGuardSettings>> shortcutGuardSets;
    std::vector<SettingsSet<KeypadShortcutHackSettings>> keypadShortcutHackSets;
    std::vector<SettingsSet<WritingAssistSettings>> writingAssistSets;
    std::vector<SettingsSet<FixedPhraseAssistSettings>> fixedPhraseAssistSets;
    std::map<std::string, std::string> presetDisplayNames;  // preset raw value → the user's name
    KeyboardPresetProfiles profiles = defaultProfiles();

    // ---- Construction and normalisation (TessarilSettings.cpp)

    // The default document, with the Finder's guard entry.
    TessarilSettings();
    // Memberwise construction: starts from every field's default (no Finder entry yet), lets `setFields`
    // assign the fields it wants, then runs the two normalisations, as every construction does.
    static TessarilSettings memberwise(const std::function<void(TessarilSettings&)>& setFields);
    // Each built-in preset with its default rule-engine settings.
    static KeyboardPresetProfiles defaultProfiles();

    // Keeps the Finder's guard entry present and named "Finder"; a missing entry starts from a copy of
    // the global guard and follows it.
    void ensureStandardAppShortcutGuardTargets();
    // Keeps only names of built-in presets that are trimmed, non-empty, at most 24 characters and
    // other than the preset's default name.
    void normalizePresetDisplayNames();

    // ---- Preset selection and per-keyboard resolution (TessarilSettingsPresets.cpp)

    // The custom preset in force when `activeCustomPresetID` names an existing one, else `activePreset`.
    KeyboardPresetReference activePresetReference() const;
    const RuleEngineSettings& activeRuleEngineSettings() const;
    // A custom reference to no existing preset reads the profile of `activePreset`.
    const RuleEngineSettings& ruleEngineSettings(const KeyboardPresetReference& reference) const;
    // The preset in force for a keyboard, by its assignments when they are in use.
    KeyboardPresetReference presetReference(const std::optional<KeyboardIdentifier>& keyboard) const;
    // The built-in preset in force for a keyboard; `activePreset` when a custom one is.
    KeyboardPreset preset(const std::optional<KeyboardIdentifier>& keyboard) const;
    const RuleEngineSettings& ruleEngineSettings(const std::optional<KeyboardIdentifier>& keyboard) const;
    bool containsPresetReference(const KeyboardPresetReference& reference) const;
    // The user's name of a built-in preset, else its default name.
    std::string displayName(KeyboardPreset preset) const;
    // The first custom preset with the identifier, or nullptr.
    const CustomKeyboardPreset* customPreset(std::string_view id) const;

    // Calls `edit` on the referenced preset's settings; not at all when a custom preset is missing.
    void updateRuleEngineSettings(const KeyboardPresetReference& reference,
                                  const std::function<void(RuleEngineSettings&)>& edit);
    void updateActiveRuleEngineSettings(const std::function<void(RuleEngineSettings&)>& edit);
    void resetActivePresetToDefaults();
    void setActiveBuiltInPreset(KeyboardPreset preset);
    // False, and no change, when no custom preset has the identifier.
    bool setActiveCustomPreset(const std::string& id);
    void assignActivePreset(const KeyboardIdentifier& keyboard);
    void clearAssignment(const KeyboardIdentifier& keyboard);
    // An empty or default name restores the default name.
    void renamePreset(KeyboardPreset preset, std::string_view name);
    // Adds a preset (settings: `baseSettings`, else the active ones), makes it active, answers `id`.
    std::string createCustomPreset(std::string_view name, const std::optional<RuleEngineSettings>& baseSettings,
                                   const std::string& id);
    // A blank name leaves the old one.
    void renameCustomPreset(const std::string& id, std::string_view name);
    // Removes the preset, its keyboard assignments and its activation.
    void deleteCustomPreset(const std::string& id);

    friend bool operator==(const TessarilSettings&, const TessarilSettings&) = default;

private:
    struct Unnormalized {};
    explicit TessarilSettings(Unnormalized) {}
    friend struct JSONCoding<TessarilSettings>;

    CustomKeyboardPreset* customPreset(std::string_view id);
    void sortCustomPresets();
};

template <> struct JSONCoding<TessarilSettings> {
    // 20 keys, and "activeCustomPresetID" when one is set.
    static Json encode(const TessarilSettings& settings);
    // Every key optional (missing or null takes its default); a present key that does not decode fails
    // the whole document. Ends with the two normalisations.
    static TessarilSettings decode(const Json& value);
};

} // namespace tessaril
