// When the shell rebuilds an open settings window: for what its page shows of the backend or of the
// frontmost application, only when that changed, and never over unsaved fixed-phrase edits.
#include <QPointer>
#include <QTextEdit>

#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"
#include "TessarilAppTests/Shell/AppDelegateHarness.hpp"

namespace tessaril {
namespace {

// One plain fixed phrase, so the phrase page has an editor to type into.
TessarilSettings onePhrase() {
    TessarilSettings settings;
    settings.fixedPhraseAssist.rules = {FixedPhraseRule("a", "挨拶", false, std::nullopt, "了解です。", std::nullopt,
                                                        std::nullopt, FixedPhraseInsertionFormat::plain,
                                                        FixedPhraseInputMode::plain, FixedPhrasePreviewMode::raw,
                                                        FixedPhraseInsertionMode::text)};
    return settings;
}

class SettingsWindowRebuildTests : public SettingsPageTest {
protected:
    void typeUnsavedEdit() {
        QTextEdit* editor = delegate().fixedPhraseTextViews.at("a").data();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        editor->insertPlainText("変更しました。");
        harness->finishStep();
        ASSERT_TRUE(delegate().hasUnsavedFixedPhraseEdits());
    }
};

TEST_F(SettingsWindowRebuildTests, AnotherApplicationInFrontRebuildsOnlyPerApplicationPagesWithoutUnsavedEdits) {
    struct Case {
        const char* name;
        SettingsTab tab;
        bool unsavedEdits;
        bool rebuilt;
    };
    const Case cases[] = {
        {"basic page", SettingsTab::basic, false, false},
        {"support page", SettingsTab::support, false, false},
        {"keypad page", SettingsTab::keypadHacks, false, true},
        {"phrase page", SettingsTab::fixedPhrases, false, true},
        {"phrase page with unsaved edits", SettingsTab::fixedPhrases, true, false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        start({.settings = onePhrase(), .tab = test.tab, .accessibilityTrusted = true});
        if (test.unsavedEdits) typeUnsavedEdit();
        QPointer<QWidget> shown = content();
        harness->bringToFront(platform::RunningApplication{"com.example.notes", "Notes"});
        EXPECT_EQ(shown.isNull(), test.rebuilt);
        EXPECT_EQ(delegate().frontmostApplication, (FrontmostApplication{"com.example.notes", "Notes"}));
    }
}

// The supervision polls for the permission every second while the window is open.
TEST(SettingsWindowRebuild, PollsRebuildTheWindowOnlyForAChangeAndNeverOverUnsavedEdits) {
    for (bool unsavedEdits : {false, true}) {
        SCOPED_TRACE(unsavedEdits ? "unsaved edits" : "no edits");
        shell_testing::AppDelegateHarness::Options options;
        options.accessibilityTrusted = false;
        options.storedSettings = onePhrase();
        shell_testing::AppDelegateHarness harness(options);
        harness.launch();
        harness.app().selectedSettingsTab = SettingsTab::fixedPhrases;
        harness.app().openSettingsWindow();
        appkit::UIDriver::runPendingWork();
        QPointer<QWidget> shown = qobject_cast<appkit::Window*>(harness.app().settingsWindow.data())->contentView();
        ASSERT_NE(shown, nullptr);
        harness.at(3500);
        appkit::UIDriver::runPendingWork();
        EXPECT_FALSE(shown.isNull()) << "polls that changed nothing rebuilt the window";

        if (unsavedEdits) {
            QTextEdit* editor = harness.app().fixedPhraseTextViews.at("a").data();
            ASSERT_NE(editor, nullptr);
            editor->selectAll();
            editor->insertPlainText("変更しました。");
            ASSERT_TRUE(harness.app().hasUnsavedFixedPhraseEdits());
        }
        harness.session.setAccessibilityTrusted(true);
        harness.at(4500);
        appkit::UIDriver::runPendingWork();
        ASSERT_EQ(harness.app().lastStatus, "動作中");
        EXPECT_EQ(shown.isNull(), !unsavedEdits) << "the granted permission shows, unless over unsaved edits";
    }
}

} // namespace
} // namespace tessaril
