// Reading and writing RTF and reading HTML of about 100 KB and 1 MB: mixed documents as the editor
// and the markdown renderer make them, and the pathological shapes an attacker would send (deep
// nesting, long runs of escapes, a long attribute over many runs). Each reports bytes per second;
// the two sizes show whether time grows linearly.
#include <benchmark/benchmark.h>

#include <string>

#include "Platform/Foundation/HTMLReader.hpp"
#include "Platform/Foundation/RTFReader.hpp"
#include "Platform/Foundation/RTFWriter.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
#include "TessarilMac/TextActions/FixedPhraseAttributedStrings.hpp"

namespace tessaril::platform {
namespace {

TextAttributes fontAttributes(Font font) {
    TextAttributes attributes;
    attributes.font = std::move(font);
    return attributes;
}

// One section of a rich phrase: a heading, a paragraph of mixed runs, a list and a code line.
void appendSection(AttributedText& text, int index) {
    ParagraphStyle heading;
    heading.paragraphSpacing = 8;
    heading.paragraphSpacingBefore = 10;
    TextAttributes title = fontAttributes(Font::system(22, FontWeight::bold));
    title.paragraphStyle = heading;
    text.append(u"見出し " + std::u16string(1, static_cast<char16_t>(u'A' + index % 26)) + u"\n", title);

    const TextAttributes body = fontAttributes(Font::system(14));
    TextAttributes bold = fontAttributes(Font::system(14, FontWeight::bold));
    TextAttributes linked = body;
    linked.link = "https://example.com/page?id=" + std::to_string(index);
    linked.underlineStyle = 1;
    TextAttributes coloured = body;
    coloured.foregroundColor = Color{0.8, 0.1, 0.1, 1};
    text.append(u"本文の段落です。ここには ", body);
    text.append(u"太字", bold);
    text.append(u" と ", body);
    text.append(u"a link", linked);
    text.append(u" and some coloured words, ", coloured);
    text.append(u"followed by plain ASCII text that fills the line to a typical length.\n", body);

    ParagraphStyle item;
    item.headIndent = 24;
    item.tabStops = {{TextAlignment::left, 8}, {TextAlignment::left, 24}};
    item.textLists = {TextList{"{disc}"}};
    TextAttributes listed = body;
    listed.paragraphStyle = item;
    text.append(u"\t•\t項目その一\n\t•\tsecond item\n", listed);

    TextAttributes code = fontAttributes(Font::monospacedSystem(13));
    code.backgroundColor = Color::systemGray(0.18);
    ParagraphStyle codeParagraph;
    codeParagraph.headIndent = codeParagraph.firstLineHeadIndent = 12;
    codeParagraph.paragraphSpacing = 6;
    code.paragraphStyle = codeParagraph;
    text.append(u"let value = compute(" + std::u16string(1, static_cast<char16_t>(u'0' + index % 10)) + u");\n", code);
}

AttributedText documentOfAbout(std::size_t rtfBytes) {
    AttributedText text;
    for (int index = 0; RTFWriter::write(text).size() < rtfBytes; index += 64) {
        for (int section = index; section < index + 64; ++section) appendSection(text, section);
    }
    return text;
}

std::string markdownHTMLOfAbout(std::size_t bytes) {
    std::string html = "<html><head><meta charset=\"utf-8\"><style>body { font-size: 14px; }</style></head><body>";
    for (int index = 0; html.size() < bytes; ++index) {
        html += "<h2>見出し " + std::to_string(index) + "</h2>\n<p>本文の段落です。<strong>太字</strong> と "
                "<a href=\"https://example.com/page?id=" + std::to_string(index) +
                "\">a link</a> and <em>emphasis</em> &amp; plain ASCII text of a typical length.</p>\n"
                "<ul>\n<li>項目その一</li>\n<li>second <code>item</code></li>\n</ul>\n"
                "<pre><code>let value = compute(1);\n  return value;</code></pre>\n<p><br></p>\n";
    }
    return html + "</body></html>";
}

void ReadRTF(benchmark::State& state) {
    const std::string rtf = RTFWriter::write(documentOfAbout(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(RTFReader::read(rtf));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}

void WriteRTF(benchmark::State& state) {
    const AttributedText text = documentOfAbout(static_cast<std::size_t>(state.range(0)));
    std::size_t written = 0;
    for (auto _ : state) {
        const std::string rtf = RTFWriter::write(text);
        written = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
}

void ReadHTML(benchmark::State& state) {
    const std::string html = markdownHTMLOfAbout(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(HTMLReader::read(html));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * html.size()));
}

void ReadRTFOpenBraces(benchmark::State& state) {
    const std::string rtf = "{\\rtf1 " + std::string(static_cast<std::size_t>(state.range(0)), '{') + "text";
    for (auto _ : state) benchmark::DoNotOptimize(RTFReader::read(rtf));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}

void ReadRTFUnicodeEscapes(benchmark::State& state) {
    std::string rtf = "{\\rtf1\\uc1 ";
    while (rtf.size() < static_cast<std::size_t>(state.range(0))) rtf += "\\u12354?\\u-3913?";
    rtf += "}";
    for (auto _ : state) benchmark::DoNotOptimize(RTFReader::read(rtf));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}

void ReadRTFCodePageBytes(benchmark::State& state) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg932 ";
    while (rtf.size() < static_cast<std::size_t>(state.range(0))) rtf += "\\'82\\'a0\\'83e\\'93\\'fa";
    rtf += "}";
    for (auto _ : state) benchmark::DoNotOptimize(RTFReader::read(rtf));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}

void ReadHTMLNesting(benchmark::State& state) {
    std::string html;
    while (html.size() < static_cast<std::size_t>(state.range(0))) html += "<span><b>";
    html += "text";
    for (auto _ : state) benchmark::DoNotOptimize(HTMLReader::read(html));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * html.size()));
}

// Groups that each copy the most state a group can carry: 64 tab stops.
void ReadRTFGroupsWithTabStops(benchmark::State& state) {
    std::string rtf = "{\\rtf1\\pard";
    for (int stop = 1; stop <= 64; ++stop) rtf += "\\tx" + std::to_string(stop * 100);
    while (rtf.size() < static_cast<std::size_t>(state.range(0))) rtf += "{a}";
    rtf += "}";
    for (auto _ : state) benchmark::DoNotOptimize(RTFReader::read(rtf));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}

// Elements and line ends inside lists nested as deep as the reader goes.
void ReadHTMLInsideDeepLists(benchmark::State& state) {
    std::string html;
    for (int depth = 0; depth < 600; ++depth) html += "<ul><li>";
    while (html.size() < static_cast<std::size_t>(state.range(0))) html += "<b>x</b><br>";
    for (auto _ : state) benchmark::DoNotOptimize(HTMLReader::read(html));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * html.size()));
}

// A 50,000-character attribute value followed by formatting changes up to the size: a font name or
// a link that every run carries. Read, then turned into semantic HTML, markdown and RTF, as a paste
// that is saved goes; the value is stored and written once, so the cost grows with the size alone.
enum class LongAttribute { rtfFontName, rtfHyperlink, htmlLink, htmlFontFamily, htmlEmptyElements };

std::string longAttributeDocument(LongAttribute form, std::size_t size) {
    const std::string value(50'000, 'v');
    std::string head;
    std::string piece;
    std::string tail;
    switch (form) {
    case LongAttribute::rtfFontName:
        head = "{\\rtf1{\\fonttbl{\\f0 " + value + ";}}\\f0 ", piece = "\\b x\\b0 x", tail = "}";
        break;
    case LongAttribute::rtfHyperlink:
        head = "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"https://example.com/" + value + "\"}{\\fldrslt ";
        piece = "\\b x\\b0 x", tail = "}}}";
        break;
    case LongAttribute::htmlLink:
        head = "<a href=\"https://example.com/" + value + "\">", piece = "<b>x</b>x", tail = "</a>";
        break;
    case LongAttribute::htmlFontFamily:
        head = "<span style=\"font-family: " + value + "\">", piece = "<b>x</b>x", tail = "</span>";
        break;
    case LongAttribute::htmlEmptyElements:
        head = "<a href=\"https://example.com/" + value + "\">", piece = "<i></i>x", tail = "</a>";
        break;
    }
    while (head.size() + piece.size() + tail.size() <= size) head += piece;
    return head + tail;
}

void ReadAndConvertLongAttribute(benchmark::State& state) {
    const auto form = static_cast<LongAttribute>(state.range(0));
    const std::string input = longAttributeDocument(form, static_cast<std::size_t>(state.range(1)));
    const bool rtf = form == LongAttribute::rtfFontName || form == LongAttribute::rtfHyperlink;
    std::size_t written = 0;
    for (auto _ : state) {
        const AttributedText text = rtf ? RTFReader::read(input) : HTMLReader::read(input);
        written = FixedPhraseAttributedTextNormalizer::semanticHTMLBody(text).size() +
                  FixedPhraseAttributedTextNormalizer::markdownText(text).size() +
                  RTFWriter::write(text).size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
    state.counters["outputPerInputByte"] = static_cast<double>(written) / static_cast<double>(input.size());
}

// A piece repeated up to the size under something set once: a 20,000-character link over many
// paragraphs, a field with many results (side by side, or with text between them), links inside
// that link, 64 tab stops over many paragraphs or over many runs of one paragraph, small paragraphs
// in two colours by turns, links of which half run script. Read (HTML with unsafe links removed),
// then made display-safe and turned into semantic HTML, markdown and RTF; what is set once is read,
// stored and written once, and each change is made in one pass.
enum class RepeatedShape {
    htmlLinkOverLines, rtfLinkOverParagraphs, rtfFieldResults, rtfTabStopsOverParagraphs,
    rtfTabStopsOverRuns, rtfColouredParagraphs, htmlUnsafeLinks, rtfFieldTextBetweenResults, htmlLinksInsideALink,
};

std::string repeatedShapeDocument(RepeatedShape shape, std::size_t size) {
    const std::string field = "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"https://example.com/" + std::string(20'000, 't') + "\"}";
    std::string tabStops = "{\\rtf1\\pard";
    for (int stop = 1; stop <= 64; ++stop) tabStops += "\\tx" + std::to_string(stop * 100);
    std::string head;
    std::string piece;
    std::string tail;
    switch (shape) {
    case RepeatedShape::htmlLinkOverLines:
        head = "<a href=\"https://example.com/" + std::string(20'000, 't') + "\">", piece = "x<br>", tail = "</a>";
        break;
    case RepeatedShape::rtfLinkOverParagraphs: head = field + "{\\fldrslt ", piece = "x\\par ", tail = "}}}"; break;
    case RepeatedShape::rtfFieldResults: head = field, piece = "{\\fldrslt x}", tail = "}}"; break;
    case RepeatedShape::rtfTabStopsOverParagraphs: head = tabStops + " ", piece = "x\\par\n", tail = "}"; break;
    case RepeatedShape::rtfTabStopsOverRuns: head = tabStops + " ", piece = "\\ul x\\ul0 x", tail = "}"; break;
    case RepeatedShape::rtfColouredParagraphs:
        head = "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";
        piece = "{\\cf1\\fs20 x\\par}{\\cf2\\fs20 x\\par}", tail = "}";
        break;
    case RepeatedShape::rtfFieldTextBetweenResults: head = field, piece = "{\\fldrslt x}y", tail = "}}"; break;
    case RepeatedShape::htmlLinksInsideALink:
        head = "<a href=\"https://example.com/" + std::string(20'000, 't') + "\">", piece = "x<a href=\"b\">z</a>";
        tail = "</a>";
        break;
    case RepeatedShape::htmlUnsafeLinks:
        piece = "<a href=\"javascript:x\">x</a><a href=\"https://e.test\">y</a>";
        break;
    }
    while (head.size() + piece.size() + tail.size() <= size) head += piece;
    return head + tail;
}

void ReadAndConvertRepeatedShape(benchmark::State& state) {
    const auto shape = static_cast<RepeatedShape>(state.range(0));
    const std::string input = repeatedShapeDocument(shape, static_cast<std::size_t>(state.range(1)));
    const bool html = shape == RepeatedShape::htmlLinkOverLines || shape == RepeatedShape::htmlUnsafeLinks ||
                      shape == RepeatedShape::htmlLinksInsideALink;
    std::size_t written = 0;
    for (auto _ : state) {
        const AttributedText text = html ? *fixedPhraseAttributedString(input, false) : RTFReader::read(input);
        written = fixedPhraseDisplaySafeAttributedString(text).length() +
                  FixedPhraseAttributedTextNormalizer::semanticHTMLBody(text).size() +
                  FixedPhraseAttributedTextNormalizer::markdownText(text).size() + RTFWriter::write(text).size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
    state.counters["outputPerInputByte"] = static_cast<double>(written) / static_cast<double>(input.size());
}

BENCHMARK(ReadAndConvertRepeatedShape)
    ->ArgNames({"shape", "bytes"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8}, {200'000, 400'000}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAndConvertLongAttribute)
    ->ArgNames({"form", "bytes"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {100'000, 1'000'000}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ReadRTF)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteRTF)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadHTML)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadRTFOpenBraces)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadRTFUnicodeEscapes)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadRTFCodePageBytes)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadHTMLNesting)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadRTFGroupsWithTabStops)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadHTMLInsideDeepLists)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessaril::platform
