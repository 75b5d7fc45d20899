#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>

#include "TessarilApp/AppKit/EventMonitors.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "WindowDoubles/SettingsWindowHarness.hpp"

namespace tessaril {
namespace {

using nlohmann::json;
using replay::SettingsWindowHarness;

class SettingsWindowTests : public ::testing::Test {
protected:
    void start(SettingsWindowHarness::Configuration configuration = {}) {
        harness = std::make_unique<SettingsWindowHarness>(std::move(configuration), [this](const json& line) {
            if (observe) observe(line);
            lines.push_back(line);
        });
    }
    AppDelegate& delegate() { return harness->delegate(); }
    appkit::Window* window() { return qobject_cast<appkit::Window*>(delegate().settingsWindow.data()); }
    void clickSidebar(const std::string& tab) { harness->report(harness->driver().click({.identifier = tab}), {}); }
    std::vector<json> takeLines() { return std::exchange(lines, {}); }
    // The window open on the shortcut guard page with one set, and that page's set sheet on it.
    appkit::Window* openShortcutGuardSheetWithASet() {
        TessarilSettings settings;
        settings.shortcutGuardSets = {SettingsSet<DoublePressGuardSettings>("a", "A", settings.globalShortcutGuard, {})};
        start({.settings = settings, .tab = SettingsTab::shortcutGuard});
        harness->open();
        delegate().showFeatureSetModal(SettingsTab::shortcutGuard);
        harness->finishStep();
        return qobject_cast<appkit::Window*>(delegate().featureSetModalWindow.data());
    }

    static json alert(const std::string& message, const std::string& informative, std::vector<std::string> buttons,
                      const std::string& answer) {
        return {{"alert",
                 {{"style", "warning"}, {"message", message}, {"informative", informative}, {"buttons", buttons}, {"answer", answer}}}};
    }
    static json suspended(bool isSuspended, const std::string& reason) {
        return {{"suspended", isSuspended}, {"reason", reason}};
    }

    std::vector<json> lines;
    // Sees each line as it is reported, while the step that caused it still runs.
    std::function<void(const json&)> observe;
    std::unique_ptr<SettingsWindowHarness> harness;
};

const std::string advancedMessage = "アドバンス設定を開きますか？";
const std::string advancedInformative =
    "ここでは入力タイミングや診断、設定ファイルを扱います。値を大きく変えると英数/かな切り替えの体感が変わります。";
const std::string registryMessage = "ショートカット台帳を開きますか？";
const std::string registryInformative =
    "台帳で直接変更できるショートカットは、元の機能ページやセット設定にも反映されます。全体の割り当てを確認しながら操作してください。";

TEST_F(SettingsWindowTests, OpeningTwiceShowsOneCentredWindowWithFreshContent) {
    start();
    harness->open();
    QPointer<QWidget> first = delegate().settingsWindow.data();
    QPointer<QWidget> firstContent = window()->contentView();
    ASSERT_TRUE(first);
    window()->move(0, 0);
    harness->close();
    harness->open();
    EXPECT_EQ(delegate().settingsWindow.data(), first.data());
    EXPECT_FALSE(firstContent);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(window()->size(), QSize(1320, 760));
    EXPECT_EQ(window()->minimumSize(), QSize(1300, 700));
    EXPECT_EQ(window()->title(), "Tessaril 詳細設定");
    // Centred with its frame: a window's position is its frame's.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize frame = window()->frameGeometry().size();
    EXPECT_EQ(window()->pos(), QPoint(screen.left() + (screen.width() - frame.width()) / 2, screen.top() + (screen.height() - frame.height()) / 2));
    EXPECT_EQ(harness->application().activations(), 2);
}

// Where a screen's available area holds the window with its frame (a title bar of 20 and borders, as
// openbox draws them), the window keeps its sizes; where it does not, the whole frame stays in the
// area and the window and its minimum size shrink to what it holds, and so does the set sheet, which
// hangs from the window.
TEST_F(SettingsWindowTests, TheWindowAndItsSheetKeepTheirFramesInsideTheScreensAvailableArea) {
    const QMargins frame(1, 20, 1, 5);
    struct Case {
        const char* screen;
        QRect area;
        QPoint windowFrameOrigin;
        QSize windowSize;
        QSize windowMinimum;
        QSize sheetSize;
        QSize sheetMinimum;
    };
    const std::vector<Case> cases = {
        {"1920 × 1080", {0, 0, 1920, 1080}, {299, 147}, {1320, 760}, {1300, 700}, {1080, 686}, {1080, 686}},
        {"1280 × 800", {0, 0, 1280, 800}, {0, 7}, {1278, 760}, {1278, 700}, {1080, 686}, {1080, 686}},
        {"1366 × 768", {0, 0, 1366, 768}, {22, 0}, {1320, 743}, {1300, 700}, {1080, 686}, {1080, 686}},
        {"1024 × 600 below a panel", {0, 24, 1024, 576}, {0, 24}, {1022, 551}, {1022, 551}, {1022, 551}, {1022, 551}},
    };
    TessarilSettings settings;
    settings.shortcutGuardSets = {SettingsSet<DoublePressGuardSettings>("a", "A", settings.globalShortcutGuard, {})};
    start({.settings = settings, .tab = SettingsTab::shortcutGuard});
    harness->open();
    delegate().showFeatureSetModal(SettingsTab::shortcutGuard);
    harness->finishStep();
    auto* sheet = qobject_cast<appkit::Window*>(delegate().featureSetModalWindow.data());
    ASSERT_NE(sheet, nullptr);
    for (const Case& each : cases) {
        SCOPED_TRACE(each.screen);
        window()->resize(1320, 760);
        window()->placeIn(each.area, frame);
        EXPECT_EQ(window()->pos(), each.windowFrameOrigin);
        EXPECT_EQ(window()->size(), each.windowSize);
        EXPECT_EQ(window()->minimumSize(), each.windowMinimum);
        sheet->resize(1080, 686);
        sheet->placeIn(each.area, frame);
        EXPECT_EQ(sheet->size(), each.sheetSize);
        EXPECT_EQ(sheet->minimumSize(), each.sheetMinimum);
        EXPECT_TRUE(each.area.contains(QRect(sheet->pos(), sheet->size().grownBy(frame)))) << sheet->pos().x() << "," << sheet->pos().y();
    }
    // Filling the small screen, the sheet starts at its corner, and its content scrolls both ways
    // rather than being cut.
    EXPECT_EQ(sheet->pos(), QPoint(0, 24));
    harness->finishStep();
    auto* scroll = sheet->contentView()->findChild<appkit::ScrollView*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(scroll, nullptr);
    EXPECT_TRUE(scroll->verticalScrollBar()->isVisibleTo(scroll));
    EXPECT_TRUE(scroll->horizontalScrollBar()->isVisibleTo(scroll));
}

// On a 1920 × 1080 screen the sheet's frame hangs from the top of the window's content, centred
// across the window wherever the user has moved it.
TEST_F(SettingsWindowTests, TheSheetHangsFromTheTopOfTheWindowsContentCentredAcrossIt) {
    const QMargins frame(1, 20, 1, 5);
    const QRect screen(0, 0, 1920, 1080);
    struct Case {
        const char* window;
        std::optional<QPoint> movedTo;
        QPoint sheetFrameOrigin;
    };
    const std::vector<Case> cases = {
        // The off-screen platform draws a frame of 2 around the window, so its content starts 2 in.
        {"centred", std::nullopt, {420, 149}},
        {"moved to the left", QPoint(40, 60), {161, 62}},
        {"moved to the right", QPoint(560, 200), {681, 202}},
    };
    auto* sheet = openShortcutGuardSheetWithASet();
    ASSERT_NE(sheet, nullptr);
    for (const Case& each : cases) {
        SCOPED_TRACE(each.window);
        window()->placeIn(screen, frame);
        if (each.movedTo) window()->move(*each.movedTo);
        sheet->placeIn(screen, frame);
        const QRect content = window()->geometry();
        EXPECT_EQ(sheet->pos(), each.sheetFrameOrigin);
        EXPECT_EQ(sheet->pos().y(), content.top());
        const int sheetFrameWidth = sheet->width() + frame.left() + frame.right();
        EXPECT_EQ(sheet->pos().x() + sheetFrameWidth / 2, content.left() + content.width() / 2);
    }
}

// The sheet scrolls its content whenever it is smaller than it in either direction, and shows it
// whole again at its full size: a sheet made only shorter (a 1280 × 720 screen below a panel)
// otherwise cut its bottom. Its content is made again only when that changes, so a resize that
// keeps it (a drag of the sheet's edge) keeps what is typed into it.
TEST_F(SettingsWindowTests, ASheetMadeShorterOrNarrowerScrollsItsContentAndAtFullSizeShowsItWhole) {
    const QMargins frame(1, 20, 1, 5);
    struct Case {
        const char* screen;
        QRect area;
        QSize sheetSize;
        bool scrolls;
        bool rebuilt;
    };
    const std::vector<Case> cases = {
        {"1920 × 1080", {0, 0, 1920, 1080}, {1080, 686}, false, false},
        {"1280 × 720 below a panel", {0, 24, 1280, 696}, {1080, 671}, true, true},
        {"1280 × 700 below a panel", {0, 24, 1280, 676}, {1080, 651}, true, false},
        {"1920 × 1080 again", {0, 0, 1920, 1080}, {1080, 686}, false, true},
        {"1024 × 768", {0, 0, 1024, 768}, {1022, 686}, true, true},
        {"1024 × 700", {0, 0, 1024, 700}, {1022, 675}, true, false},
        {"1366 × 768", {0, 0, 1366, 768}, {1080, 686}, false, true},
    };
    auto* sheet = openShortcutGuardSheetWithASet();
    ASSERT_NE(sheet, nullptr);
    for (const Case& each : cases) {
        SCOPED_TRACE(each.screen);
        const QPointer<QWidget> before = sheet->contentView();
        sheet->placeIn(each.area, frame);
        harness->finishStep();
        ASSERT_EQ(sheet->size(), each.sheetSize);
        EXPECT_EQ(before.isNull() || sheet->contentView() != before.data(), each.rebuilt);
        auto* scroll = sheet->contentView()->findChild<appkit::ScrollView*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_EQ(scroll != nullptr, each.scrolls);
        if (!scroll) continue;
        // What does not fit can be scrolled to.
        if (each.sheetSize.height() < 686) {
            EXPECT_TRUE(scroll->verticalScrollBar()->isVisibleTo(scroll));
        }
        if (each.sheetSize.width() < 1080) {
            EXPECT_TRUE(scroll->horizontalScrollBar()->isVisibleTo(scroll));
        }
    }
}

TEST_F(SettingsWindowTests, OpeningStartsAStoppedBackendOnlyWhenTrustedAndNeverPrompts) {
    for (const bool trusted : {false, true}) {
        start({.accessibilityTrusted = trusted});
        harness->open();
        EXPECT_EQ(delegate().activeInputBackend,
                  trusted ? ActiveKeyboardInputBackend::eventTap : ActiveKeyboardInputBackend::stopped);
        const auto prompts = harness->accessibility().promptOptions();
        EXPECT_FALSE(prompts.empty());
        EXPECT_EQ(std::count(prompts.begin(), prompts.end(), true), 0);
        harness.reset();
    }
}

TEST_F(SettingsWindowTests, ARebuildBeforeTheWindowExistsTouchesNothingAndAfterwardsForgetsEveryControl) {
    start();
    QLineEdit field;
    delegate().keypadPeriodOutputField = &field;
    delegate().pairAssistOpeningFields["rule"] = &field;
    delegate().fixedPhraseEditorDrafts["rule"] = FixedPhraseEditorSnapshot{};
    delegate().rebuildSettingsWindow();
    EXPECT_EQ(delegate().keypadPeriodOutputField.data(), &field);
    EXPECT_EQ(delegate().pairAssistOpeningFields.size(), 1u);

    harness->open();
    EXPECT_EQ(delegate().keypadPeriodOutputField.data(), nullptr);
    EXPECT_TRUE(delegate().pairAssistOpeningFields.empty());
    // Drafts outlive rebuilds.
    EXPECT_EQ(delegate().fixedPhraseEditorDrafts.size(), 1u);
}

TEST_F(SettingsWindowTests, TheSidebarListsEightTabsInOrderWithTheSelectedOneMarked) {
    start({.tab = SettingsTab::keypadHacks});
    harness->open();
    std::vector<std::string> buttons;
    for (const auto& line : harness->driver().queryAll({.action = "selectSettingsTabFromButton:"})) {
        buttons.push_back(line["control"]["identifier"].get<std::string>() + " " + line["control"]["label"].get<std::string>());
    }
    EXPECT_EQ(buttons, (std::vector<std::string>{"basic 基本", "shortcutGuard 誤爆防止", "keypadHacks テンキーハック",
                                                 "writingAssist 括弧・引用補助", "fixedPhrases 定型文アシスト",
                                                 "shortcutRegistry ショートカット台帳", "advanced アドバンス", "support サポート"}));
    // Icons fall back to their glyphs; the selected button's glyph and title are black on amber.
    std::vector<std::string> glyphs;
    for (const auto& line : harness->driver().queryAll({})) {
        const auto& control = line["control"];
        if (control["kind"] == "label" && glyphs.size() < 8) glyphs.push_back(control["title"]);
    }
    EXPECT_EQ(glyphs, (std::vector<std::string>{"=", "基本", "!", "誤爆防止", "#", "テンキーハック", "“”", "括弧・引用補助"}));
}

TEST_F(SettingsWindowTests, EnteringAdvancedOrTheRegistryAsksEveryTimeAndADeclinedAnswerChangesNothing) {
    start({.answers = {"キャンセル", "理解して開く", "キャンセル", "理解して開く", "理解して開く"}});
    harness->open();
    clickSidebar("advanced");
    EXPECT_EQ(takeLines(), (std::vector<json>{alert(advancedMessage, advancedInformative, {"理解して開く", "キャンセル"}, "キャンセル")}));
    EXPECT_EQ(delegate().selectedSettingsTab, SettingsTab::basic);

    clickSidebar("advanced");
    EXPECT_EQ(takeLines(), (std::vector<json>{alert(advancedMessage, advancedInformative, {"理解して開く", "キャンセル"}, "理解して開く"),
                                              suspended(false, "shortcut-capture"), suspended(false, "shortcut-capture"),
                                              {{"tab", "advanced"}}}));
    // Choosing the tab already shown asks nothing and rebuilds it.
    QPointer<QWidget> content = window()->contentView();
    clickSidebar("advanced");
    EXPECT_FALSE(content);
    EXPECT_EQ(takeLines(), (std::vector<json>{suspended(false, "shortcut-capture"), suspended(false, "shortcut-capture")}));

    clickSidebar("shortcutRegistry");
    EXPECT_EQ(takeLines(), (std::vector<json>{alert(registryMessage, registryInformative, {"理解して開く", "キャンセル"}, "キャンセル")}));
    clickSidebar("shortcutRegistry");
    EXPECT_EQ(takeLines().back(), json({{"tab", "shortcutRegistry"}}));
    clickSidebar("basic");
    takeLines();
    clickSidebar("advanced"); // nothing remembers the earlier answer
    EXPECT_EQ(takeLines().front()["alert"]["message"], advancedMessage);
    EXPECT_EQ(delegate().selectedSettingsTab, SettingsTab::advanced);
}

TEST_F(SettingsWindowTests, ASenderWithoutATabIdentifierChangesNothing) {
    start({.tab = SettingsTab::support});
    harness->open();
    QPointer<QWidget> content = window()->contentView();
    SettingsWindowController controller(delegate());
    for (const std::string identifier : {"", "Basic", "basic|all"}) {
        TessarilButton sender;
        if (!identifier.empty()) sender.setIdentifier(identifier);
        controller.selectSettingsTabFromButton(sender);
    }
    harness->finishStep();
    EXPECT_EQ(delegate().selectedSettingsTab, SettingsTab::support);
    EXPECT_TRUE(content) << "not even rebuilt";
    EXPECT_TRUE(takeLines().empty());
}

TEST_F(SettingsWindowTests, DiscardingUnsavedPhraseEditsDropsTheDraftsOnlyWhenTheUserAgrees) {
    start({.tab = SettingsTab::fixedPhrases, .answers = {"キャンセル", "破棄して移動"}});
    harness->open();
    delegate().fixedPhraseEditorDrafts["rule"] = FixedPhraseEditorSnapshot{};
    delegate().fixedPhraseSourceBaselineTexts["rule"] = "**太字**";
    delegate().fixedPhraseSourceVisibleRuleIDs.insert("rule");
    SettingsWindowController controller(delegate());

    EXPECT_FALSE(controller.confirmDiscardFixedPhraseEdits());
    EXPECT_EQ(delegate().fixedPhraseEditorDrafts.size(), 1u);
    EXPECT_TRUE(controller.confirmDiscardFixedPhraseEdits());
    EXPECT_TRUE(delegate().fixedPhraseEditorDrafts.empty());
    EXPECT_TRUE(delegate().fixedPhraseSourceBaselineTexts.empty());
    EXPECT_TRUE(delegate().fixedPhraseSourceVisibleRuleIDs.empty());
    const std::string informative = "保存していない変更は破棄され、保存前の状態に戻ります。移動しますか？";
    EXPECT_EQ(takeLines(), (std::vector<json>{alert("保存されていない定型文があります", informative, {"破棄して移動", "キャンセル"}, "キャンセル"),
                                              alert("保存されていない定型文があります", informative, {"破棄して移動", "キャンセル"}, "破棄して移動")}));
    // Without unsaved edits leaving the page asks nothing.
    clickSidebar("basic");
    EXPECT_EQ(takeLines().back(), json({{"tab", "basic"}}));
}

TEST_F(SettingsWindowTests, ClosingEndsBothCapturesThenResumesTheControllerAndReopensOnTheSameTab) {
    start({.tab = SettingsTab::writingAssist});
    harness->open();
    auto& monitors = *delegate().services().userInterface.eventMonitors;
    const auto addMonitor = [&monitors] {
        const auto token = monitors.addLocalMonitor(appkit::Event::keyDownMask, [](const appkit::Event& event) { return std::optional(event); });
        return AppDelegate::EventMonitorToken(nullptr, [&monitors, token](void*) { monitors.removeMonitor(token); });
    };
    delegate().shortcutCaptureTarget = ShortcutCaptureTarget{ShortcutCaptureTarget::TextTool{TextToolAction::plainCopy}};
    delegate().shortcutCaptureMonitor = addMonitor();
    delegate().writingAssistShortcutCaptureTarget = "pair-rule";
    delegate().writingAssistShortcutCaptureMonitor = addMonitor();
    ASSERT_EQ(monitors.monitorCount(), 2u);

    harness->close();
    EXPECT_EQ(takeLines(), (std::vector<json>{suspended(true, "shortcut-capture"), suspended(false, "shortcut-capture"),
                                              suspended(false, "settings-window-close")}));
    EXPECT_EQ(monitors.monitorCount(), 0u);
    EXPECT_FALSE(delegate().shortcutCaptureTarget.has_value());
    EXPECT_FALSE(delegate().writingAssistShortcutCaptureTarget.has_value());
    EXPECT_FALSE(delegate().eventController().isSuspended());
    EXPECT_FALSE(window()->isVisible());

    harness->open();
    EXPECT_EQ(delegate().selectedSettingsTab, SettingsTab::writingAssist);
    EXPECT_TRUE(takeLines().empty());
}

TEST_F(SettingsWindowTests, PersistingSavesBeforeItRebuildsAVisibleWindowAndLeavesAHiddenOneAlone) {
    start();
    harness->open();
    QPointer<QWidget> content = window()->contentView();
    std::vector<bool> contentShownAtSave;
    observe = [&](const json& line) {
        if (line.contains("saved")) contentShownAtSave.push_back(content && content->isVisible());
    };
    delegate().settings.textTools.plainPaste.isEnabled = false;
    delegate().persistSettings(true);
    harness->finishStep();
    EXPECT_EQ(contentShownAtSave, std::vector<bool>{true});
    EXPECT_FALSE(content);
    EXPECT_EQ(takeLines(), (std::vector<json>{{{"saved", coding::encode(delegate().settings)}}}));

    harness->close();
    takeLines();
    content = window()->contentView();
    delegate().persistSettings(true);
    delegate().persistSettings(false);
    harness->finishStep();
    EXPECT_TRUE(content) << "a hidden window is not rebuilt";
    EXPECT_EQ(takeLines().size(), 2u) << "each save is reported, also of the same value";
}

TEST_F(SettingsWindowTests, APressDuringACaptureDefersTheRebuildSoTheClickedControlStillActs) {
    start();
    harness->open();
    auto& monitors = *delegate().services().userInterface.eventMonitors;
    for (const bool deferred : {false, true}) {
        SettingsWindowController(delegate()).rebuildSettingsWindow();
        delegate().shortcutCaptureTarget = ShortcutCaptureTarget{ShortcutCaptureTarget::TextTool{TextToolAction::plainCopy}};
        const auto token = monitors.addLocalMonitor(appkit::Event::leftMouseDownMask, [&, deferred](const appkit::Event& event) {
            SettingsWindowController controller(delegate());
            controller.stopShortcutCapture();
            deferred ? controller.rebuildSettingsWindowLater() : controller.rebuildSettingsWindow();
            return std::optional(event);
        });
        clickSidebar("support");
        monitors.removeMonitor(token);
        EXPECT_FALSE(delegate().shortcutCaptureTarget.has_value());
        EXPECT_EQ(delegate().selectedSettingsTab, deferred ? SettingsTab::support : SettingsTab::basic);
    }
}

} // namespace
} // namespace tessaril
