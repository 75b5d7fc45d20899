// The first-launch guide below the status item and the login item registered by default on the first
// launch of the installed application.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/Shell/OnboardingGuide.hpp"
#include "TessarilAppTests/Shell/AppDelegateHarness.hpp"

namespace tessaril {
namespace {

using platform::LoginItemStatus;
using shell_testing::AppDelegateHarness;

const std::string guideFlag = "Tessaril.didShowOnboardingGuide.v1";
const std::string loginItemFlag = "Tessaril.didApplyDefaultLoginItem.v1";
const std::string untrustedText = "許可は一気に進めません。まず場所を確認してから、必要なアクセシビリティだけを次のボタンで開きます。";

AppDelegateHarness::Options options(bool trusted = true, std::map<std::string, std::string, std::less<>> environment = {},
                                   bool hasButton = true) {
    AppDelegateHarness::Options made;
    made.accessibilityTrusted = trusted;
    made.environment = std::move(environment);
    made.statusItemHasButton = hasButton;
    return made;
}

AppDelegateHarness::Options installedOptions(std::map<std::string, std::string, std::less<>> environment, bool installed,
                                            LoginItemStatus status) {
    AppDelegateHarness::Options made = options(true, std::move(environment));
    made.installed = installed;
    made.loginItemStatus = status;
    return made;
}

QWidget* guide(AppDelegateHarness& harness) {
    QWidget* popover = harness.app().onboardingPopover.data();
    return popover != nullptr && popover->isVisible() ? popover : nullptr;
}

appkit::Button* button(QWidget& popover, const std::string& title) {
    for (auto* found : popover.findChildren<appkit::Button*>()) {
        if (found->title() == title) return found;
    }
    return nullptr;
}

std::vector<std::string> buttonTitles(QWidget& popover) {
    std::vector<std::string> titles;
    for (auto* found : popover.findChildren<appkit::Button*>()) titles.push_back(found->title());
    return titles;
}

TEST(OnboardingGuide, TheFirstLaunchShowsTheGuideSizedAndWordedForThePermission) {
    struct Case {
        bool trusted;
        int height;
        std::vector<std::string> buttons;
    };
    const Case cases[] = {
        {true, 214, {"詳細設定", "閉じる"}},
        {false, 254, {"許可設定へ", "詳細設定", "閉じる"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.trusted ? "trusted" : "not trusted");
        AppDelegateHarness harness(options(test.trusted));
        harness.launch();
        QWidget* popover = guide(harness);
        ASSERT_NE(popover, nullptr);
        // At least the fixed height, taller only where the typeface needs it: no text is squeezed.
        EXPECT_EQ(popover->width(), 360);
        EXPECT_GE(popover->height(), test.height);
        for (auto* label : popover->findChildren<appkit::Label*>()) {
            EXPECT_GE(label->height(), label->hasHeightForWidth() ? label->heightForWidth(label->width()) : label->sizeHint().height())
                << label->text();
        }
        EXPECT_EQ(buttonTitles(*popover), test.buttons);
        appkit::Label* amber = nullptr;
        for (auto* label : popover->findChildren<appkit::Label*>()) {
            if (label->text() == untrustedText) amber = label;
        }
        EXPECT_EQ(amber != nullptr, !test.trusted);
        if (amber) {
            EXPECT_EQ(amber->textColor(), settings_palette::accentAmber());
        }
        EXPECT_TRUE(harness.session.defaults().boolean(guideFlag));
    }
}

TEST(OnboardingGuide, TheGuideIsOfferedOnceWhereverItCanShowAndItsFlagOnlyForAGuideShown) {
    struct Case {
        const char* name;
        std::map<std::string, std::string, std::less<>> environment;
        bool flagStored;
        bool hasButton;
        bool shown;
    };
    const Case cases[] = {
        {"second launch", {}, true, true, false},
        {"backend switched off", {{"TESSARIL_DISABLE_INPUT_BACKEND", "1"}}, false, true, false},
        {"no status area: at the top right", {}, false, false, true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        AppDelegateHarness harness(options(true, test.environment, test.hasButton));
        if (test.flagStored) harness.session.defaults().setBool(guideFlag, true);
        harness.launch();
        ASSERT_EQ(guide(harness) != nullptr, test.shown);
        EXPECT_EQ(harness.session.defaults().boolean(guideFlag), test.flagStored || test.shown);
        if (test.shown) {
            EXPECT_EQ(guide(harness)->pos(), OnboardingGuide::popoverTopLeft(std::nullopt, guide(harness)->size(),
                                                                             QGuiApplication::primaryScreen()->availableGeometry()));
        }
    }
    {
        // Quit before the guide's turn came: it was never shown, so the next launch offers it.
        AppDelegateHarness harness;
        harness.app().applicationDidFinishLaunching();
        harness.delegate.reset();
        harness.session.runReadyWork();
        EXPECT_FALSE(harness.session.defaults().boolean(guideFlag));
    }

    // A flag that cannot be kept would bring the guide back on every launch.
    AppDelegateHarness harness;
    harness.session.defaults().setWriteFailure("read-only");
    harness.launch();
    EXPECT_EQ(guide(harness), nullptr);
    EXPECT_EQ(harness.session.logSink()->messages(""),
              std::vector<std::string>{"Tessaril could not record its onboarding guide flag: read-only"});
}

TEST(OnboardingGuide, EachButtonClosesTheGuideAndDoesItsPart) {
    AppDelegateHarness harness(options(false));
    harness.launch();
    ASSERT_NE(guide(harness), nullptr);
    harness.at(400);
    button(*guide(harness), "許可設定へ")->click();
    EXPECT_EQ(guide(harness), nullptr);
    EXPECT_EQ(harness.app().onboardingPopover.data(), nullptr);
    // There are no Accessibility settings to open here: the alert says so, and nothing else is opened.
    ASSERT_EQ(harness.alerts->presented().size(), 1u);
    EXPECT_EQ(harness.alerts->presented()[0].alert,
              (appkit::Alert{appkit::Alert::Style::informational, "アクセシビリティの設定はありません",
                             "この環境ではアクセシビリティ権限は常に許可済みとして扱われます。", {"OK"}}));
    EXPECT_EQ(harness.application.activations(), 1);
    EXPECT_TRUE(harness.workspace.openedURLs().empty());
    // The launch's retry was due at 1000; the button's replaces it, a second after the click.
    harness.session.setAccessibilityTrusted(true);
    harness.at(1399);
    EXPECT_EQ(harness.app().lastStatus, "アクセシビリティ権限待ち");
    harness.at(1400);
    EXPECT_EQ(harness.app().lastStatus, "動作中");

    harness.app().showOnboardingGuide();
    QPointer<QWidget> first = guide(harness);
    harness.app().showOnboardingGuide(); // a second showing replaces the first
    EXPECT_NE(guide(harness), first.data());
    EXPECT_TRUE(first.isNull() || !first->isVisible());
    button(*guide(harness), "詳細設定")->click();
    EXPECT_EQ(guide(harness), nullptr);
    ASSERT_NE(harness.app().settingsWindow.data(), nullptr);
    EXPECT_TRUE(harness.app().settingsWindow->isVisible());

    harness.app().showOnboardingGuide();
    button(*guide(harness), "閉じる")->click();
    EXPECT_EQ(guide(harness), nullptr);
    EXPECT_EQ(harness.alerts->presented().size(), 1u);
}

TEST(OnboardingGuide, TheGuideHangsBelowTheStatusItemAndStaysOnTheScreen) {
    struct Case {
        std::optional<QRect> anchor;
        QSize size;
        QRect screen;
        QPoint topLeft;
    };
    const Case cases[] = {
        {QRect(800, 0, 24, 24), {360, 214}, {0, 0, 1280, 800}, {631, 24}},
        {QRect(1200, 0, 24, 24), {360, 214}, {0, 0, 1280, 800}, {920, 24}},
        {QRect(1260, 0, 20, 24), {360, 214}, {0, 0, 1280, 800}, {920, 24}},
        {QRect(10, 0, 20, 24), {360, 254}, {0, 0, 1280, 800}, {0, 24}},
        // A panel at the bottom of the screen: above the icon.
        {QRect(600, 776, 24, 24), {360, 214}, {0, 0, 1280, 800}, {431, 562}},
        {std::nullopt, {360, 214}, {0, 0, 1280, 800}, {920, 0}},
        {std::nullopt, {360, 254}, {1280, 30, 1920, 1050}, {2840, 30}},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(OnboardingGuide::popoverTopLeft(test.anchor, test.size, test.screen), test.topLeft);
    }

    AppDelegateHarness harness;
    harness.launch();
    const QRect anchor(300, 0, 24, 24);
    harness.statusItem().setButtonGeometry(anchor);
    harness.app().showOnboardingGuide();
    ASSERT_NE(guide(harness), nullptr);
    EXPECT_EQ(guide(harness)->pos(), OnboardingGuide::popoverTopLeft(anchor, {360, 214},
                                                                     QGuiApplication::primaryScreen()->availableGeometry()));
}

// A tray places its icon a moment after it is shown, or when it starts after Tessaril: until then the
// guide stands at the top right, and it moves to hang from the icon once the icon's place is told.
TEST(OnboardingGuide, TheGuideStandsAtTheTopRightUntilTheIconsPlaceIsKnownThenHangsFromIt) {
    struct Step {
        const char* what;
        std::optional<QRect> told;
        QPoint topLeft; // with the guide's height subtracted from y where it hangs above the icon
        bool aboveIcon;
    };
    // The test screen is 1920 × 1200; the guide is 360 wide.
    const Step steps[] = {
        {"nothing told yet", std::nullopt, {1560, 0}, false},
        {"an empty geometry tells nothing", QRect(0, 0, 0, 0), {1560, 0}, false},
        {"a tray at the bottom left placed the icon", QRect(1, 1175, 22, 24), {0, 1175}, true},
        {"the tray moved it along", QRect(600, 1175, 22, 24), {430, 1175}, true},
        {"a tray at the top", QRect(1800, 0, 24, 24), {1560, 24}, false},
        {"the tray gone", std::nullopt, {1560, 0}, false},
    };
    for (const bool fromLaunch : {true, false}) {
        SCOPED_TRACE(fromLaunch ? "first launch" : "shown again from the support page");
        AppDelegateHarness harness;
        if (fromLaunch) {
            harness.launch();
        } else {
            harness.session.defaults().setBool(guideFlag, true);
            harness.launch();
            harness.app().showOnboardingGuide();
        }
        for (const auto& step : steps) {
            SCOPED_TRACE(step.what);
            harness.statusItem().setButtonGeometry(step.told);
            QWidget* popover = guide(harness);
            ASSERT_NE(popover, nullptr);
            EXPECT_EQ(popover->pos(), step.topLeft - QPoint(0, step.aboveIcon ? popover->height() : 0));
        }
    }

    // The geometry an icon has before its tray places it, from the start: the top right.
    AppDelegateHarness harness;
    harness.launch();
    harness.statusItem().setButtonGeometry(QRect(0, 0, 0, 0));
    harness.app().showOnboardingGuide();
    ASSERT_NE(guide(harness), nullptr);
    EXPECT_EQ(guide(harness)->pos(), QPoint(1560, 0));

    // A closed guide no longer follows the icon.
    QPointer<QWidget> closed = guide(harness);
    button(*closed, "閉じる")->click();
    harness.statusItem().setButtonGeometry(QRect(600, 1175, 22, 24));
    EXPECT_EQ(harness.app().onboardingPopover.data(), nullptr);
    EXPECT_TRUE(closed.isNull() || closed->pos() == QPoint(1560, 0));
}

TEST(LoginItemDefault, TheInstalledApplicationRegistersOnceUnlessTheUserOrTheSessionAlreadyDecided) {
    struct Case {
        const char* name;
        std::map<std::string, std::string, std::less<>> environment;
        bool installed;
        LoginItemStatus status;
        bool flagStored;
        std::vector<std::string> calls;
        bool flagAfter;
    };
    const std::vector<std::string> registers{"register"};
    const Case cases[] = {
        {"first launch", {}, true, LoginItemStatus::notRegistered, false, registers, true},
        {"not found yet", {}, true, LoginItemStatus::notFound, false, registers, true},
        {"skipped", {{"TESSARIL_SKIP_LOGIN_ITEM_DEFAULT", "1"}}, true, LoginItemStatus::notRegistered, false, {}, false},
        {"skip switch other than 1", {{"TESSARIL_SKIP_LOGIN_ITEM_DEFAULT", "yes"}}, true, LoginItemStatus::notRegistered, false,
         registers, true},
        {"not installed", {}, false, LoginItemStatus::notRegistered, false, {}, false},
        {"already applied", {}, true, LoginItemStatus::notRegistered, true, {}, true},
        {"already enabled", {}, true, LoginItemStatus::enabled, false, {}, true},
        {"waiting for approval", {}, true, LoginItemStatus::requiresApproval, false, {}, true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        AppDelegateHarness harness(installedOptions(test.environment, test.installed, test.status));
        if (test.flagStored) harness.session.defaults().setBool(loginItemFlag, true);
        harness.launch();
        EXPECT_EQ(harness.loginItems.calls(), test.calls);
        EXPECT_EQ(harness.session.defaults().boolean(loginItemFlag), test.flagAfter);
        EXPECT_EQ(harness.app().lastStatus, "動作中");
    }
}

TEST(LoginItemDefault, AFailedRegistrationShowsInTheStatusAndIsTriedAgainAtTheNextLaunch) {
    AppDelegateHarness harness(installedOptions({}, true, LoginItemStatus::notRegistered));
    harness.loginItems.setFailure("cannot write autostart entry");
    harness.launch();
    EXPECT_EQ(harness.loginItems.calls(), std::vector<std::string>{"register"});
    EXPECT_FALSE(harness.session.defaults().boolean(loginItemFlag));
    EXPECT_EQ(harness.app().lastStatus, "ログイン項目の登録に失敗");
    EXPECT_EQ(harness.toolTip(), "Tessaril: ログイン項目の登録に失敗 / アクセシビリティ許可済み");
}

} // namespace
} // namespace tessaril
