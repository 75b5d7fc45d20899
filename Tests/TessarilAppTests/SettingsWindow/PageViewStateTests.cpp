// A rebuild of the page being looked at keeps what the user sees: how far it is scrolled, text typed
// but not yet committed, and the keyboard focus. Another tab or target starts afresh.
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QScrollBar>

#include "TessarilApp/AppKit/LazyRowsView.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"

namespace tessaril {
namespace {

TessarilSettings withPhrases(int count) {
    TessarilSettings settings;
    for (int index = 0; index < count; ++index) {
        const std::string id = "p" + std::to_string(index);
        settings.fixedPhraseAssist.rules.emplace_back(id, "定型文" + std::to_string(index), true, std::nullopt, "本文");
    }
    return settings;
}

class PageViewStateTests : public SettingsPageTest {
protected:
    QScrollBar& scroller() { return *content()->findChild<appkit::ScrollView*>()->verticalScrollBar(); }
    void selectTab(const std::string& tab) { click({.action = "selectSettingsTabFromButton:", .identifier = tab}); }
};

TEST_F(PageViewStateTests, APageKeepsItsScrollOffsetAcrossARebuildAndAnotherTabOrTargetStartsAtTheTop) {
    struct Case {
        const char* name;
        SettingsTab tab;
        TessarilSettings settings;
        Address rebuilding; // a control that saves and rebuilds the page
        std::function<void(AppDelegate&)> otherTarget;
    };
    const Case cases[] = {
        {"basic", SettingsTab::basic, {}, {.action = "toggleCharacterCountResultCopy:"}, nullptr},
        {"phrases", SettingsTab::fixedPhrases, withPhrases(30), {.action = "toggleFixedPhraseRuleEnabled:", .identifier = "p28"},
         [](AppDelegate& delegate) { delegate.selectedFixedPhraseAppBundleIdentifier = "com.example.other"; }},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        start({.settings = test.settings, .tab = test.tab});
        scroller().setValue(scroller().maximum());
        // A click scrolls its control into view first; the offset kept is the one it is clicked at.
        ASSERT_EQ(harness->driver().reveal(test.rebuilding), appkit::UIDriver::Outcome::performed);
        const int offset = scroller().value();
        ASSERT_GT(offset, 0);
        click(test.rebuilding);
        ASSERT_EQ(takeSaved().size(), 1u);
        EXPECT_EQ(scroller().value(), offset);

        if (test.otherTarget) {
            test.otherTarget(delegate());
            rebuild();
            EXPECT_EQ(scroller().value(), 0);
        }
        scroller().setValue(scroller().maximum());
        selectTab("support");
        EXPECT_EQ(scroller().value(), 0);
    }
}

// A save deep in a long phrase list rebuilds the page at the same offset; the list starts well below
// the page's top, under the title and the target bar, and every part of it in view shows its panels:
// from the top edge of the view to the bottom, no stretch taller than the gap between two panels is
// left blank.
TEST_F(PageViewStateTests, ARebuildDeepInALongPhraseListShowsEveryPanelInView) {
    start({.settings = withPhrases(60), .tab = SettingsTab::fixedPhrases});
    click({.action = "toggleFixedPhraseRuleEnabled:", .identifier = "p40"});
    ASSERT_EQ(takeSaved().size(), 1u);
    const int offset = scroller().value();
    ASSERT_GT(offset, 2000) << "the list is scrolled deep";

    auto* list = content()->findChild<appkit::LazyRowsView*>();
    ASSERT_NE(list, nullptr);
    QWidget* viewport = content()->findChild<appkit::ScrollView*>()->viewport();
    const int listTop = list->mapTo(viewport, QPoint(0, 0)).y();
    ASSERT_LT(listTop, 0);
    ASSERT_GT(listTop + offset, 100) << "the list starts below the page's top";
    std::vector<std::pair<int, int>> panels; // made panels' top and bottom, in the view's coordinates
    for (auto* panel : list->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (panel->isVisible()) panels.emplace_back(listTop + panel->y(), listTop + panel->geometry().bottom() + 1);
    }
    std::sort(panels.begin(), panels.end());
    constexpr int mostGap = 24;
    int covered = 0; // the view is filled down to here
    for (const auto& [top, bottom] : panels) {
        if (bottom <= covered) continue;
        EXPECT_LE(top, covered + mostGap) << "blank from " << covered << " to " << top;
        covered = std::max(covered, bottom);
    }
    EXPECT_GE(covered + mostGap, std::min(viewport->height(), listTop + list->height()));
}

TEST_F(PageViewStateTests, TypedTextWaitsAcrossRebuildsByOtherControlsUntilCommittedOrLeft) {
    struct Case {
        const char* name;
        SettingsTab tab;
        Address field;
        std::string typed;
        Address other;  // rebuilds the page without committing the field
        Address commit; // the field's Return or save button
        bool commitsWithReturn;
        std::function<std::string(const TessarilSettings&)> stored;
        std::string committed; // what the field shows once its text is stored
    };
    const Case cases[] = {
        {"pair opening", SettingsTab::writingAssist, {.placeholder = "“"}, "《",
         {.action = "updatePairAssistEnabled:", .index = 1}, {.action = "savePairAssistRuleText:"}, false,
         [](const TessarilSettings& settings) { return settings.writingAssist.effectivePairAssistRules()[0].openingText; }, "《"},
        {"keypad output", SettingsTab::keypadHacks, {.placeholder = ","}, "、",
         {.action = "toggleKeypadSlashHack"}, {.action = "updateKeypadPeriodHackOutput", .title = "保存"}, false,
         [](const TessarilSettings& settings) { return settings.keypadShortcutHacks.period.outputText; }, "、"},
        {"guard letter", SettingsTab::shortcutGuard, {.action = "updateShortcutRuleLetter:", .identifier = "w"}, "x",
         {.action = "toggleShortcutRuleEnabled:", .identifier = "d"}, {.action = "updateShortcutRuleLetter:", .identifier = "x"}, true,
         [](const TessarilSettings& settings) { return settings.globalShortcutGuard.rules.back().letter; }, "X"},
        {"new guard letter", SettingsTab::shortcutGuard, {.placeholder = "A-Z"}, "k",
         {.action = "toggleShortcutRuleEnabled:", .identifier = "d"}, {.action = "addShortcutRule"}, false,
         [](const TessarilSettings& settings) { return std::to_string(settings.globalShortcutGuard.rules.size()); }, ""},
        {"advanced seconds", SettingsTab::advanced, {.action = "updateLeftCommandSeconds"}, "0.3",
         {.action = "updateRightCommandSeconds", .title = "保存"}, {.action = "updateLeftCommandSeconds", .title = "保存"}, false,
         [](const TessarilSettings& settings) { return std::to_string(settings.activeRuleEngineSettings().leftCommandDelayMilliseconds); },
         "0.30"},
        {"preset name", SettingsTab::advanced, {.action = "saveLaptopPresetName"}, "旅行",
         {.action = "saveCompactPresetName", .title = "保存"}, {.action = "saveLaptopPresetName"}, true,
         [](const TessarilSettings& settings) { return settings.displayName(KeyboardPreset::laptop); }, "旅行"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        start({.tab = test.tab});
        const std::string before = test.stored(delegate().settings);
        type(test.field, test.typed);
        click(test.other);
        EXPECT_EQ(control(test.field)["value"], test.typed);
        EXPECT_EQ(test.stored(delegate().settings), before) << "typed text is not saved by another control";

        // Leaving the page drops it; coming back shows what is stored.
        selectTab("support");
        delegate().selectedSettingsTab = test.tab;
        rebuild();
        EXPECT_NE(control(test.field)["value"], test.typed);

        type(test.field, test.typed);
        if (test.commitsWithReturn) {
            pressReturn(test.field);
        } else {
            click(test.commit);
        }
        EXPECT_NE(test.stored(delegate().settings), before);
        rebuild();
        const Address shown = test.commitsWithReturn ? test.commit : test.field;
        EXPECT_EQ(control(shown)["value"], test.committed) << "a committed field shows what is stored";
    }
}

TEST_F(PageViewStateTests, TheFocusedFieldKeepsTheFocusAcrossARebuild) {
    start({.tab = SettingsTab::presets});
    auto* field = dynamic_cast<appkit::TextField*>(harness->driver().find({.placeholder = "カスタム名"}));
    ASSERT_NE(field, nullptr);
    field->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), field);
    rebuild();
    auto* rebuilt = dynamic_cast<appkit::TextField*>(harness->driver().find({.placeholder = "カスタム名"}));
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_NE(rebuilt, field);
    EXPECT_EQ(QApplication::focusWidget(), rebuilt);
}

TEST_F(PageViewStateTests, TheFieldBeingEditedKeepsItsCursorAcrossARebuildAndTheOthersShowTheirStart) {
    start({.tab = SettingsTab::advanced});
    const Address edited{.action = "saveLaptopPresetName"};
    const Address waiting{.action = "saveCompactPresetName"};
    const auto field = [this](const Address& address) {
        auto* found = dynamic_cast<appkit::TextField*>(harness->driver().find(address, {appkit::ControlKind::field}));
        EXPECT_NE(found, nullptr);
        return found;
    };
    type(waiting, "持ち歩き用の小さなキーボード");
    type(edited, "旅行用のノート");
    field(edited)->setFocus(Qt::OtherFocusReason);
    field(edited)->setSelection(4, -2); // "用の" selected from its end: the cursor stands before it
    ASSERT_EQ(field(edited)->cursorPosition(), 2);

    rebuild();
    EXPECT_EQ(QApplication::focusWidget(), field(edited));
    EXPECT_EQ(field(edited)->text().toStdString(), "旅行用のノート");
    EXPECT_EQ(field(edited)->cursorPosition(), 2);
    EXPECT_EQ(field(edited)->selectedText().toStdString(), "用の");
    EXPECT_EQ(field(waiting)->text().toStdString(), "持ち歩き用の小さなキーボード");
    EXPECT_EQ(field(waiting)->cursorPosition(), 0);
}

} // namespace
} // namespace tessaril
