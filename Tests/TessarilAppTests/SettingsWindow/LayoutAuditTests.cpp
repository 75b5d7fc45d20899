// Every page of the settings window, the settings-set sheet and the conflict panel, laid out as a user
// meets them and audited for controls that do not fit: with the default document and with the QA
// sample, for every kind of target a page edits, at the window's default and minimum sizes.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QSize>

#include "TessarilApp/AppKit/TabView.hpp"
#include "TessarilApp/AppKit/ViewRendering.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetFamily.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetSheet.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistryFilter.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindow.hpp"
#include "TessarilAppTests/AppKit/LayoutFaults.hpp"
#include "TessarilAppTests/SetsAndRegistry/RegistryDocuments.hpp"
#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"
#include "TessarilCore/Support/EnumCases.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStore.hpp"

namespace tessaril {
namespace {

const std::string ownApp = "org.example.own";
const std::string followingApp = "org.example.following";
const std::string memberApp = "org.example.member";
const std::string smallSetID = "00000000-0000-4000-8000-0000000000A1";
const std::string largeSetID = "00000000-0000-4000-8000-0000000000A2";

// Whom a page edits.
struct Target {
    const char* name;
    std::optional<std::string> bundleIdentifier;
};
const std::vector<Target> targets = {{"the default", std::nullopt},
                                     {"an application of its own", ownApp},
                                     {"an application following the default", followingApp},
                                     {"a set member", memberApp}};

const std::vector<std::pair<const char*, QSize>> windowSizes = {
    {"default size", {SettingsWindow::contentWidth, SettingsWindow::contentHeight}},
    {"minimum size", {SettingsWindow::minimumContentWidth, SettingsWindow::minimumContentHeight}}};

// Every page: the sidebar's and the presets page.
std::vector<SettingsTab> pages() {
    std::vector<SettingsTab> tabs(settings_tab::allCases.begin(), settings_tab::allCases.end());
    tabs.push_back(SettingsTab::presets);
    return tabs;
}

// For each feature with targets: an application with its own settings, one following the default, and
// two sets, a small one holding the set member and one with more applications than its list shows.
void addTargets(TessarilSettings& settings) {
    for (const SettingsTab tab : pages()) {
        withFeatureSetFamily(tab, [&settings](auto family) {
            using Family = typename decltype(family)::type;
            Family::enable(settings, ownApp, "テキストエディター", false);
            Family::enable(settings, followingApp, "メール", true);
            std::vector<SettingsSetAppTarget> many;
            for (int index = 1; index <= 10; ++index) {
                many.emplace_back("org.example.app" + std::to_string(index), "アプリ " + std::to_string(index));
            }
            const auto value = Family::resolvedValue(settings, std::nullopt);
            auto& sets = settings.*Family::sets;
            sets.emplace_back(smallSetID, "仕事用", value, std::vector{SettingsSetAppTarget(memberApp, "カレンダー")});
            sets.emplace_back(largeSetID, "全アプリ", value, many);
        });
    }
}

std::string faultLines(const std::vector<std::string>& faults) {
    std::string text;
    for (const auto& fault : faults) text += "\n  " + fault;
    return text;
}

class LayoutAudit : public SettingsPageTest {
protected:
    // The window on `document` (the default one when none) with the targets added.
    void openWith(const std::optional<std::filesystem::path>& document, TessarilSettings settings = {}) {
        start({.frontmost = replay::SettingsWindowHarness::runningApplication("com.example.editor", "エディター"),
               .inputSources = {{"com.apple.inputmethod.Kotoeri.Roman", "com.apple.inputmethod.Roman", "英字"},
                                {"com.apple.inputmethod.Kotoeri", "com.apple.inputmethod.Japanese.Katakana", "カタカナ"}}});
        if (document) settings = delegate().settingsStore().previewImport(*document);
        addTargets(settings);
        delegate().settings = std::move(settings);
        rebuild();
    }

    QWidget& window() { return *delegate().settingsWindow.data(); }

    void expectFits(QWidget& root, const std::string& where) {
        appkit::layoutSubtree(root);
        const auto faults = appkit::layoutFaults(root);
        EXPECT_TRUE(faults.empty()) << where << faultLines(faults);
    }

    void showPage(SettingsTab tab, const std::optional<std::string>& target) {
        delegate().selectedSettingsTab = tab;
        withFeatureSetFamily(tab, [this, &target](auto family) {
            delegate().*decltype(family)::type::selection = target;
        });
        rebuild();
    }

    // Every page for every target it edits, at both window sizes.
    void auditEveryPage(const std::string& document) {
        for (const auto& [sizeName, size] : windowSizes) {
            window().resize(size);
            for (const SettingsTab tab : pages()) {
                const bool hasTargets = withFeatureSetFamily(tab, false, [](auto) { return true; });
                for (const Target& target : hasTargets ? targets : std::vector<Target>{targets.front()}) {
                    showPage(tab, target.bundleIdentifier);
                    expectFits(window(), document + ", " + sizeName + ", page " + std::string(rawValue(tab)) + ", " + target.name);
                }
            }
        }
    }

    // The sheet of each feature on each set, both of its tabs.
    void auditEverySheet(const std::string& document) {
        for (const SettingsTab tab : pages()) {
            withFeatureSetFamily(tab, [&](auto) {
                for (const std::string& set : {smallSetID, largeSetID}) {
                    delegate().selectedSettingsTab = tab;
                    delegate().selectedFeatureSetID = set;
                    FeatureSetSheet(delegate()).showFeatureSetModal(tab);
                    harness->finishStep();
                    QWidget* sheet = delegate().featureSetModalWindow.data();
                    ASSERT_NE(sheet, nullptr);
                    auto* tabs = sheet->findChild<appkit::TabView*>();
                    ASSERT_NE(tabs, nullptr);
                    for (int item = 0; item < tabs->numberOfTabViewItems(); ++item) {
                        tabs->selectTabViewItem(item);
                        expectFits(*sheet, document + ", sheet of " + std::string(rawValue(tab)) + ", set " + set +
                                               ", tab " + std::to_string(item));
                    }
                    FeatureSetSheet(delegate()).closeFeatureSetModal();
                    harness->finishStep();
                }
            });
        }
    }
};

TEST_F(LayoutAudit, EveryPageAndSheetFitsWithTheDefaultDocument) {
    openWith(std::nullopt);
    auditEveryPage("default document");
    auditEverySheet("default document");
}

TEST_F(LayoutAudit, EveryPageAndSheetFitsWithTheQASample) {
    openWith(std::filesystem::path(TESSARIL_FIXTURES_DIR) / "qa-sample-settings.json");
    auditEveryPage("QA sample");
    auditEverySheet("QA sample");
}

TEST_F(LayoutAudit, TheRegistryUnderEveryFilterAndEveryConflictPanelFit) {
    openWith(std::nullopt, testing::documentWithEveryGroup());
    for (const auto& [sizeName, size] : windowSizes) {
        window().resize(size);
        for (const ShortcutRegistryFilter filter : allCases<ShortcutRegistryFilter>()) {
            delegate().shortcutRegistryFilter = filter;
            showPage(SettingsTab::shortcutRegistry, std::nullopt);
            expectFits(window(), std::string(sizeName) + ", registry filter " + std::string(rawValue(filter)));
        }
    }
    delegate().shortcutRegistryFilter = ShortcutRegistryFilter::conflicts;
    rebuild();
    const auto conflicts = each({.action = "openShortcutRegistryConflictDetail:"}, "identifier");
    ASSERT_FALSE(conflicts.empty());
    for (const auto& row : conflicts) {
        click({.action = "openShortcutRegistryConflictDetail:", .identifier = row});
        ASSERT_NE(delegate().shortcutRegistryConflictPanel, nullptr);
        expectFits(*delegate().shortcutRegistryConflictPanel.data(), "conflict panel of " + row);
    }
}

} // namespace
} // namespace tessaril
