#include <gtest/gtest.h>

#include "TessarilApp/AppKit/Automation/ScriptedAlertPresenter.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseLinkCommands.hpp"
#include "TessarilAppTests/PhraseEditor/RichTextSamples.hpp"
#include "TessarilAppTests/PhraseEditor/ScriptedLinkPrompt.hpp"

namespace tessaril {
namespace {

using platform::AttributedText;
using platform::Color;
using platform::TextAttributes;
using testing::richText;
using testing::system14;
using testing::viewState;

TextAttributes linkLook(TextAttributes attributes, std::string link) {
    attributes.link = std::move(link);
    attributes.foregroundColor = Color{0, 122.0 / 255.0, 1, 1};
    attributes.underlineStyle = 1;
    return attributes;
}

TEST(FixedPhraseLinkCommands, ASelectionBecomesABlueUnderlinedLinkToTheTrimmedAddress) {
    appkit::ScriptedAlertPresenter alerts;
    testing::ScriptedLinkPrompt prompt(" \thttps://example.com/a b\n ");
    FixedPhraseTextViewState state = viewState(richText({{u"see docs", system14()}}), {{4, 4}});
    state.preservedWholePasteRTFData = std::vector<std::uint8_t>{'{', '}'};

    EXPECT_TRUE(applyFixedPhraseLink(state, alerts, prompt));

    EXPECT_EQ(state.text, richText({{u"see ", system14()}, {u"docs", linkLook(system14(), "https://example.com/a b")}}));
    EXPECT_EQ(prompt.initialTexts, std::vector<std::string>{""});
    EXPECT_FALSE(state.preservedWholePasteRTFData);
    EXPECT_TRUE(alerts.presented().empty());
}

TEST(FixedPhraseLinkCommands, NothingChangesWithoutASelectionOrAnAddress) {
    const AttributedText text = richText({{u"see docs", system14()}});
    struct Case {
        const char* name;
        platform::TextRange selection;
        std::optional<std::string> answer;
        std::size_t prompts;
        std::size_t alerts;
    };
    for (const auto& [name, selection, answer, prompts, alertCount] : std::vector<Case>{
             {"empty selection", {2, 0}, "https://example.com", 0, 1},
             {"caret at the end", {8, 0}, "https://example.com", 0, 1},
             {"cancelled", {0, 3}, std::nullopt, 1, 0},
             {"only white space", {0, 3}, " \n\u3000", 1, 0},
         }) {
        appkit::ScriptedAlertPresenter alerts;
        testing::ScriptedLinkPrompt prompt(answer);
        FixedPhraseTextViewState state = viewState(text, {selection});
        state.preservedWholePasteRTFData = std::vector<std::uint8_t>{'{', '}'};
        EXPECT_FALSE(applyFixedPhraseLink(state, alerts, prompt)) << name;
        EXPECT_EQ(state.text, text) << name;
        EXPECT_TRUE(state.preservedWholePasteRTFData) << name;
        EXPECT_EQ(prompt.initialTexts.size(), prompts) << name;
        ASSERT_EQ(alerts.presented().size(), alertCount) << name;
        if (alertCount == 1) {
            EXPECT_EQ(alerts.presented()[0].alert.messageText, "リンクを設定できません");
            EXPECT_EQ(alerts.presented()[0].alert.informativeText, "リンクにしたい文字を選択してください。");
            EXPECT_EQ(alerts.presented()[0].alert.buttons, std::vector<std::string>{"OK"});
        }
    }
}

// A second press on linked text takes the link away with its colour and underline, without asking.
TEST(FixedPhraseLinkCommands, PressingOnALinkRemovesIt) {
    TextAttributes boldLink = linkLook(testing::bold14(), "https://a.test");
    const AttributedText linked = richText(
        {{u"go ", system14()}, {u"here", linkLook(system14(), "https://a.test")}, {u"now", boldLink}, {u"!", system14()}});
    struct Case {
        const char* name;
        platform::TextRange selection;
        AttributedText expected;
    };
    for (const auto& [name, selection, expected] : std::vector<Case>{
             {"a selection inside the link unlinks what it covers", {4, 2},
              richText({{u"go ", system14()}, {u"h", linkLook(system14(), "https://a.test")}, {u"er", system14()},
                        {u"e", linkLook(system14(), "https://a.test")}, {u"now", boldLink}, {u"!", system14()}})},
             {"a caret in the link unlinks all of it, over its differently formatted words", {5, 0},
              richText({{u"go here", system14()}, {u"now", testing::bold14()}, {u"!", system14()}})},
         }) {
        appkit::ScriptedAlertPresenter alerts;
        testing::ScriptedLinkPrompt prompt("https://other.test");
        FixedPhraseTextViewState state = viewState(linked, {selection});
        state.preservedWholePasteRTFData = std::vector<std::uint8_t>{'{', '}'};
        EXPECT_TRUE(applyFixedPhraseLink(state, alerts, prompt)) << name;
        EXPECT_EQ(state.text, expected) << name;
        EXPECT_TRUE(prompt.initialTexts.empty()) << name;
        EXPECT_FALSE(state.preservedWholePasteRTFData) << name;
    }
}

} // namespace
} // namespace tessaril
