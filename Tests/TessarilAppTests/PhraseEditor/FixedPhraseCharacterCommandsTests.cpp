#include <gtest/gtest.h>

#include <functional>

#include "TessarilApp/AppKit/Automation/ScriptedAlertPresenter.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseCharacterCommands.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseRichStyle.hpp"
#include "TessarilAppTests/PhraseEditor/RichTextSamples.hpp"
#include "TessarilAppTests/PhraseEditor/ScriptedLinkPrompt.hpp"

namespace tessaril {
namespace {

using platform::AttributedText;
using platform::Color;
using platform::Font;
using platform::FontWeight;
using platform::TextAttributes;
using platform::TextRange;
using testing::bold14;
using testing::richText;
using testing::system14;
using testing::viewState;
using testing::withFont;
using testing::withParagraph;

struct CommandCase {
    const char* name;
    AttributedText text;
    std::vector<TextRange> selection;
    AttributedText expected;
};

void expectCommand(const std::vector<CommandCase>& cases, const std::function<void(FixedPhraseTextViewState&)>& command) {
    for (const auto& [name, text, selection, expected] : cases) {
        FixedPhraseTextViewState state = viewState(text, selection);
        state.preservedWholePasteRTFData = std::vector<std::uint8_t>{'{', '}'};
        command(state);
        EXPECT_EQ(state.text, expected) << name;
        EXPECT_EQ(state.selectedRanges, selection) << name;
        EXPECT_FALSE(state.preservedWholePasteRTFData) << name;
    }
}

TextAttributes underlined(TextAttributes attributes, int style = 1) {
    attributes.underlineStyle = style;
    return attributes;
}

TEST(FixedPhraseCharacterCommands, BoldIsAddedUnlessTheWholeSelectionIsBoldThenTakenAway) {
    const Font semibold18 = Font::system(18, FontWeight::semibold);
    const Font italic20 = Font{std::string(Font::systemFamily), 20, FontWeight::regular, true, false};
    const TextAttributes listed = withParagraph(system14(), testing::listParagraph(platform::TextList::disc));
    const TextAttributes listedBold = withParagraph(bold14(), testing::listParagraph(platform::TextList::disc));
    expectCommand(
        {
            {"partly bold within a run", richText({{u"plain", system14()}, {u"BOLD", bold14()}}), {{3, 4}},
             richText({{u"pla", system14()}, {u"inBOLD", bold14()}})},
            {"fully bold loses bold", richText({{u"pla", system14()}, {u"inBOLD", bold14()}}), {{3, 4}},
             richText({{u"plainBO", system14()}, {u"LD", bold14()}})},
            {"runs without a font count as the system font", AttributedText(u"xy"), {{0, 2}},
             richText({{u"xy", bold14()}})},
            {"across runs and paragraphs keeps sizes and slant",
             richText({{u"ab\n", bold14()}, {u"cd", withFont(italic20)}}), {{1, 3}},
             richText({{u"ab\n", bold14()},
                       {u"c", withFont(Font{std::string(Font::systemFamily), 20, FontWeight::bold, true, false})},
                       {u"d", withFont(italic20)}})},
            {"semibold counts as bold", richText({{u"見出し", withFont(semibold18)}}), {{0, 3}},
             richText({{u"見出し", withFont(Font::system(18))}})},
            {"across list items", richText({{u"one\n", listed}, {u"two", listed}}), {{2, 4}},
             richText({{u"on", listed}, {u"e\ntw", listedBold}, {u"o", listed}})},
            {"disjoint ranges, one not bold", richText({{u"aa ", bold14()}, {u"bb cc", system14()}}), {{0, 2}, {3, 2}},
             richText({{u"aa bb", bold14()}, {u" cc", system14()}})},
            {"disjoint ranges, all bold", richText({{u"aa", bold14()}, {u" bb ", system14()}, {u"cc", bold14()}}),
             {{0, 2}, {6, 2}}, richText({{u"aa bb cc", system14()}})},
        },
        [](FixedPhraseTextViewState& state) { applyFixedPhraseFontTrait(FixedPhraseFontTrait::bold, state); });
}

TEST(FixedPhraseCharacterCommands, DecorationsToggleOverTheWholeSelection) {
    expectCommand(
        {
            {"half underlined", richText({{u"ab", underlined(system14())}, {u"cd", system14()}}), {{0, 4}},
             richText({{u"abcd", underlined(system14())}})},
            {"fully underlined, in any line style", richText({{u"ab", underlined(system14(), 0x201)}, {u"cd", underlined(system14())}}),
             {{0, 4}}, richText({{u"abcd", system14()}})},
            {"an underline of style 0 is no underline", richText({{u"ab", underlined(system14(), 0)}}), {{0, 2}},
             richText({{u"ab", underlined(system14())}})},
        },
        [](FixedPhraseTextViewState& state) { applyFixedPhraseDecoration(FixedPhraseDecoration::underline, state); });

    TextAttributes struck = system14();
    struck.strikethroughStyle = 1;
    const TextAttributes item = withParagraph(system14(), testing::listParagraph(platform::TextList::decimal));
    TextAttributes struckItem = item;
    struckItem.strikethroughStyle = 1;
    expectCommand({{"across paragraphs", richText({{u"a\nb", system14()}}), {{0, 3}}, richText({{u"a\nb", struck}})},
                   {"across list items", richText({{u"one\ntwo", item}}), {{1, 5}},
                    richText({{u"o", item}, {u"ne\ntw", struckItem}, {u"o", item}})}},
                  [](FixedPhraseTextViewState& state) {
                      applyFixedPhraseDecoration(FixedPhraseDecoration::strikethrough, state);
                  });
}

// With a caret, only what is typed next changes.
TEST(FixedPhraseCharacterCommands, ACaretChangesOnlyTheTypingAttributes) {
    const AttributedText text = richText({{u"abc", system14()}});
    FixedPhraseTextViewState state = viewState(text, {{1, 0}});
    applyFixedPhraseFontTrait(FixedPhraseFontTrait::bold, state);
    EXPECT_EQ(state.text, text);
    EXPECT_EQ(state.typingAttributes, bold14()) << "without a typing font, the view's 14-point font is made bold";
    applyFixedPhraseDecoration(FixedPhraseDecoration::underline, state);
    applyFixedPhraseFontTrait(FixedPhraseFontTrait::bold, state);
    EXPECT_EQ(state.typingAttributes, underlined(system14()));
    applyFixedPhraseColor(FixedPhraseColorTarget::background, Color{1, 0, 0, 0.5}, state);
    EXPECT_EQ(state.typingAttributes.backgroundColor, (Color{1, 0, 0, 0.5}));
    EXPECT_EQ(state.text, text);
}

TEST(FixedPhraseCharacterCommands, SizesFamiliesAndColoursChangeEveryRunOfTheSelection) {
    const Font bold12 = Font::system(12, FontWeight::bold);
    const AttributedText text = richText({{u"ab", withFont(bold12)}, {u"cd", {}}});
    expectCommand({{"size", text, {{1, 2}},
                    richText({{u"a", withFont(bold12)}, {u"b", withFont(Font::system(18, FontWeight::bold))},
                              {u"c", withFont(Font::system(18))}, {u"d", {}}})}},
                  [](FixedPhraseTextViewState& state) { applyFixedPhraseFontSize(18, state); });

    auto nothingInstalled = [](std::string_view) { return false; };
    auto onlyTimes = [](std::string_view family) { return family == "Times New Roman"; };
    expectCommand({{"serif without either serif font falls back to the system font, keeping bold", text, {{0, 4}},
                    richText({{u"ab", withFont(bold12)}, {u"cd", system14()}})}},
                  [&](FixedPhraseTextViewState& state) { applyFixedPhraseFontFamily("serif", state, nothingInstalled); });
    expectCommand({{"serif takes the next installed serif font", text, {{0, 2}},
                    richText({{u"ab", withFont(Font{"Times New Roman", 12, FontWeight::bold})}, {u"cd", {}}})}},
                  [&](FixedPhraseTextViewState& state) { applyFixedPhraseFontFamily("serif", state, onlyTimes); });
    expectCommand({{"mono keeps weight and size", text, {{0, 3}},
                    richText({{u"ab", withFont(Font::monospacedSystem(12, FontWeight::bold))},
                              {u"c", withFont(Font::monospacedSystem(14))}, {u"d", {}}})}},
                  [&](FixedPhraseTextViewState& state) { applyFixedPhraseFontFamily("mono", state, nothingInstalled); });

    TextAttributes red = withFont(bold12);
    red.foregroundColor = Color{1, 0, 0, 1};
    TextAttributes plainRed;
    plainRed.foregroundColor = Color{1, 0, 0, 1};
    expectCommand({{"text colour", text, {{1, 2}}, richText({{u"a", withFont(bold12)}, {u"b", red}, {u"c", plainRed}, {u"d", {}}})}},
                  [](FixedPhraseTextViewState& state) {
                      applyFixedPhraseColor(FixedPhraseColorTarget::foreground, Color{1, 0, 0, 1}, state);
                  });
}

// A formatting change makes the text differ from the pasted document although no character changed.
TEST(FixedPhraseCharacterCommands, EveryStyleButtonDropsThePreservedPastedRTF) {
    appkit::ScriptedAlertPresenter alerts;
    testing::ScriptedLinkPrompt prompt("https://example.com");
    for (const char* style : {"bold", "italic", "underline", "strikethrough", "link", "bullet", "numbered", "alignLeft",
                              "alignCenter", "alignRight", "clear"}) {
        FixedPhraseTextViewState state = viewState(richText({{u"ab\ncd", system14()}}), {{1, 3}});
        state.preservedWholePasteRTFData = std::vector<std::uint8_t>{'{', '}'};
        EXPECT_TRUE(applyFixedPhraseRichStyle(style, state, alerts, prompt)) << style;
        EXPECT_FALSE(state.preservedWholePasteRTFData) << style;
    }
    FixedPhraseTextViewState state = viewState(richText({{u"ab", system14()}}), {{0, 2}});
    state.preservedWholePasteRTFData = std::vector<std::uint8_t>{'{', '}'};
    EXPECT_FALSE(applyFixedPhraseRichStyle("boldface", state, alerts, prompt));
    EXPECT_TRUE(state.preservedWholePasteRTFData);
    EXPECT_TRUE(alerts.presented().empty());
}

} // namespace
} // namespace tessaril
