// The fixed-phrase converters run on text a user typed or pasted, of any size and shape. These
// benchmarks measure each on realistic documents and on inputs built to make a naive scanner rescan
// (unclosed brackets, unclosed tags, closing-tag candidates that never end), at 10 KB, 100 KB and
// 1 MB: throughput shows in bytes per second, and a tenfold input must cost about tenfold time.
#include <benchmark/benchmark.h>

#include <functional>
#include <string>

#include "Platform/Foundation/AttributedText.hpp"
#include "TessarilCore/Support/Unicode.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
#include "TessarilMac/RichText/FixedPhraseHTMLSanitizer.hpp"
#include "TessarilMac/RichText/FixedPhraseMarkdownHTML.hpp"

namespace tessaril {
namespace {

namespace normalizer = FixedPhraseAttributedTextNormalizer;
using platform::AttributedText;
using platform::Font;
using platform::TextAttributes;

std::string repeatedTo(std::size_t size, const std::string& unit) {
    std::string text;
    text.reserve(size + unit.size());
    while (text.size() < size)
        text += unit;
    text.resize(size);
    return text;
}

std::string prefixedRepeat(std::size_t size, const std::string& prefix, const std::string& unit) {
    return prefix + repeatedTo(size - prefix.size(), unit);
}

const std::string htmlUnit =
    "<div class=\"note\" style=\"color: red\"><h2 id=\"t\">お知らせ Title</h2>\n"
    "<p>Dear <b>customer</b>, thank you for your order &amp; your <a href=\"https://example.com/x?a=1&b=2\" "
    "target=\"_blank\">message</a>. 来週の<em>月曜日</em>にお届けします。</p>\n"
    "<!-- tracking --><img src=\"logo.png\" alt=\"Logo & Co\"><script>track('<b>');</script>\n"
    "<ul><li>One</li><li>Two <span "
    "data-x='1'>items</span></li></ul><br/><table><tr><td>1</td></tr></table></div>\n";

const std::string markdownUnit =
    "# 見出し Heading\n"
    "Some **bold** text, some *emphasis*, `inline code` and a [link](https://example.com/page).\n"
    "> A quoted line with *style*\n"
    "- first item\n- second item with **strong**\n1. numbered\n2. numbered again\n"
    "```\nlet value = \"<raw>\" * 2\n```\n"
    "\n"
    "日本語の段落です。句読点、括弧（かっこ）と記号 & < > \" を含みます。\n";

// A phrase as the editor holds it: headings, body runs with emphasis and links, lists, code, quotes.
AttributedText richDocument(std::size_t size) {
    TextAttributes body;
    body.font = Font::system(14);
    TextAttributes bold = body;
    bold.font = Font::system(14, platform::FontWeight::bold);
    TextAttributes link = body;
    link.link = "https://example.com/a?b=c";
    link.underlineStyle = 1;
    TextAttributes heading;
    heading.font = Font::system(22, platform::FontWeight::bold);
    TextAttributes code;
    code.font = Font::monospacedSystem(13);
    code.backgroundColor = platform::Color{0.5, 0.5, 0.5, 0.16};
    TextAttributes bullet = body;
    bullet.paragraphStyle = platform::ParagraphStyle{};
    bullet.paragraphStyle->textLists = {platform::TextList{std::string(platform::TextList::disc)}};
    TextAttributes numbered = bullet;
    numbered.paragraphStyle->textLists = {platform::TextList{std::string(platform::TextList::decimal)}};
    TextAttributes red = body;
    red.foregroundColor = platform::Color{1, 0, 0, 1};

    AttributedText text;
    while (text.length() * 2 < size) {
        text.append(u"見出し Heading\n", heading);
        text.append(u"Dear ", body);
        text.append(u"customer", bold);
        text.append(u", thank you for your order & your ", body);
        text.append(u"message", link);
        text.append(u". 来週の月曜日に", body);
        text.append(u"お届け", red);
        text.append(u"します。\n", body);
        text.append(u"\t•\tfirst item\n\t•\tsecond (item) *\n", bullet);
        text.append(u"\t1.\tnumbered\n\t2.\tagain\n", numbered);
        text.append(u"let value = \"<raw>\" * 2\n", code);
        text.append(u"\n", body);
    }
    return text;
}

// Every paragraph a list item whose text is a long run of pasted markers, then one long run.
AttributedText adversarialDocument(std::size_t size) {
    TextAttributes bullet;
    bullet.font = Font::system(14);
    bullet.paragraphStyle = platform::ParagraphStyle{};
    bullet.paragraphStyle->textLists = {platform::TextList{std::string(platform::TextList::disc)}};
    AttributedText text;
    text.append(unicode::toUTF16(repeatedTo(size / 4, "- ") + "x\n"), bullet);
    text.append(unicode::toUTF16(repeatedTo(size / 4, "1) ") + "\n"), bullet);
    text.append(unicode::toUTF16(repeatedTo(size / 4, "\u00A0\t")), bullet);
    TextAttributes plain;
    plain.font = Font::system(14);
    text.append(unicode::toUTF16("\n" + repeatedTo(size / 4, "a*[`\\")), plain);
    return text;
}

void runOnText(benchmark::State& state, const std::function<std::string(std::size_t)>& make,
               const std::function<std::size_t(const std::string&)>& convert) {
    const std::string input = make(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(convert(input));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(input.size()));
}

void runOnAttributedText(benchmark::State& state, const std::function<AttributedText(std::size_t)>& make,
                         const std::function<std::size_t(const AttributedText&)>& convert) {
    const AttributedText input = make(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(convert(input));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(input.length() * 2));
}

std::size_t sanitize(const std::string& html) {
    return FixedPhraseHTMLSanitizer::sanitize(html).size();
}
std::size_t markdown(const std::string& text) {
    return fixedPhraseMarkdownHTMLBody(text).size();
}
std::size_t plain(const AttributedText& text) {
    return normalizer::plainText(text).size();
}
std::size_t markdownForm(const AttributedText& text) {
    return normalizer::markdownText(text).size();
}
std::size_t semantic(const AttributedText& text) {
    return normalizer::semanticHTMLBody(text).size();
}

void BM_SanitizeDocument(benchmark::State& state) {
    runOnText(
        state, [](std::size_t size) { return repeatedTo(size, htmlUnit); }, sanitize);
}
void BM_SanitizeUnclosedLessThans(benchmark::State& state) {
    runOnText(
        state, [](std::size_t size) { return repeatedTo(size, "<'a"); }, sanitize);
}
void BM_SanitizeUnendedScriptClosings(benchmark::State& state) {
    runOnText(
        state, [](std::size_t size) { return prefixedRepeat(size, "<script>", "</script \""); }, sanitize);
}
void BM_SanitizeUnclosedComment(benchmark::State& state) {
    runOnText(
        state, [](std::size_t size) { return prefixedRepeat(size, "a", "<!-- <b>"); }, sanitize);
}

void BM_MarkdownDocument(benchmark::State& state) {
    runOnText(
        state, [](std::size_t size) { return repeatedTo(size, markdownUnit); }, markdown);
}
void BM_MarkdownOpenBrackets(benchmark::State& state) {
    runOnText(
        state, [](std::size_t size) { return std::string(size, '['); }, markdown);
}
void BM_MarkdownUnclosedLinks(benchmark::State& state) {
    runOnText(
        state, [](std::size_t size) { return repeatedTo(size, "[a]("); }, markdown);
}
void BM_MarkdownStarsAndBackticks(benchmark::State& state) {
    runOnText(
        state, [](std::size_t size) { return repeatedTo(size, "**a*`"); }, markdown);
}

void BM_NormalizePlainDocument(benchmark::State& state) {
    runOnAttributedText(state, richDocument, plain);
}
void BM_NormalizeMarkdownDocument(benchmark::State& state) {
    runOnAttributedText(state, richDocument, markdownForm);
}
void BM_NormalizeMarkdownAdversarial(benchmark::State& state) {
    runOnAttributedText(state, adversarialDocument, markdownForm);
}
void BM_SemanticHTMLDocument(benchmark::State& state) {
    runOnAttributedText(state, richDocument, semantic);
}
void BM_SemanticHTMLAdversarial(benchmark::State& state) {
    runOnAttributedText(state, adversarialDocument, semantic);
}

constexpr int64_t tenKB = 10 << 10;
constexpr int64_t hundredKB = 100 << 10;
constexpr int64_t oneMB = 1 << 20;

#define CONVERTER_BENCHMARK(name)                                                                            \
    BENCHMARK(name)->Arg(tenKB)->Arg(hundredKB)->Arg(oneMB)->Unit(benchmark::kMicrosecond)

CONVERTER_BENCHMARK(BM_SanitizeDocument);
CONVERTER_BENCHMARK(BM_SanitizeUnclosedLessThans);
CONVERTER_BENCHMARK(BM_SanitizeUnendedScriptClosings);
CONVERTER_BENCHMARK(BM_SanitizeUnclosedComment);
CONVERTER_BENCHMARK(BM_MarkdownDocument);
CONVERTER_BENCHMARK(BM_MarkdownOpenBrackets);
CONVERTER_BENCHMARK(BM_MarkdownUnclosedLinks);
CONVERTER_BENCHMARK(BM_MarkdownStarsAndBackticks);
CONVERTER_BENCHMARK(BM_NormalizePlainDocument);
CONVERTER_BENCHMARK(BM_NormalizeMarkdownDocument);
CONVERTER_BENCHMARK(BM_NormalizeMarkdownAdversarial);
CONVERTER_BENCHMARK(BM_SemanticHTMLDocument);
CONVERTER_BENCHMARK(BM_SemanticHTMLAdversarial);

} // namespace
} // namespace tessaril
