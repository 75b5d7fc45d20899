#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril {
namespace {

// Maps are JSON objects keyed by their string keys; values use their own coding.
template <class Value> Json encodeMap(const std::map<std::string, Value>& map) {
    Json object = Json::object();
    for (const auto& [key, value] : map) object[key] = coding::encode(value);
    return object;
}

template <class Value> std::map<std::string, Value> decodeMap(const Json& object) {
    coding::expectObject(object, "Dictionary");
    std::map<std::string, Value> map;
    for (auto entry = object.begin(); entry != object.end(); ++entry) {
        map.emplace(entry.key(), coding::atKey(entry.key(), [&] {
                        return coding::decodeElement<Value>([&] { return coding::decode<Value>(entry.value()); });
                    }));
    }
    return map;
}

// A tolerant map key: missing or null gives an empty map.
template <class Value> std::map<std::string, Value> decodeMapOr(const Json& object, std::string_view key) {
    const Json* value = coding::member(object, key);
    if (value == nullptr) return {};
    return coding::atKey(key, [&] { return decodeMap<Value>(*value); });
}

// A tolerant key whose default is a fresh value of its type.
template <class T> T decodeOrDefault(const Json& object, std::string_view key) {
    const Json* value = coding::member(object, key);
    if (value == nullptr) return T{};
    return coding::atKey(key, [&] { return coding::decode<T>(*value); });
}

} // namespace

Json JSONCoding<TessarilSettings>::encode(const TessarilSettings& settings) {
    Json object = Json::object();
    object["activePreset"] = coding::encode(settings.activePreset);
    if (settings.activeCustomPresetID) object["activeCustomPresetID"] = *settings.activeCustomPresetID;
    object["usesPerKeyboardPresetAssignments"] = settings.usesPerKeyboardPresetAssignments;
    object["keyboardPresetAssignments"] = encodeMap(settings.keyboardPresetAssignments);
    object["keyboardCustomPresetAssignments"] = encodeMap(settings.keyboardCustomPresetAssignments);
    object["customPresets"] = coding::encode(settings.customPresets);
    object["globalShortcutGuard"] = coding::encode(settings.globalShortcutGuard);
    object["appShortcutGuardSettings"] = encodeMap(settings.appShortcutGuardSettings);
    object["writingAssist"] = coding::encode(settings.writingAssist);
    object["appWritingAssistSettings"] = encodeMap(settings.appWritingAssistSettings);
    object["textTools"] = coding::encode(settings.textTools);
    object["fixedPhraseAssist"] = coding::encode(settings.fixedPhraseAssist);
    object["appFixedPhraseAssistSettings"] = encodeMap(settings.appFixedPhraseAssistSettings);
    object["keypadShortcutHacks"] = coding::encode(settings.keypadShortcutHacks);
    object["appKeypadShortcutHackSettings"] = encodeMap(settings.appKeypadShortcutHackSettings);
    object["shortcutGuardSets"] = coding::encode(settings.shortcutGuardSets);
    object["keypadShortcutHackSets"] = coding::encode(settings.keypadShortcutHackSets);
    object["writingAssistSets"] = coding::encode(settings.writingAssistSets);
    object["fixedPhraseAssistSets"] = coding::encode(settings.fixedPhraseAssistSets);
    object["presetDisplayNames"] = encodeMap(settings.presetDisplayNames);
    object["profiles"] = coding::encode(settings.profiles);
    return object;
}

TessarilSettings JSONCoding<TessarilSettings>::decode(const Json& value) {
    coding::expectObject(value, "TessarilSettings");
    TessarilSettings settings{TessarilSettings::Unnormalized{}};
    settings.activePreset = coding::decodeOr(value, "activePreset", KeyboardPreset::laptop);
    settings.activeCustomPresetID = coding::decodeOptional<std::string>(value, "activeCustomPresetID");
    settings.usesPerKeyboardPresetAssignments = coding::decodeOr(value, "usesPerKeyboardPresetAssignments", false);
    settings.keyboardPresetAssignments = decodeMapOr<KeyboardPreset>(value, "keyboardPresetAssignments");
    settings.keyboardCustomPresetAssignments = decodeMapOr<std::string>(value, "keyboardCustomPresetAssignments");
    settings.customPresets = decodeOrDefault<std::vector<CustomKeyboardPreset>>(value, "customPresets");
    settings.globalShortcutGuard = decodeOrDefault<DoublePressGuardSettings>(value, "globalShortcutGuard");
    settings.appShortcutGuardSettings = decodeMapOr<AppShortcutGuardSettings>(value, "appShortcutGuardSettings");
    settings.writingAssist = decodeOrDefault<WritingAssistSettings>(value, "writingAssist");
    settings.appWritingAssistSettings = decodeMapOr<AppWritingAssistSettings>(value, "appWritingAssistSettings");
    settings.textTools = decodeOrDefault<TextToolSettings>(value, "textTools");
    settings.fixedPhraseAssist = decodeOrDefault<FixedPhraseAssistSettings>(value, "fixedPhraseAssist");
    settings.appFixedPhraseAssistSettings =
        decodeMapOr<AppFixedPhraseAssistSettings>(value, "appFixedPhraseAssistSettings");
    // The profiles come first: without its own key the global keypad hacks are the active preset's.
    if (auto profiles = coding::decodeOptional<KeyboardPresetProfiles>(value, "profiles")) {
        settings.profiles = std::move(*profiles);
    }
    settings.keypadShortcutHacks = coding::decodeOr(value, "keypadShortcutHacks",
                                                    settings.profiles[settings.activePreset].keypadShortcutHacks);
    settings.appKeypadShortcutHackSettings =
        decodeMapOr<AppKeypadShortcutHackSettings>(value, "appKeypadShortcutHackSettings");
    settings.shortcutGuardSets =
        decodeOrDefault<std::vector<SettingsSet<DoublePressGuardSettings>>>(value, "shortcutGuardSets");
    settings.keypadShortcutHackSets =
        decodeOrDefault<std::vector<SettingsSet<KeypadShortcutHackSettings>>>(value, "keypadShortcutHackSets");
    settings.writingAssistSets =
        decodeOrDefault<std::vector<SettingsSet<WritingAssistSettings>>>(value, "writingAssistSets");
    settings.fixedPhraseAssistSets =
        decodeOrDefault<std::vector<SettingsSet<FixedPhraseAssistSettings>>>(value, "fixedPhraseAssistSets");
    settings.presetDisplayNames = decodeMapOr<std::string>(value, "presetDisplayNames");
    settings.ensureStandardAppShortcutGuardTargets();
    settings.normalizePresetDisplayNames();
    return settings;
}

} // namespace tessaril
