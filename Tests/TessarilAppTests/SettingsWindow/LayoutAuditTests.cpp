// Every page of the settings window, the settings-set sheet and the conflict panel, laid out as a user
// meets them and audited for controls that do not fit: with the default document and with the QA
// sample, for every kind of target a page edits, at the window's default and minimum sizes. On the
// small screens every control of every page and of both of the sheet's tabs must be reachable through
// the scroll bars shown.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QSize>

#include "TessarilApp/AppKit/Automation/ControlReveal.hpp"
#include "TessarilApp/AppKit/Automation/UIDriver.hpp"
#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
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

// A title bar of 20 and borders, as openbox draws them.
const QMargins openboxFrame(1, 20, 1, 5);
const QRect desktopScreen(0, 0, 1920, 1080);

// The window as it opens on a screen, or made as small as it goes there.
struct WindowSize {
    const char* name;
    QRect screen;
    bool isMinimum;
};
const std::vector<WindowSize> windowSizes = {{"default size", desktopScreen, false},
                                             {"minimum size", desktopScreen, true},
                                             {"on a 1280 × 800 screen", {0, 0, 1280, 800}, false},
                                             {"on a 1024 × 600 screen", {0, 0, 1024, 600}, false}};
// The small screens, where a person must scroll to reach what the window holds.
const std::vector<WindowSize> smallScreens(windowSizes.end() - 2, windowSizes.end());

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

std::string numberedSetID(int number) {
    std::string digits = std::to_string(number);
    return "00000000-0000-4000-8000-" + std::string(12 - digits.size(), '0') + digits;
}

// `count` sets in every feature, "セット 1" and on (so "セット 10" sorts after "セット 9"), the n-th
// with n % 4 applications.
TessarilSettings documentWithSets(int count) {
    TessarilSettings settings;
    for (const SettingsTab tab : pages()) {
        withFeatureSetFamily(tab, [&settings, count](auto family) {
            using Family = typename decltype(family)::type;
            const auto value = Family::resolvedValue(settings, std::nullopt);
            for (int number = 1; number <= count; ++number) {
                std::vector<SettingsSetAppTarget> apps;
                for (int app = 0; app < number % 4; ++app) {
                    apps.emplace_back("org.example.app" + std::to_string(app), "アプリ " + std::to_string(app));
                }
                (settings.*Family::sets).emplace_back(numberedSetID(number), "セット " + std::to_string(number), value, apps);
            }
        });
    }
    return settings;
}

// Whether all of `widget` shows in its window: inside the visible part of every scroll view around it.
bool showsWhole(const QWidget& widget) {
    const QWidget* window = widget.window();
    const QRect frame(widget.mapTo(window, QPoint(0, 0)), widget.size());
    QRect visible = window->rect();
    for (const QWidget* parent = widget.parentWidget(); parent && parent != window; parent = parent->parentWidget()) {
        // A scroll view's child around the widget is its viewport.
        if (qobject_cast<const QAbstractScrollArea*>(parent->parentWidget())) {
            visible &= QRect(parent->mapTo(window, QPoint(0, 0)), parent->size());
        }
    }
    return visible.contains(frame);
}

std::string faultLines(const std::vector<std::string>& faults) {
    std::string text;
    for (const auto& fault : faults) text += "\n  " + fault;
    return text;
}

class LayoutAudit : public SettingsPageTest {
protected:
    // The window on `document` (the default one when none) with the targets added unless told not to.
    void openWith(const std::optional<std::filesystem::path>& document, TessarilSettings settings = {}, bool addsTargets = true) {
        start({.frontmost = replay::SettingsWindowHarness::runningApplication("com.example.editor", "エディター"),
               .inputSources = {{"com.apple.inputmethod.Kotoeri.Roman", "com.apple.inputmethod.Roman", "英字"},
                                {"com.apple.inputmethod.Kotoeri", "com.apple.inputmethod.Japanese.Katakana", "カタカナ"}}});
        if (document) settings = delegate().settingsStore().previewImport(*document);
        if (addsTargets) addTargets(settings);
        delegate().settings = std::move(settings);
        rebuild();
    }

    appkit::Window& window() { return *qobject_cast<appkit::Window*>(delegate().settingsWindow.data()); }

    void sizeWindow(const WindowSize& size) {
        window().resize(SettingsWindow::contentWidth, SettingsWindow::contentHeight);
        window().placeIn(size.screen, openboxFrame);
        if (size.isMinimum) window().resize(window().minimumSize());
    }

    // Whether a view of no size holds the widget, so it shows nowhere by design (the header of a table
    // made without one).
    static bool isHeldInNoSpace(const QWidget& widget) {
        for (const QWidget* view = &widget; view && !view->isWindow(); view = view->parentWidget()) {
            if (view->width() == 0 || view->height() == 0) return true;
        }
        return false;
    }

    // Every control of `window` can be brought wholly into view through the scroll bars it shows.
    void expectEveryControlCanBeRevealed(QWidget& window, const std::string& where) {
        std::size_t controls = 0;
        for (appkit::Control* control : harness->driver().findAll({})) {
            if (control->widget().window() != &window || isHeldInNoSpace(control->widget())) continue;
            ++controls;
            EXPECT_TRUE(appkit::control_reveal::reveal(control->widget()))
                << where << ": out of reach: " << appkit::UIDriver::describe(*control).dump();
        }
        EXPECT_GT(controls, 0u) << where;
    }

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
    // Every page for every target it edits, at every window size; a page scrolls sideways only in a
    // window narrower than the one asked for.
    void auditEveryPage(const std::string& document) {
        for (const WindowSize& size : windowSizes) {
            sizeWindow(size);
            for (const SettingsTab tab : pages()) {
                const bool hasTargets = withFeatureSetFamily(tab, false, [](auto) { return true; });
                for (const Target& target : hasTargets ? targets : std::vector<Target>{targets.front()}) {
                    showPage(tab, target.bundleIdentifier);
                    const std::string where = document + ", " + size.name + ", page " + std::string(rawValue(tab)) + ", " + target.name;
                    expectFits(window(), where);
                    if (size.screen != desktopScreen) expectEveryControlCanBeRevealed(window(), where);
                    if (size.screen == desktopScreen) {
                        EXPECT_EQ(sidewaysRange(), 0) << where;
                    }
                }
            }
        }
    }

    // A sheet at its full size shows all of its content without scrolling it (so the audit finds
    // whatever does not fit).
    void expectSheetNeedsNoScrolling(QWidget& sheet, const std::string& where) {
        auto* window = qobject_cast<appkit::Window*>(&sheet);
        ASSERT_NE(window, nullptr);
        QWidget* content = window->contentView();
        ASSERT_NE(content, nullptr);
        EXPECT_EQ(sheet.size(), QSize(FeatureSetSheet::panelWidth, FeatureSetSheet::panelHeight)) << where;
        EXPECT_EQ(content->findChild<appkit::ScrollView*>(QString(), Qt::FindDirectChildrenOnly), nullptr) << where;
    }

    // How far the shown page scrolls sideways.
    int sidewaysRange() {
        auto* page = qobject_cast<SettingsWindow*>(&window())->pageView();
        auto* scroll = qobject_cast<appkit::ScrollView*>(page);
        if (!scroll && page) scroll = page->findChild<appkit::ScrollView*>();
        return scroll ? scroll->horizontalScrollBar()->maximum() : 0;
    }

    // The sheet of `tab` opened on `set` and audited on both of its tabs and at its full size; left
    // open.
    void openAndAuditSheet(SettingsTab tab, const std::string& set, const std::string& where) {
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
            expectFits(*sheet, where + ", tab " + std::to_string(item));
        }
        expectSheetNeedsNoScrolling(*sheet, where);
    }

    // The sheet of `tab` on `set`, on a small screen: every control of both of its tabs can be reached.
    void auditSheetReach(SettingsTab tab, const std::string& set, const WindowSize& size, const std::string& where) {
        sizeWindow(size);
        delegate().selectedSettingsTab = tab;
        delegate().selectedFeatureSetID = set;
        FeatureSetSheet(delegate()).showFeatureSetModal(tab);
        harness->finishStep();
        auto* sheet = qobject_cast<appkit::Window*>(delegate().featureSetModalWindow.data());
        ASSERT_NE(sheet, nullptr) << where;
        // The sheet hangs from its window as the small screen lets it.
        sheet->placeIn(size.screen, openboxFrame);
        harness->finishStep();
        ASSERT_TRUE(size.screen.contains(sheet->geometry())) << where;
        // Made smaller than its content, it scrolls the content.
        const bool isShrunk = sheet->width() < FeatureSetSheet::panelWidth || sheet->height() < FeatureSetSheet::panelHeight;
        EXPECT_EQ(sheet->contentView()->findChild<appkit::ScrollView*>(QString(), Qt::FindDirectChildrenOnly) != nullptr, isShrunk)
            << where;
        EXPECT_TRUE(isShrunk || size.screen.width() >= FeatureSetSheet::panelWidth) << where;
        auto* tabs = sheet->findChild<appkit::TabView*>();
        ASSERT_NE(tabs, nullptr) << where;
        for (int item = 0; item < tabs->numberOfTabViewItems(); ++item) {
            tabs->selectTabViewItem(item);
            harness->finishStep();
            expectEveryControlCanBeRevealed(*sheet, where + ", tab " + std::to_string(item));
        }
        FeatureSetSheet(delegate()).closeFeatureSetModal();
        harness->finishStep();
    }

    // The sheet of each feature on each set, both of its tabs.
    void auditEverySheet(const std::string& document) {
        for (const SettingsTab tab : pages()) {
            withFeatureSetFamily(tab, [&](auto) {
                for (const std::string& set : {smallSetID, largeSetID}) {
                    const std::string where = document + ", sheet of " + std::string(rawValue(tab)) + ", set " + set;
                    openAndAuditSheet(tab, set, where);
                    FeatureSetSheet(delegate()).closeFeatureSetModal();
                    harness->finishStep();
                    // The large set's application list scrolls, the harder case; the small set's rows are
                    // laid out alike.
                    if (set != largeSetID) continue;
                    for (const WindowSize& size : smallScreens) auditSheetReach(tab, set, size, where + ", " + size.name);
                }
            });
        }
    }
};

// However many sets a feature has, its list shows them at full size and scrolls, "新規セット" stays in
// view below it, the selected set is scrolled into view, and every set can be reached and clicked.
TEST_F(LayoutAudit, TheSheetHoldsOneTenOrThirtySetsAtFullSizeAndEveryOneCanBeClicked) {
    for (const int count : {1, 10, 30}) {
        openWith(std::nullopt, documentWithSets(count), false);
        for (const SettingsTab tab : pages()) {
            withFeatureSetFamily(tab, [&](auto) {
                const std::string feature = std::to_string(count) + " sets, sheet of " + std::string(rawValue(tab));
                for (const int selected : {1, count}) {
                    const std::string where = feature + ", set " + std::to_string(selected) + " selected";
                    openAndAuditSheet(tab, numberedSetID(selected), where);
                    for (const auto& address : {Address{.action = "selectFeatureSetFromModal:", .identifier = numberedSetID(selected)},
                                                Address{.action = "createFeatureSetFromModal"}}) {
                        auto* control = harness->driver().find(address);
                        ASSERT_NE(control, nullptr) << where;
                        EXPECT_TRUE(showsWhole(control->widget())) << where << ", " << control->title() << control->identifier();
                    }
                }
                for (int number = count; number >= 1; --number) {
                    const Address address{.action = "selectFeatureSetFromModal:", .identifier = numberedSetID(number)};
                    click(address);
                    EXPECT_EQ(delegate().selectedFeatureSetID, numberedSetID(number)) << feature;
                    auto* control = harness->driver().find(address);
                    ASSERT_NE(control, nullptr) << feature;
                    EXPECT_TRUE(showsWhole(control->widget())) << feature << ", set " << number << " clicked";
                }
                FeatureSetSheet(delegate()).closeFeatureSetModal();
                harness->finishStep();
            });
        }
    }
}

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
    for (const WindowSize& size : windowSizes) {
        sizeWindow(size);
        for (const ShortcutRegistryFilter filter : allCases<ShortcutRegistryFilter>()) {
            delegate().shortcutRegistryFilter = filter;
            showPage(SettingsTab::shortcutRegistry, std::nullopt);
            expectFits(window(), std::string(size.name) + ", registry filter " + std::string(rawValue(filter)));
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
