// Decoding and encoding a large settings document (1000 fixed phrases, 100 applications, 20 settings
// sets: about 360 KB as compact JSON, 770 KB as the store keeps it), as the store does on every load
// and save.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsExportEnvelope.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStore.hpp"

namespace tessaril {
namespace {

constexpr int applicationCount = 100;
constexpr int setsPerFeature = 5;
constexpr int globalPhraseCount = 500;
constexpr int phrasesPerApplication = 12;
constexpr int phrasesPerSet = 40;

// A short identifier, so that the phrases stay the size of typical ones.
std::string label(char prefix, int index) {
    std::string text(1, prefix);
    text += std::to_string(index);
    return text;
}

FixedPhraseAssistSettings phrases(const std::string& prefix, int count) {
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

std::string bundleIdentifier(int index) { return "com.example.application" + std::to_string(index); }

std::vector<SettingsSetAppTarget> targets(int set) {
    std::vector<SettingsSetAppTarget> result;
    for (int index = 0; index < 5; ++index) {
        int application = set * 5 + index;
        result.emplace_back(bundleIdentifier(application), "Application " + std::to_string(application));
    }
    return result;
}

TessarilSettings largeDocument() {
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

void decodeLargeDocument(benchmark::State& state) {
    const std::string text = coding::encode(largeDocument()).dump();
    for (auto _ : state) {
        auto settings = coding::decode<TessarilSettings>(Json::parse(text));
        benchmark::DoNotOptimize(settings);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
    state.counters["documentBytes"] = static_cast<double>(text.size());
}
BENCHMARK(decodeLargeDocument)->Unit(benchmark::kMillisecond);

void encodeLargeDocument(benchmark::State& state) {
    const auto settings = largeDocument();
    for (auto _ : state) {
        auto text = coding::encode(settings).dump();
        benchmark::DoNotOptimize(text);
    }
    // What the store keeps and what an export writes, against the import limits.
    state.counters["storedBytes"] =
        static_cast<double>(TessarilSettingsStore::encoded(coding::encode(settings)).size());
    state.counters["exportBytes"] = static_cast<double>(
        TessarilSettingsStore::encoded(coding::encode(TessarilSettingsExportEnvelope{1, settings})).size());
}
BENCHMARK(encodeLargeDocument)->Unit(benchmark::kMillisecond);

void decodeAndEncodeLargeDocument(benchmark::State& state) {
    const std::string text = coding::encode(largeDocument()).dump();
    for (auto _ : state) {
        auto again = coding::encode(coding::decode<TessarilSettings>(Json::parse(text))).dump();
        benchmark::DoNotOptimize(again);
    }
}
BENCHMARK(decodeAndEncodeLargeDocument)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessaril
