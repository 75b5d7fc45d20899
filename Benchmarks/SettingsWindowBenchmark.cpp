// One rebuild of the settings window's content per iteration, for every tab and the presets page,
// with the default document, a large one (100 applications, 20 sets, 200 fixed phrases for the
// selected target, about 630 registry rows, 30 custom presets) and one twice as large (400 phrases,
// about 1,270 registry rows): a page costs what it shows, so "double" should cost about what "large"
// does. Every edit rebuilds the page, so this is the time between a click and the page showing its
// result. The set sheet of each feature with sets is rebuilt the same way. Runs off screen.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include <QApplication>

#include "TessarilApp/AppKit/Automation/UIDriver.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetSheet.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistry.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistryConflictStatus.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistryFilter.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"
#include "WindowDoubles/OffscreenDesktopScreen.hpp"
#include "WindowDoubles/SettingsWindowHarness.hpp"

namespace tessaril {
namespace {

enum class Size { standard, large, doubled };

constexpr std::string_view sizeName(Size size) {
    return size == Size::standard ? "default" : size == Size::large ? "large" : "double";
}

std::string applicationIdentifier(int index) { return "com.example.app" + std::to_string(index); }

TessarilSettings document(Size size) {
    TessarilSettings settings;
    if (size == Size::standard) return settings;
    const int scale = size == Size::large ? 1 : 2;
    const int applicationCount = 100 * scale;
    const int setsPerFeature = 5 * scale;
    const int phraseCount = 200 * scale;
    const int customPresetCount = 30 * scale;
    using Modifier = Shortcut::Modifier;
    for (int index = 0; index < phraseCount; ++index) {
        const std::string name = "phrase-" + std::to_string(index);
        const std::string letter(1, static_cast<char>('a' + index % 26));
        settings.fixedPhraseAssist.rules.emplace_back(
            name, name, true, Shortcut{{Modifier::command, Modifier::option}, Shortcut::Key::character(letter)}, "了解です。");
    }
    for (int index = 0; index < applicationCount; ++index) {
        const std::string identifier = applicationIdentifier(index);
        const std::string name = "Application " + std::to_string(index);
        settings.appShortcutGuardSettings[identifier] = {name, false, settings.globalShortcutGuard};
        settings.appKeypadShortcutHackSettings[identifier] = {name, index % 2 == 0, settings.keypadShortcutHacks};
        settings.appWritingAssistSettings[identifier] = {name, index % 2 == 0, settings.writingAssist};
        settings.appFixedPhraseAssistSettings[identifier] = {name, true, {}};
    }
    for (int index = 0; index < customPresetCount; ++index) {
        settings.customPresets.push_back({"custom-" + std::to_string(index), "プリセット " + std::to_string(index), {}});
    }
    for (int index = 0; index < setsPerFeature; ++index) {
        const std::string name = "セット" + std::to_string(index);
        const std::vector<SettingsSetAppTarget> targets{{applicationIdentifier(index), "Application " + std::to_string(index)}};
        settings.shortcutGuardSets.emplace_back("", name, settings.globalShortcutGuard, targets);
        settings.keypadShortcutHackSets.emplace_back("", name, settings.keypadShortcutHacks, targets);
        settings.writingAssistSets.emplace_back("", name, settings.writingAssist, targets);
        settings.fixedPhraseAssistSets.emplace_back("", name, FixedPhraseAssistSettings{}, targets);
    }
    return settings;
}

void rebuild(benchmark::State& state, SettingsTab tab, Size size) {
    replay::SettingsWindowHarness harness({.settings = document(size), .tab = tab},
                                          [](const nlohmann::json&) {});
    harness.open();
    SettingsWindowController controller(harness.delegate());
    for (auto _ : state) {
        controller.rebuildSettingsWindow();
        // The replaced content is deleted from the event loop; that is part of the cost.
        appkit::UIDriver::runPendingWork();
    }
}

// The registry page under a filter other than the first: "conflicts" judges every row against all.
void rebuildRegistry(benchmark::State& state, ShortcutRegistryFilter filter, Size size) {
    replay::SettingsWindowHarness harness({.settings = document(size), .tab = SettingsTab::shortcutRegistry},
                                          [](const nlohmann::json&) {});
    harness.open();
    harness.delegate().shortcutRegistryFilter = filter;
    SettingsWindowController controller(harness.delegate());
    for (auto _ : state) {
        controller.rebuildSettingsWindow();
        appkit::UIDriver::runPendingWork();
    }
}

// The registry without widgets: every row, its conflict status and the order by set, as a rebuild
// under the "sets" filter computes them.
void registryModel(benchmark::State& state, Size size) {
    const TessarilSettings settings = document(size);
    for (auto _ : state) {
        const auto entries = shortcut_registry::entries(settings);
        const auto statuses = shortcut_registry::conflictStatuses(entries);
        benchmark::DoNotOptimize(shortcut_registry::filteredIndices(entries, statuses, ShortcutRegistryFilter::sets));
        state.counters["rows"] = static_cast<double>(entries.size());
    }
}

void rebuildSheet(benchmark::State& state, SettingsTab tab, Size size) {
    replay::SettingsWindowHarness harness({.settings = document(size), .tab = tab},
                                          [](const nlohmann::json&) {});
    harness.open();
    harness.delegate().showFeatureSetModal(tab);
    FeatureSetSheet sheet(harness.delegate());
    for (auto _ : state) {
        sheet.rebuildFeatureSetModal();
        appkit::UIDriver::runPendingWork();
    }
}

void registerAll() {
    for (const Size size : {Size::large, Size::doubled}) {
        for (const auto filter : allCases<ShortcutRegistryFilter>()) {
            const std::string name = "Rebuild/shortcutRegistry/" + std::string(sizeName(size)) + "/" + std::string(rawValue(filter));
            benchmark::RegisterBenchmark(name.c_str(), [filter, size](benchmark::State& state) { rebuildRegistry(state, filter, size); })
                ->Unit(benchmark::kMillisecond);
        }
        const std::string name = "Registry/entriesStatusesAndSetOrder/" + std::string(sizeName(size));
        benchmark::RegisterBenchmark(name.c_str(), [size](benchmark::State& state) { registryModel(state, size); })
            ->Unit(benchmark::kMillisecond);
    }
    auto tabs = std::vector<SettingsTab>(settings_tab::allCases.begin(), settings_tab::allCases.end());
    // Not in the sidebar, but shown as a page all the same.
    tabs.push_back(SettingsTab::presets);
    constexpr Size sizes[] = {Size::standard, Size::large, Size::doubled};
    for (const SettingsTab tab : tabs) {
        for (const Size size : sizes) {
            const std::string name = "Rebuild/" + std::string(rawValue(tab)) + "/" + std::string(sizeName(size));
            benchmark::RegisterBenchmark(name.c_str(), [tab, size](benchmark::State& state) { rebuild(state, tab, size); })
                ->Unit(benchmark::kMillisecond);
        }
    }
    for (const SettingsTab tab :
         {SettingsTab::keypadHacks, SettingsTab::shortcutGuard, SettingsTab::writingAssist, SettingsTab::fixedPhrases}) {
        for (const Size size : sizes) {
            const std::string name = "RebuildSetSheet/" + std::string(rawValue(tab)) + "/" + std::string(sizeName(size));
            benchmark::RegisterBenchmark(name.c_str(), [tab, size](benchmark::State& state) { rebuildSheet(state, tab, size); })
                ->Unit(benchmark::kMillisecond);
        }
    }
}

} // namespace
} // namespace tessaril

int main(int argc, char** argv) {
    const tessaril::replay::OffscreenDesktopScreen screen;
    qputenv("QT_QPA_PLATFORM", screen.platform());
    // The headless platform's notes ("does not support raise()") would bury the results.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    tessaril::registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
