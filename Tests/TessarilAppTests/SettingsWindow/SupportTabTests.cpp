// The support page and the login-item panel driven through the real window: identity, guide, the
// diagnostics copy with its report, and the login item's states, switch and alerts.
#include <string>
#include <vector>

#include <QApplication>

#include "Platform/LoginItem/RecordingLoginItemService.hpp"
#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/ViewRendering.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"

namespace tessaril {
namespace {

using platform::LoginItemStatus;

const std::string appliedFlag = "Tessaril.didApplyDefaultLoginItem.v1";
const appkit::ControlAddress loginSwitch{.action = "toggleLoginItemEnabled:"};

class SupportTabTests : public SettingsPageTest {
protected:
    void startSupport(replay::SettingsWindowHarness::Configuration configuration = {}) {
        configuration.tab = SettingsTab::support;
        start(std::move(configuration));
    }
    platform::RecordingLoginItemService& loginItems() { return harness->loginItems(); }
    bool appliedFlagSet() { return harness->standardDefaults().boolean(appliedFlag); }
    // The label showing exactly `text` on the page, or nullptr.
    appkit::Label* label(const std::string& text) {
        for (auto* found : content()->findChildren<appkit::Label*>()) {
            if (found->text() == text) return found;
        }
        return nullptr;
    }
    bool guideShows() {
        for (auto* widget : QApplication::topLevelWidgets()) {
            if (widget == delegate().onboardingPopover.data() && widget->isVisible()) return true;
        }
        return false;
    }
};

TEST_F(SupportTabTests, TheLoginItemPanelShowsEachStatusInItsToneWithTheSwitchItAllows) {
    struct Case {
        bool installed;
        LoginItemStatus status;
        const char* title;
        const char* detail;
        bool isAccent;
        const char* state;
        bool enabled;
    };
    const Case cases[] = {
        {false, LoginItemStatus::notRegistered, "未インストール", "インストール後にMacのログイン項目へ登録します。", false, "off", false},
        {true, LoginItemStatus::notRegistered, "無効", "MacにログインしたらTessarilを自動で起動できます。", false, "off", true},
        {true, LoginItemStatus::enabled, "有効", "MacにログインしたらTessarilを自動で起動します。", false, "on", true},
        {true, LoginItemStatus::requiresApproval, "許可待ち", "システム設定のログイン項目で許可してください。", true, "on", true},
        {true, LoginItemStatus::notFound, "未検出", "アプリを/Applicationsから起動すると設定できます。", false, "off", false},
        {true, LoginItemStatus::unknown, "不明", "ログイン時の起動状態を確認できません。", true, "off", true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        start({.installed = test.installed, .loginItemStatus = test.status});
        ASSERT_NE(label(test.title), nullptr);
        EXPECT_EQ(label(test.title)->textColor(),
                  test.isAccent ? settings_palette::textOnAccent() : settings_palette::primaryText());
        EXPECT_NE(label(test.detail), nullptr);
        const std::string onOff = std::string(test.state) == "on" ? "ON" : "OFF";
        EXPECT_EQ(controlState(loginSwitch), (json{{"kind", "switch"}, {"action", "toggleLoginItemEnabled:"}, {"enabled", test.enabled},
                                              {"state", test.state}, {"label", "ログイン時に起動"}, {"value", onOff},
                                              {"tooltip", onOff == "ON" ? "OFFにします" : "ONにします"}}));
        EXPECT_EQ(label(onOff)->textColor(), test.enabled ? settings_palette::primaryText() : settings_palette::subtleText());
    }
}

TEST_F(SupportTabTests, TheSwitchRegistersAndTheRebuiltPanelShowsWhatTheSessionNowReports) {
    start({.installed = true});
    click(loginSwitch);
    EXPECT_EQ(loginItems().calls(), std::vector<std::string>{"register"});
    EXPECT_TRUE(appliedFlagSet());
    EXPECT_TRUE(takeLines().empty()); // no alert, and the settings document is not saved
    EXPECT_EQ(control(loginSwitch)["state"], "on");
    EXPECT_NE(label("有効"), nullptr);
    click(loginSwitch);
    EXPECT_EQ(loginItems().calls(), (std::vector<std::string>{"register", "unregister"}));
    EXPECT_EQ(control(loginSwitch)["state"], "off");
}

TEST_F(SupportTabTests, EachChoiceOfTheUserChangesOnlyWhatTheStatusNeedsAndIsRecorded) {
    struct Case {
        LoginItemStatus status;
        bool enable;
        std::vector<std::string> calls;
        std::vector<std::string> openedURLs;
    };
    const std::vector<std::string> none;
    const std::vector<std::string> settingsList{platform::RecordingLoginItemService::settingsURL};
    const Case cases[] = {
        {LoginItemStatus::notRegistered, true, {"register"}, none},
        {LoginItemStatus::notFound, true, {"register"}, none},
        {LoginItemStatus::unknown, true, {"register"}, none},
        {LoginItemStatus::enabled, true, {}, none},
        {LoginItemStatus::requiresApproval, true, {}, settingsList},
        {LoginItemStatus::enabled, false, {"unregister"}, none},
        {LoginItemStatus::requiresApproval, false, {"unregister"}, none},
        {LoginItemStatus::notRegistered, false, {}, none},
        {LoginItemStatus::unknown, false, {}, none},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(rawValue(test.status)) + (test.enable ? " on" : " off"));
        start({.installed = true, .loginItemStatus = test.status});
        delegate().setLoginItemEnabled(test.enable);
        harness->finishStep();
        EXPECT_EQ(loginItems().calls(), test.calls);
        EXPECT_EQ(harness->workspace().openedURLs(), test.openedURLs);
        EXPECT_TRUE(appliedFlagSet());
        EXPECT_TRUE(takeLines().empty());
    }
}

TEST_F(SupportTabTests, ARefusedChangeShowsItsAlertAndLeavesTheStatusAsTheSessionReportsIt) {
    startSupport();
    delegate().setLoginItemEnabled(true);
    harness->finishStep();
    EXPECT_EQ(takeLines(), std::vector<json>{alert("設定できません",
                                                   "ログイン時の起動は、/Applications にインストールしたTessarilで設定してください。",
                                                   {"OK"}, "OK")});
    EXPECT_TRUE(loginItems().calls().empty());
    EXPECT_FALSE(appliedFlagSet());

    start({.installed = true});
    loginItems().setFailure("cannot write /home/user/.config/autostart/com.tessaril.Tessaril.desktop: Permission denied");
    click(loginSwitch);
    EXPECT_EQ(takeLines(), std::vector<json>{alert(
                               "ログイン項目を変更できません",
                               "cannot write /home/user/.config/autostart/com.tessaril.Tessaril.desktop: Permission denied",
                               {"OK"}, "OK")});
    EXPECT_TRUE(appliedFlagSet());
    EXPECT_EQ(control(loginSwitch)["state"], "off");
    EXPECT_NE(label("無効"), nullptr);

    // Without the flag the default registration could undo the choice, so nothing is changed.
    start({.installed = true});
    harness->standardDefaults().setWriteFailure("disk full");
    click(loginSwitch);
    const auto refused = takeLines();
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0]["alert"]["message"], "ログイン項目を変更できません");
    EXPECT_NE(refused[0]["alert"]["informative"].get<std::string>().find("disk full"), std::string::npos);
    EXPECT_TRUE(loginItems().calls().empty());
    EXPECT_EQ(control(loginSwitch)["state"], "off");
}

TEST_F(SupportTabTests, ThePageShowsTheVersionTheLinkTheGuideAndTheCurrentStatus) {
    startSupport({.infoDictionary = {{"CFBundleShortVersionString", "1.4.2"}}});
    EXPECT_NE(label("バージョン 1.4.2"), nullptr);
    EXPECT_EQ(labelsFrom("診断情報", 8),
              (std::vector<std::string>{"診断情報", "入力文字・クリップボード・書類名・アプリ名は含めません", "コピー", "入力監視",
                                        "キーボードのみ。マウスイベントは監視しません", "現在の状態", "起動中",
                                        "不具合報告時は「コピー」で診断情報を添えてください。入力文字、クリップボード、書類名、アプリ名は入りません。"}));
    delegate().lastStatus = "アクセシビリティ権限待ち";
    rebuild();
    EXPECT_EQ(labelsFrom("現在の状態", 2), (std::vector<std::string>{"現在の状態", "アクセシビリティ権限待ち"}));

    click({.action = "openTessarilWebsite", .title = "tessaril.app"});
    EXPECT_EQ(harness->workspace().openedURLs(), std::vector<std::string>{"https://tessaril.app/"});

    click({.action = "showOnboardingGuideFromSupport", .title = "表示"});
    EXPECT_TRUE(guideShows());
    click({.action = "closeOnboardingGuide", .title = "閉じる"});
    EXPECT_FALSE(guideShows());
    EXPECT_TRUE(takeLines().empty());

    startSupport();
    EXPECT_NE(label("バージョン 不明"), nullptr);
}

TEST_F(SupportTabTests, TheIdentityLinesStartOnOneEdgeAndKeepClearOfThePanelsBorders) {
    startSupport({.infoDictionary = {{"CFBundleShortVersionString", "1.4.2"}}});
    appkit::layoutSubtree(*content());
    auto* texts = qobject_cast<appkit::StackView*>(label("Tessaril")->parentWidget());
    ASSERT_NE(texts, nullptr);
    QWidget* panel = texts->parentWidget()->parentWidget();
    ASSERT_EQ(panel->size(), QSize(940, 128));
    ASSERT_EQ(texts->arrangedSubviews().size(), 4u);
    const QRect stack(texts->mapTo(panel, QPoint(0, 0)), texts->size());
    // The text of every line, the link's title too, starts where the first line's does.
    for (const auto& line : texts->arrangedSubviews()) {
        auto* link = qobject_cast<appkit::Button*>(line.data());
        const int textStart = line->mapTo(panel, QPoint(link ? link->titleRect().left() : 0, 0)).x();
        EXPECT_EQ(textStart, stack.left()) << appkit::Control::from(line.data())->title();
    }
    // Clear of the 1-point border by more than a hairline above "Tessaril" and below the link's underline.
    EXPECT_GE(stack.top(), 1 + 4);
    EXPECT_LE(stack.bottom(), 126 - 4);
}

TEST_F(SupportTabTests, TheDiagnosticsReportGoesToTheClipboardLineByLineAndNamesNothingPrivate) {
    struct Case {
        const char* name;
        std::function<void(TessarilSettings&)> edit;
        bool trusted;
        bool kanaReady;
        std::map<std::string, std::string, std::less<>> info;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"custom preset, nothing running",
         [](TessarilSettings& settings) {
             settings.customPresets = {CustomKeyboardPreset{"c-1", "Secret Name", RuleEngineSettings{}},
                                       CustomKeyboardPreset{"c-2", "Other", RuleEngineSettings{}}};
             settings.activeCustomPresetID = "c-1";
             settings.appWritingAssistSettings["com.secret.app"] = AppWritingAssistSettings{};
         },
         false,
         false,
         {{"CFBundleShortVersionString", "2.0"}},
         {"Tessaril diagnostics", "appVersion: 2.0", "buildVersion: 不明", "status: 起動中", "activePreset: custom",
          "accessibility: not-trusted", "activeInputBackend: stopped", "eventTapRunning: false", "kanaModeKeyboard: unavailable",
          "activeKeyboard: not-detected", "frontmostApp: not-included", "shortcutGuardTarget: not-included",
          "customPresetCount: 2", "appShortcutGuardCount: 1", "appWritingAssistCount: 1", "appKeypadHackCount: 0"}},
        {"built-in preset, the window's opening started the input",
         [](TessarilSettings& settings) {
             settings.activePreset = KeyboardPreset::fullSizeUS;
             settings.appKeypadShortcutHackSettings["com.a"] = AppKeypadShortcutHackSettings{};
             settings.appKeypadShortcutHackSettings["com.b"] = AppKeypadShortcutHackSettings{};
         },
         true,
         true,
         {{"CFBundleShortVersionString", "2.1"}, {"CFBundleVersion", "417"}},
         {"Tessaril diagnostics", "appVersion: 2.1", "buildVersion: 417", "status: 動作中", "activePreset: built-in:fullSizeUS",
          "accessibility: trusted", "activeInputBackend: event-tap", "eventTapRunning: true", "kanaModeKeyboard: ready",
          "activeKeyboard: not-detected", "frontmostApp: not-included", "shortcutGuardTarget: not-included",
          "customPresetCount: 0", "appShortcutGuardCount: 1", "appWritingAssistCount: 0", "appKeypadHackCount: 2"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        TessarilSettings settings;
        test.edit(settings);
        startSupport({.settings = settings,
                      .frontmost = platform::RunningApplication{"com.secret.app", "Secret App"},
                      .accessibilityTrusted = test.trusted,
                      .kanaModeKeyboardReady = test.kanaReady,
                      .infoDictionary = test.info});
        harness->pasteboard().setString("typed secret");
        click({.action = "copyDiagnostics", .title = "コピー"});
        EXPECT_EQ(takeLines(), std::vector<json>{alert("コピーしました",
                                                       "診断情報をクリップボードへコピーしました。入力文字やクリップボード内容は含めていません。",
                                                       {"OK"}, "OK")});
        std::string expected;
        for (const auto& line : test.lines) expected += (expected.empty() ? "" : "\n") + line;
        EXPECT_EQ(harness->pasteboard().string(), expected);
        EXPECT_EQ(harness->pasteboard().pasteboardItems()->size(), 1u);
    }
}

} // namespace
} // namespace tessaril
