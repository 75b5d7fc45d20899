#include "TessarilApp/PhraseEditor/FixedPhrasePlainMarkup.hpp"

#include <array>
#include <vector>

#include "TessarilApp/PhraseEditor/FixedPhraseCharacterCommands.hpp"
#include "TessarilApp/PhraseEditor/PlainMarkupPattern.hpp"

namespace tessaril {

using platform::AttributedText;
using platform::TextRange;

namespace {

constexpr std::u16string_view fence = u"```";

bool isNewline(char16_t unit) {
    return (unit >= u'\n' && unit <= u'\r') || unit == u'\u0085' || unit == u'\u2028' || unit == u'\u2029';
}

std::u16string_view trimmingNewlines(std::u16string_view text) {
    while (!text.empty() && isNewline(text.front())) text.remove_prefix(1);
    while (!text.empty() && isNewline(text.back())) text.remove_suffix(1);
    return text;
}

// The paragraph's own line end: CRLF or its one separator character.
std::u16string_view lineEnd(std::u16string_view paragraph) {
    if (paragraph.ends_with(u"\r\n")) return paragraph.substr(paragraph.size() - 2);
    if (!paragraph.empty() && AttributedText::isParagraphSeparator(paragraph.back())) {
        return paragraph.substr(paragraph.size() - 1);
    }
    return {};
}

std::vector<std::u16string_view> lines(std::u16string_view text) {
    std::vector<std::u16string_view> result;
    std::size_t start = 0;
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (!isNewline(text[index])) continue;
        result.push_back(text.substr(start, index - start));
        if (text[index] == u'\r' && index + 1 < text.size() && text[index + 1] == u'\n') ++index;
        start = index + 1;
    }
    result.push_back(text.substr(start));
    return result;
}

const std::vector<PlainMarkupPattern>& strippedMarkup() {
    static const std::vector<PlainMarkupPattern> patterns = [] {
        std::vector<PlainMarkupPattern> compiled;
        compiled.reserve(7);
        for (std::u16string_view source : {u"^#{1,6}\\s+", u"^>\\s+", u"^<h[1-6]>(.*)</h[1-6]>$",
                                           u"^<blockquote>(.*)</blockquote>$", u"^<pre><code>(.*)</code></pre>$",
                                           u"^<code>(.*)</code>$", u"^<small>(.*)</small>$"}) {
            compiled.emplace_back(source);
        }
        return compiled;
    }();
    return patterns;
}

void removeFirstMatch(std::u16string& text, std::u16string_view pattern) {
    if (const auto match = PlainMarkupPattern(pattern).firstMatch(text)) text.erase(match->location, match->length);
}

} // namespace

std::u16string fixedPhrasePlainMarkupCoreText(std::u16string_view source) {
    static const PlainMarkupPattern wrapperContent(u">(.*)<");
    std::u16string text(source);
    for (const PlainMarkupPattern& pattern : strippedMarkup()) {
        const auto match = pattern.firstMatch(text);
        if (!match) continue;
        const std::u16string matched = text.substr(match->location, match->length);
        if (matched.starts_with(u'<')) {
            if (const auto inner = wrapperContent.firstMatch(matched); inner && inner->length >= 2) {
                text = matched.substr(inner->location + 1, inner->length - 2);
                continue;
            }
        }
        text.erase(match->location, match->length);
    }
    if (text.starts_with(fence) && text.ends_with(fence)) {
        removeFirstMatch(text, u"^```\\n?");
        removeFirstMatch(text, u"\\n?```$");
    }
    return text;
}

std::u16string fixedPhraseMarkdownMarkupText(FixedPhraseParagraphStyle style, std::u16string_view text) {
    switch (style) {
    case FixedPhraseParagraphStyle::body: return std::u16string(text);
    case FixedPhraseParagraphStyle::heading2: return u"## " + std::u16string(text);
    case FixedPhraseParagraphStyle::heading3: return u"### " + std::u16string(text);
    case FixedPhraseParagraphStyle::quote: {
        std::u16string quoted;
        for (std::u16string_view line : lines(text)) {
            if (!quoted.empty()) quoted += u'\n';
            quoted += u"> ";
            quoted += line;
        }
        return quoted;
    }
    case FixedPhraseParagraphStyle::code: return std::u16string(fence) + u"\n" + std::u16string(text) + u"\n" + std::u16string(fence);
    }
    return std::u16string(text);
}

std::u16string fixedPhraseHTMLMarkupText(FixedPhraseParagraphStyle style, std::u16string_view text) {
    auto wrap = [&](std::u16string_view open, std::u16string_view close) {
        return std::u16string(open) + std::u16string(text) + std::u16string(close);
    };
    switch (style) {
    case FixedPhraseParagraphStyle::body: return wrap(u"<p>", u"</p>");
    case FixedPhraseParagraphStyle::heading2: return wrap(u"<h2>", u"</h2>");
    case FixedPhraseParagraphStyle::heading3: return wrap(u"<h3>", u"</h3>");
    case FixedPhraseParagraphStyle::quote: return wrap(u"<blockquote>", u"</blockquote>");
    case FixedPhraseParagraphStyle::code: return wrap(u"<pre><code>", u"</code></pre>");
    }
    return std::u16string(text);
}

bool applyFixedPhrasePlainMarkupStyle(FixedPhraseParagraphStyle style, FixedPhrasePreviewMode previewMode,
                                      FixedPhraseTextViewState& view) {
    if (previewMode == FixedPhrasePreviewMode::raw) return false;
    view.preservedWholePasteRTFData.reset();
    const TextRange paragraphRange =
        view.text.paragraphRange(fixedPhraseClippedRange(view.text, view.primarySelectedRange()));
    const std::u16string_view paragraph =
        std::u16string_view(view.text.string()).substr(paragraphRange.location, paragraphRange.length);
    const std::u16string core = fixedPhrasePlainMarkupCoreText(trimmingNewlines(paragraph));
    std::u16string replacement = previewMode == FixedPhrasePreviewMode::html ? fixedPhraseHTMLMarkupText(style, core)
                                                                             : fixedPhraseMarkdownMarkupText(style, core);
    replacement += lineEnd(paragraph);
    view.text.replaceCharacters(paragraphRange, replacement);
    view.selectedRanges = {{paragraphRange.location, replacement.size()}};
    return true;
}

} // namespace tessaril
