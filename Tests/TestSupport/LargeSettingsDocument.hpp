#pragma once

#include <optional>
#include <string>
#include <vector>

#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril::test_support {

// A large settings document as a user with many phrases keeps it: 1000 fixed phrases (500 global, 12
// for each of 25 applications, 40 in each of 5 sets), 100 applications with an entry each and 20
// settings sets; about 360 KB as compact JSON, 770 KB stored, 836 KB exported. The benchmarks measure
// it, the store's tests round-trip it.
namespace large_settings_document {

inline constexpr int applicationCount = 100;
inline constexpr int setsPerFeature = 5;
inline constexpr int globalPhraseCount = 500;
inline constexpr int phrasesPerApplication = 12;
inline constexpr int phrasesPerSet = 40;

// A short identifier, so that the phrases stay the size of typical ones.
inline std::string label(char prefix, int index) {
    std::string text(1, prefix);
    text += std::to_string(index);
    return text;
}

inline FixedPhraseAssistSettings phrases(const std::string& prefix, int count) {
    FixedPhraseAssistSettings settings;
    for (int index = 0; index < count; ++index) {
        auto name = prefix + "-" + std::to_string(index);
        auto letter = std::string(1, static_cast<char>('a' + index % 26));
        // Every third phrase is a disabled draft without a trigger.
        std::optional<Shortcut> trigger;
        if (index % 3 != 0) {
            trigger = Shortcut{{Shortcut::Modifier::command, Shortcut::Modifier::option}, Shortcut::Key::character(letter)};
        }
        settings.rules.emplace_back(name, name, index % 3 != 0, trigger, "了解です。");
    }
    return settings;
}

inline std::string bundleIdentifier(int index) { return "com.example.application" + std::to_string(index); }

inline std::vector<SettingsSetAppTarget> targets(int set) {
    std::vector<SettingsSetAppTarget> result;
    for (int index = 0; index < 5; ++index) {
        int application = set * 5 + index;
        result.emplace_back(bundleIdentifier(application), "Application " + std::to_string(application));
    }
    return result;
}

} // namespace large_settings_document

inline TessarilSettings largeSettingsDocument() {
    using namespace large_settings_document;
    return TessarilSettings::memberwise([](TessarilSettings& settings) {
        settings.fixedPhraseAssist = phrases("g", globalPhraseCount);
        // Each application has an entry in one of the four per-application maps.
        for (int index = 0; index < applicationCount; ++index) {
            auto identifier = bundleIdentifier(index);
            auto name = "Application " + std::to_string(index);
            switch (index % 4) {
            case 0: settings.appShortcutGuardSettings[identifier] = {name, false, DoublePressGuardSettings{}}; break;
            case 1:
                settings.appKeypadShortcutHackSettings[identifier] = {name, false, KeypadShortcutHackSettings{}};
                break;
            case 2: settings.appWritingAssistSettings[identifier] = {name, false, WritingAssistSettings{}}; break;
            default:
                settings.appFixedPhraseAssistSettings[identifier] = {name, false,
                                                                    phrases(label('a', index), phrasesPerApplication)};
            }
        }
        for (int set = 0; set < setsPerFeature; ++set) {
            auto id = "SET-" + std::to_string(set);
            settings.shortcutGuardSets.emplace_back(id + "-G", "Guard " + id, DoublePressGuardSettings{}, targets(set));
            settings.keypadShortcutHackSets.emplace_back(id + "-K", "Keypad " + id, KeypadShortcutHackSettings{},
                                                         targets(set));
            settings.writingAssistSets.emplace_back(id + "-W", "Writing " + id, WritingAssistSettings{}, targets(set));
            settings.fixedPhraseAssistSets.emplace_back(id + "-F", "Phrases " + id, phrases(label('s', set), phrasesPerSet),
                                                        targets(set));
        }
    });
}

} // namespace tessaril::test_support
