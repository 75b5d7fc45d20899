#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Platform/Foundation/HTMLReader.hpp"
#include "Platform/Foundation/RTFReader.hpp"
#include "Platform/Foundation/RTFWriter.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
#include "TessarilMac/TextActions/FixedPhraseAttributedStrings.hpp"
#include "TessarilMacTests/RichText/AllocationMeter.hpp"

namespace tessaril {
namespace {

namespace normalizer = FixedPhraseAttributedTextNormalizer;
using rich_text_test::AllocationMeter;

// A long attribute value followed by many formatting changes: each run once carried its own copy of
// the value, so memory and output grew with the value's length times the number of runs.
constexpr std::size_t inputSize = 100'000;
const std::string longValue(50'000, 'v');
// Bounds as multiples of the input's size, far below what a copy per run costs (about 10,000 times).
constexpr std::size_t memoryMultiple = 200;
constexpr std::size_t outputMultiple = 8;

// The same for the shapes that repeat a piece: memory, everything allocated on the way (work that
// copies a long value again and again shows here), and output, as multiples of the input. A copy
// per paragraph or per run costs several times these.
constexpr std::size_t linearMemoryMultiple = 250;
constexpr std::size_t linearWorkMultiple = 1000;
constexpr std::size_t linearOutputMultiple = 20;

std::string repeatedUpTo(std::string text, std::string_view piece, std::string_view tail) {
    while (text.size() + piece.size() + tail.size() <= inputSize) text += piece;
    return text + std::string(tail);
}

std::size_t occurrences(const std::string& text, const std::string& value) {
    std::size_t count = 0;
    for (std::size_t at = text.find(value); at != std::string::npos; at = text.find(value, at + value.size())) ++count;
    return count;
}

// The text in every form a saved or inserted phrase takes, RTF last.
std::vector<std::pair<const char*, std::string>> everyForm(const platform::AttributedText& text) {
    return {
        {"semantic HTML", normalizer::semanticHTMLBody(text)},
        {"markdown", normalizer::markdownText(text)},
        {"plain text", normalizer::plainText(text)},
        {"RTF", platform::RTFWriter::write(text)},
    };
}

TEST(RichTextBounds, LongAttributesOverManyRunsCostLinearMemoryAndOutput) {
    struct Form {
        const char* name;
        bool rtf;
        std::string input;
    };
    const std::vector<Form> forms = {
        {"RTF font name", true, repeatedUpTo("{\\rtf1{\\fonttbl{\\f0 " + longValue + ";}}\\f0 ", "\\b x\\b0 x", "}")},
        {"RTF hyperlink field", true,
         repeatedUpTo("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"https://example.com/" + longValue + "\"}{\\fldrslt ",
                      "\\b x\\b0 x", "}}}")},
        {"HTML link", false, repeatedUpTo("<a href=\"https://example.com/" + longValue + "\">", "<b>x</b>x", "</a>")},
        {"HTML font family", false,
         repeatedUpTo("<span style=\"font-family: " + longValue + "\">", "<b>x</b>x", "</span>")},
    };
    for (const Form& form : forms) {
        SCOPED_TRACE(form.name);
        const std::size_t letters = static_cast<std::size_t>(std::count(form.input.begin(), form.input.end(), 'x'));
        AllocationMeter meter(memoryMultiple * form.input.size());
        const platform::AttributedText text =
            form.rtf ? platform::RTFReader::read(form.input) : platform::HTMLReader::read(form.input);
        EXPECT_GE(text.runs().size(), letters / 2);
        const std::vector<std::pair<const char*, std::string>> outputs = everyForm(text);
        EXPECT_LE(meter.peakBytes(), memoryMultiple * form.input.size());
        for (const auto& [converter, output] : outputs) {
            EXPECT_LE(output.size(), outputMultiple * form.input.size()) << converter;
            // The value is written once (a link once for its whole span), or not at all.
            EXPECT_LE(occurrences(output, longValue), 1U) << converter;
        }
    }
}

// Shapes whose cost once grew faster than the input: a link over many paragraphs (written again in
// each), a field with many results (its instruction read again for each), tab stops set once over
// many paragraphs (restated in each), a paragraph style over many runs (copied into each).
TEST(RichTextBounds, RepeatedShapesStayWithinFixedMultiplesOfTheirInput) {
    const std::string target = "https://example.com/" + std::string(20'000, 't');
    std::string tabStops;
    for (int stop = 1; stop <= 64; ++stop) tabStops += "\\tx" + std::to_string(stop * 100);
    struct Shape {
        const char* name;
        bool rtf;
        std::string input;
    };
    const std::vector<Shape> shapes = {
        {"HTML link over many lines", false, repeatedUpTo("<a href=\"" + target + "\">", "x<br>", "</a>")},
        {"RTF link field over many paragraphs", true,
         repeatedUpTo("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"" + target + "\"}{\\fldrslt ", "x\\par ", "}}}")},
        {"RTF field with many results", true,
         repeatedUpTo("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"" + target + "\"}", "{\\fldrslt x}", "}}")},
        // Text between the results, or links inside the link, once split it into as many spans.
        {"RTF field with text between its results", true,
         repeatedUpTo("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"" + target + "\"}", "{\\fldrslt x}y", "}}")},
        {"HTML links inside a link", false, repeatedUpTo("<a href=\"" + target + "\">", "x<a href=\"b\">z</a>", "</a>")},
        {"RTF tab stops over many paragraphs", true, repeatedUpTo("{\\rtf1\\pard" + tabStops + " ", "x\\par\n", "}")},
        {"RTF underline runs in a paragraph with tab stops", true,
         repeatedUpTo("{\\rtf1\\pard" + tabStops + " ", "\\ul x\\ul0 x", "}")},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        AllocationMeter meter(linearMemoryMultiple * shape.input.size());
        const platform::AttributedText text =
            shape.rtf ? platform::RTFReader::read(shape.input) : platform::HTMLReader::read(shape.input);
        const std::vector<std::pair<const char*, std::string>> outputs = everyForm(text);
        EXPECT_LE(meter.peakBytes(), linearMemoryMultiple * shape.input.size());
        EXPECT_LE(meter.totalBytes(), linearWorkMultiple * shape.input.size());
        for (const auto& [converter, output] : outputs) {
            EXPECT_LE(output.size(), linearOutputMultiple * shape.input.size()) << converter;
        }
        EXPECT_EQ(platform::RTFReader::read(outputs.back().second), text);
    }
}

// Display-safe conversion and the removal of unsafe links change many paragraphs or runs at once.
TEST(RichTextBounds, ChangingManyParagraphsKeepsEveryRunAndStaysLinear) {
    // Small paragraphs in two colours by turns (which join once their colour is gone), and others.
    const std::string piece = "{\\cf1\\fs20 x\\par}{\\cf2\\fs20 x\\par}{\\cf1 y\\par}{\\cf2 y\\par}";
    const std::string coloured =
        repeatedUpTo("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}", piece, "}");
    const std::string unsafeLinks = repeatedUpTo("", "<a href=\"javascript:x\">x</a><a href=\"https://e.test\">y</a>", "");
    AllocationMeter meter(linearMemoryMultiple * inputSize);
    const platform::AttributedText read = platform::RTFReader::read(coloured);
    const platform::AttributedText safe = fixedPhraseDisplaySafeAttributedString(read);
    const auto linked = fixedPhraseAttributedString(unsafeLinks, false);
    EXPECT_LE(meter.peakBytes(), linearMemoryMultiple * inputSize);
    ASSERT_EQ(safe.string(), read.string());
    // The paragraphs in a small font lose their colour, the others keep it.
    ASSERT_EQ(safe.runs().size(), 3 * occurrences(coloured, piece));
    for (const auto& run : safe.runs()) {
        const bool small = safe.string()[run.range.location] == u'x';
        EXPECT_EQ(run.range.length, small ? 4U : 2U) << run.range.location;
        EXPECT_EQ(run.attributes.foregroundColor.has_value(), !small) << run.range.location;
    }
    ASSERT_TRUE(linked);
    std::size_t links = 0;
    for (const auto& run : linked->runs()) {
        if (!run.attributes.link) continue;
        ++links;
        EXPECT_EQ(run.attributes.link->str(), "https://e.test");
        EXPECT_EQ(linked->string().substr(run.range.location, run.range.length), u"y");
    }
    EXPECT_EQ(links, static_cast<std::size_t>(std::count(linked->string().begin(), linked->string().end(), u'y')));
}

} // namespace
} // namespace tessaril
