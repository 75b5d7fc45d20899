#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Platform/Foundation/HTMLReader.hpp"
#include "Platform/Foundation/RTFReader.hpp"
#include "Platform/Foundation/RTFWriter.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
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

std::string repeatedUpTo(std::string text, std::string_view piece, std::string_view tail) {
    while (text.size() + piece.size() + tail.size() <= inputSize) text += piece;
    return text + std::string(tail);
}

std::size_t occurrences(const std::string& text, const std::string& value) {
    std::size_t count = 0;
    for (std::size_t at = text.find(value); at != std::string::npos; at = text.find(value, at + value.size())) ++count;
    return count;
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
        const std::vector<std::pair<const char*, std::string>> outputs = {
            {"semantic HTML", normalizer::semanticHTMLBody(text)},
            {"markdown", normalizer::markdownText(text)},
            {"plain text", normalizer::plainText(text)},
            {"RTF", platform::RTFWriter::write(text)},
        };
        EXPECT_LE(meter.peakBytes(), memoryMultiple * form.input.size());
        for (const auto& [converter, output] : outputs) {
            EXPECT_LE(output.size(), outputMultiple * form.input.size()) << converter;
            // The value is written once (a link once for its whole span), or not at all.
            EXPECT_LE(occurrences(output, longValue), 1U) << converter;
        }
    }
}

} // namespace
} // namespace tessaril
