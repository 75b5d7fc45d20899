#include <gtest/gtest.h>

#include <functional>

#include "TessarilMacTests/TextActions/TextActionsHarness.hpp"

using namespace tessaril;
using namespace tessaril::testing;

namespace {

constexpr const char* dispatchError = "入力送信エラー: MacKeyboardActionDispatcherError";
const platform::PasteboardItem png = item({{platform::pasteboard_type::png, "png"}});

TEST_F(TextActionsFixture, PlainPastePastesThePlainStringThenPutsTheStyledContentsBack) {
    actions->performPlainPaste();
    EXPECT_EQ(keystrokes(), (std::vector<Keystroke>{commandV()}));
    EXPECT_EQ(contents(), (Items{marked(plain("old"))}));
    EXPECT_EQ(changeCount(), 6);

    at(219);
    EXPECT_EQ(contents(), (Items{marked(plain("old"))}));
    at(220);
    EXPECT_EQ(contents(), (Items{marked(styled("old"))}));
    EXPECT_EQ(changeCount(), 7);
}

TEST_F(TextActionsFixture, PlainPasteWithoutAStringDoesNothingAtAll) {
    userCopies({png});
    actions->performPlainPaste();
    at(1000);
    EXPECT_TRUE(keystrokes().empty());
    EXPECT_EQ(contents(), (Items{png}));
    EXPECT_EQ(changeCount(), 6);
}

TEST_F(TextActionsFixture, APasteboardWrittenDuringTheRestoreWaitKeepsTheNewerContents) {
    actions->performPlainPaste();
    at(100);
    userCopies({plain("new")});
    at(1000);
    EXPECT_EQ(contents(), (Items{plain("new")}));
}

TEST_F(TextActionsFixture, AFailedPasteRestoresAtOnceAndOnlySetsTheStatus) {
    recorded.failNextKeystroke();
    actions->performPlainPaste();
    EXPECT_EQ(keystrokes(), (std::vector<Keystroke>{commandV(true)}));
    EXPECT_EQ(contents(), (Items{marked(styled("old"))}));
    EXPECT_EQ(status(), dispatchError);
    const auto count = changeCount();
    at(1000);
    EXPECT_EQ(changeCount(), count);
}

TEST_F(TextActionsFixture, PlainCopyKeepsOnlyThePlainStringOfTheSelection) {
    struct Case {
        const char* name;
        std::optional<Items> selection;
        bool copyFails;
        Items expected;
        std::optional<std::string> expectedStatus;
    } cases[] = {
        {"nothing selected", std::nullopt, false, {styled("old")}, std::nullopt},
        {"styled selection", Items{styled("sel")}, false, {plain("sel")}, "プレーンコピー"},
        {"selection without text", Items{png}, false, {marked(styled("old"))}, std::nullopt},
        {"failed ⌘C", Items{styled("sel")}, true, {styled("old")}, dispatchError},
    };
    for (const auto& test : cases) {
        TextActionsRig run;
        if (test.selection) run.select(*test.selection);
        if (test.copyFails) run.recorded.failNextKeystroke();
        run.actions->performPlainCopy();
        run.at(140);
        EXPECT_EQ(run.keystrokes(), (std::vector<Keystroke>{commandC(test.copyFails)})) << test.name;
        EXPECT_EQ(run.contents(), test.expected) << test.name;
        EXPECT_EQ(run.status(), test.expectedStatus) << test.name;
    }
}

TEST_F(TextActionsFixture, PairWrapsTheSelectionOrTypesThePairAroundTheCaret) {
    struct Case {
        const char* name;
        std::optional<Items> selection;
        std::string opening, closing;
        std::vector<Keystroke> expectedKeystrokes;
        Items whilePasting;  // at 140 ms, right after the copy was read
        Items finally;
    } cases[] = {
        {"both halves empty", Items{styled("sel")}, "", "", {}, {styled("old")}, {styled("old")}},
        {"wrap", Items{styled("sel")}, "「", "」", {commandC(), commandV()}, {marked(plain("「sel」"))}, {marked(styled("old"))}},
        {"wrap with an empty opening", Items{styled("sel")}, "", "」", {commandC(), commandV()}, {marked(plain("sel」"))},
         {marked(styled("old"))}},
        {"nothing selected", std::nullopt, "「", "」", {commandC(), typed("「」", 1)}, {styled("old")}, {styled("old")}},
        {"empty closing", std::nullopt, "（", "", {commandC(), typed("（", 0)}, {styled("old")}, {styled("old")}},
        {"a closing of one character from three scalars", std::nullopt, "(", "e\u0301\u0301", {commandC(), typed("(e\u0301\u0301", 1)},
         {styled("old")}, {styled("old")}},
        {"selection copied as an empty string", Items{plain("")}, "「", "」", {commandC(), typed("「」", 1)},
         {marked(styled("old"))}, {marked(styled("old"))}},
        {"selection without text", Items{png}, "「", "」", {commandC(), typed("「」", 1)}, {marked(styled("old"))},
         {marked(styled("old"))}},
    };
    for (const auto& test : cases) {
        TextActionsRig run;
        if (test.selection) run.select(*test.selection);
        run.actions->performTextPairInsertion(test.opening, test.closing);
        run.at(140);
        EXPECT_EQ(run.contents(), test.whilePasting) << test.name;
        run.at(1000);
        EXPECT_EQ(run.keystrokes(), test.expectedKeystrokes) << test.name;
        EXPECT_EQ(run.contents(), test.finally) << test.name;
        EXPECT_EQ(run.status(), std::nullopt) << test.name;
    }
}

TEST_F(TextActionsFixture, PairFailuresAreRecordedAndTheContentsComeBackAtOnce) {
    select({styled("sel")});
    actions->performTextPairInsertion("「", "」");
    at(139);
    recorded.failNextKeystroke();
    at(140);
    EXPECT_EQ(keystrokes(), (std::vector<Keystroke>{commandC(), commandV(true)}));
    EXPECT_EQ(contents(), (Items{marked(styled("old"))}));
    EXPECT_EQ(status(), dispatchError);

    TextActionsRig typing;
    typing.actions->performTextPairInsertion("「", "」");
    typing.recorded.failNextKeystroke();
    typing.at(140);
    EXPECT_EQ(typing.keystrokes(), (std::vector<Keystroke>{commandC(), typed("「」", 1, true)}));
    EXPECT_EQ(typing.status(), dispatchError);
}

TextToolSettings copyingCountResult(bool copies) {
    TextToolSettings settings;
    settings.copiesCharacterCountResult = copies;
    return settings;
}

TEST(CharacterCount, CountsTheSelectionShowsThePanelAndCopiesTheResultWhenAsked) {
    const CharacterCountHUDContent none{false, {292, 76}, {}};
    const CharacterCountHUDContent counted{true, {292, 154}, {{"文字数", "4"}, {"空白除く", "2"}, {"行数", "3"}, {"半角換算", "4"}}};
    struct Case {
        const char* name;
        std::optional<Items> selection;
        bool copies;
        CharacterCountHUDContent panel;
        Items finally;
    } cases[] = {
        {"nothing selected", std::nullopt, false, none, {styled("old")}},
        {"nothing selected, copying on", std::nullopt, true, none, {styled("old")}},
        {"selection", Items{styled("a\nb\n")}, false, counted, {marked(styled("old"))}},
        {"selection, copying on", Items{styled("a\nb\n")}, true, counted, {plain("文字数\t4\n空白除く\t2\n行数\t3\n半角換算\t4")}},
        {"selection without text, copying on", Items{png}, true, none, {marked(styled("old"))}},
        {"empty string, copying on", Items{plain("")}, true, none, {marked(styled("old"))}},
    };
    for (const auto& test : cases) {
        TextActionsRig run(copyingCountResult(test.copies));
        if (test.selection) run.select(*test.selection);
        run.actions->performCharacterCountCheck();
        run.at(139);
        EXPECT_EQ(run.host.panel(), std::nullopt) << test.name;
        run.at(140);
        EXPECT_EQ(run.host.panel(), test.panel) << test.name;
        EXPECT_EQ(run.contents(), test.finally) << test.name;
    }
}

TEST_F(TextActionsFixture, ASecondCountReplacesThePanelAndAFailedCopyShowsNone) {
    using Host = TextActionHostRecorder;
    actions->performCharacterCountCheck();
    at(200);
    select({plain("ab")});
    actions->performCharacterCountCheck();
    at(400);
    ASSERT_EQ(host.events().size(), 3u);
    EXPECT_TRUE(std::holds_alternative<Host::PanelShown>(host.events()[0]));
    EXPECT_EQ(host.events()[1], Host::Event(Host::PanelHidden{}));
    EXPECT_EQ(host.panel()->rows.front(), (std::pair<std::string, std::string>{"文字数", "2"}));

    TextActionsRig failing;
    failing.recorded.failNextKeystroke();
    failing.actions->performCharacterCountCheck();
    failing.at(1000);
    EXPECT_EQ(failing.host.events(), (std::vector<Host::Event>{Host::StatusChanged{dispatchError}}));
}

// Two actions in quick succession: the user's contents must be what the pasteboard holds in the end.
TEST(OverlappingTextActions, RapidRepeatsNeverLoseTheUsersContents) {
    using Action = std::function<void(PasteboardTextActions&)>;
    const Action paste = [](PasteboardTextActions& actions) { actions.performPlainPaste(); };
    const Action pair = [](PasteboardTextActions& actions) { actions.performTextPairInsertion("「", "」"); };
    const Action count = [](PasteboardTextActions& actions) { actions.performCharacterCountCheck(); };
    const Action copy = [](PasteboardTextActions& actions) { actions.performPlainCopy(); };
    struct Case {
        const char* name;
        std::optional<Items> selection;
        Action first, second;
        std::uint64_t secondAt;
        Items finally;
    } cases[] = {
        {"paste, paste", std::nullopt, paste, paste, 100, {marked(styled("old"))}},
        {"wrap, wrap", Items{styled("sel")}, pair, pair, 50, {marked(styled("old"))}},
        {"wrap, wrap after the first paste", Items{styled("sel")}, pair, pair, 200, {marked(styled("old"))}},
        {"pair, pair", std::nullopt, pair, pair, 50, {styled("old")}},
        {"count, count", Items{styled("sel")}, count, count, 50, {marked(styled("old"))}},
        {"wrap, count", Items{styled("sel")}, pair, count, 200, {marked(styled("old"))}},
        {"paste, copy of nothing", std::nullopt, paste, copy, 100, {marked(styled("old"))}},
        // A plain copy makes the selection the user's contents.
        {"copy, copy", Items{styled("sel")}, copy, copy, 50, {plain("sel")}},
    };
    for (const auto& test : cases) {
        TextActionsRig run;
        if (test.selection) run.select(*test.selection);
        test.first(*run.actions);
        run.at(test.secondAt);
        test.second(*run.actions);
        run.at(2000);
        EXPECT_EQ(run.contents(), test.finally) << test.name;
    }
}

TEST_F(TextActionsFixture, APasteAfterAnotherActionsWritePastesTheUsersString) {
    select({styled("sel")});
    actions->performTextPairInsertion("「", "」");
    actions->performPlainPaste();  // waits for the wrap's copy, then takes over its pending restore
    at(140);
    EXPECT_EQ(keystrokes(), (std::vector<Keystroke>{commandC(), commandV(), commandV()}));
    EXPECT_EQ(contents(), (Items{marked(plain("old"))}));
    at(359);
    EXPECT_EQ(contents(), (Items{marked(plain("old"))}));
    at(360);
    EXPECT_EQ(contents(), (Items{marked(styled("old"))}));
}

TEST_F(TextActionsFixture, GoneActionsStillPutThePasteboardBackButRunNoHandler) {
    actions->performPlainPaste();
    actions.reset();
    at(220);
    EXPECT_EQ(contents(), (Items{marked(styled("old"))}));

    TextActionsRig copying;
    copying.select({styled("sel")});
    copying.actions->performPlainCopy();
    copying.actions.reset();
    copying.at(1000);
    EXPECT_EQ(copying.status(), std::nullopt);
    EXPECT_EQ(copying.contents(), (Items{styled("sel")}));
}

} // namespace
