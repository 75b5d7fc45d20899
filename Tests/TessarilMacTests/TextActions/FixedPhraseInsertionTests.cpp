#include <gtest/gtest.h>

#include "Platform/Foundation/DataEncoding.hpp"
#include "TessarilMac/TextActions/FixedPhraseHTMLFrame.hpp"
#include "TessarilMac/TextActions/FixedPhrasePasteboardContent.hpp"
#include "TessarilMacTests/TextActions/TextActionsHarness.hpp"

using namespace tessaril;
using namespace tessaril::testing;
namespace types = platform::pasteboard_type;

namespace {

constexpr std::string_view storedRTF = "{\\rtf1\\ansi{\\fonttbl\\f0 Helvetica;}\\f0\\b Bold\\b0  text}";

FixedPhraseInsertion phrase(std::string plainText, FixedPhraseInputMode input, FixedPhrasePreviewMode preview,
                            FixedPhraseInsertionMode insertion = FixedPhraseInsertionMode::visual) {
    FixedPhraseInsertion result;
    result.plainText = std::move(plainText);
    result.inputMode = input;
    result.previewMode = preview;
    result.insertionMode = insertion;
    return result;
}

FixedPhraseInsertion rich(std::optional<std::string> rtfBase64) {
    auto result = phrase("Bold text", FixedPhraseInputMode::rich, FixedPhrasePreviewMode::raw);
    result.richTextRTFBase64 = std::move(rtfBase64);
    return result;
}

std::string base64(std::string_view bytes) {
    const auto data = platform::pasteboardData(bytes);
    return platform::data_encoding::base64Encoded(data);
}

std::vector<std::string> typesOf(const platform::PasteboardItem& item) {
    std::vector<std::string> result;
    for (const auto& entry : item.dataByType) result.push_back(entry.type);
    return result;
}

std::string dataOf(const platform::PasteboardItem& item, std::string_view type) {
    const auto* data = item.data(type);
    return data ? std::string(data->begin(), data->end()) : "(none)";
}

TEST(FixedPhrasePasteboardContent, WritesTheStringThenRTFThenHTMLAsEachModeHasThem) {
    auto html = phrase("fallback", FixedPhraseInputMode::plain, FixedPhrasePreviewMode::html);
    html.htmlText = "<p>Hello <b>world</b></p><script>alert(1)</script>";
    auto blankHTML = phrase("kept as typed", FixedPhraseInputMode::plain, FixedPhrasePreviewMode::html);
    blankHTML.htmlText = "<p> </p>";
    const std::vector<std::string> all{std::string(types::string), std::string(types::rtf), std::string(types::html)};
    const std::vector<std::string> stringAndRTF{std::string(types::string), std::string(types::rtf)};
    struct Case {
        const char* name;
        FixedPhraseInsertion insertion;
        std::vector<std::string> types;
        std::string string;
        std::string htmlPrefix;
    } cases[] = {
        {"plain raw", phrase("raw <b>", FixedPhraseInputMode::plain, FixedPhrasePreviewMode::raw), stringAndRTF, "raw <b>", "(none)"},
        {"plain markdown", phrase("**bold**", FixedPhraseInputMode::plain, FixedPhrasePreviewMode::markdown), all, "**bold**",
         std::string(fixedPhraseHTMLFrameHead()) + "<p><strong>bold</strong></p>"},
        {"plain html", html, all, "Hello world", "<p>Hello <b>world</b></p>"},
        // Nothing renders, so there is no RTF either.
        {"plain html rendering to blank", blankHTML, {std::string(types::string), std::string(types::html)}, "kept as typed",
         "<p> </p>"},
        {"rich", rich(base64(storedRTF)), all, "Bold text", std::string(fixedPhraseHTMLFrameHead()) + "<p>"},
        {"rich without RTF", rich(std::nullopt), {std::string(types::string)}, "Bold text", "(none)"},
        {"rich with invalid base64", rich("not base64"), {std::string(types::string)}, "Bold text", "(none)"},
        {"rich with bytes that are not RTF", rich(base64("plain bytes")), stringAndRTF, "Bold text", "(none)"},
    };
    for (const auto& test : cases) {
        const auto content = fixedPhrasePasteboardContent(test.insertion);
        EXPECT_EQ(typesOf(content), test.types) << test.name;
        EXPECT_EQ(dataOf(content, types::string), test.string) << test.name;
        EXPECT_TRUE(dataOf(content, types::html).starts_with(test.htmlPrefix)) << test.name << ": " << dataOf(content, types::html);
    }
    EXPECT_EQ(dataOf(fixedPhrasePasteboardContent(rich(base64(storedRTF))), types::rtf), storedRTF);
}

TEST_F(TextActionsFixture, AVisualPhraseIsPastedWithMarkersAndTheContentsComeBack) {
    const auto raw = phrase("phrase", FixedPhraseInputMode::plain, FixedPhrasePreviewMode::raw);
    actions->performFixedPhraseInsertion(raw);
    Items pasted{marked(fixedPhrasePasteboardContent(raw))};
    EXPECT_EQ(keystrokes(), (std::vector<Keystroke>{commandV()}));
    EXPECT_EQ(contents(), pasted);
    at(220);
    EXPECT_EQ(contents(), (Items{marked(styled("old"))}));

    recorded.failNextKeystroke();
    actions->performFixedPhraseInsertion(raw);
    EXPECT_EQ(contents(), (Items{marked(styled("old"))}));
    EXPECT_EQ(status(), "入力送信エラー: MacKeyboardActionDispatcherError");
}

TEST_F(TextActionsFixture, ATypedPhraseLeavesThePasteboardAloneAndAnEmptyOneOnlySetsTheStatus) {
    auto typedHTML = phrase("<p>Hi <b>there</b></p>", FixedPhraseInputMode::plain, FixedPhrasePreviewMode::html,
                            FixedPhraseInsertionMode::text);
    typedHTML.htmlText = "";
    actions->performFixedPhraseInsertion(typedHTML);
    actions->performFixedPhraseInsertion(phrase("", FixedPhraseInputMode::plain, FixedPhrasePreviewMode::raw,
                                                FixedPhraseInsertionMode::text));
    EXPECT_EQ(keystrokes(), (std::vector<Keystroke>{{Keystroke::Kind::insertText, "Hi there", 0, false},
                                                   {Keystroke::Kind::insertText, "", 0, true}}));
    EXPECT_EQ(status(), "入力送信エラー: MacKeyboardActionDispatcherError");
    EXPECT_EQ(contents(), (Items{styled("old")}));
    EXPECT_EQ(changeCount(), 5);
}

TEST_F(TextActionsFixture, RepeatedPhrasesAndAPasteAfterOneGiveTheUsersContentsBack) {
    const auto raw = phrase("phrase", FixedPhraseInputMode::plain, FixedPhrasePreviewMode::raw);
    actions->performFixedPhraseInsertion(raw);
    at(100);
    actions->performFixedPhraseInsertion(raw);
    at(200);
    actions->performPlainPaste();
    EXPECT_EQ(contents(), (Items{marked(plain("old"))}));
    at(1000);
    EXPECT_EQ(contents(), (Items{marked(styled("old"))}));
}

} // namespace
