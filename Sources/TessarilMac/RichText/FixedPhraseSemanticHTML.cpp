#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "TessarilCore/Support/Unicode.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
#include "TessarilMac/RichText/FixedPhraseLinkCopies.hpp"
#include "TessarilMac/RichText/FixedPhraseLinkTarget.hpp"
#include "TessarilMac/RichText/FixedPhraseParagraphWalk.hpp"
#include "TessarilMac/RichText/HTMLEscaping.hpp"

namespace tessaril::FixedPhraseAttributedTextNormalizer {
namespace {

constexpr double bodyFontSize = 14;
constexpr double fontSizeTolerance = 0.1;
constexpr double largestPointSize = 500'000'000;
constexpr double opaqueAlpha = 0.999;
constexpr std::string_view monospaceFamilies = "ui-monospace, SFMono-Regular, Menlo, monospace";

std::string wrapped(std::string_view tag, std::string_view content) {
    std::string element;
    element.reserve(content.size() + 2 * tag.size() + 5);
    element.append("<").append(tag).append(">").append(content).append("</").append(tag).append(">");
    return element;
}

std::optional<std::string> alignmentStyle(const platform::ParagraphStyle* style) {
    if (!style) return std::nullopt;
    switch (style->alignment) {
    case platform::TextAlignment::left:
        return "text-align: left";
    case platform::TextAlignment::center:
        return "text-align: center";
    case platform::TextAlignment::right:
        return "text-align: right";
    case platform::TextAlignment::justified:
        return "text-align: justify";
    case platform::TextAlignment::natural:
        break;
    }
    return std::nullopt;
}

// Fixed-point text that reads the same in every locale.
std::string fixed(double value, int decimals) {
    std::array<char, 64> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed,
                                decimals);
    return std::string(buffer.data(), result.ptr);
}

// A colour component 0…1 as 0…255; values outside the range (or not a number) are held at its ends.
int byteComponent(double component) {
    if (!(component > 0)) return 0;
    return static_cast<int>(std::lround(std::min(component, 1.0) * 255));
}

// Tabs in a span that keeps white space, so that reading the HTML back gives the tabs again rather
// than one collapsed space (a table's cells arrive as tab-separated text).
std::string keepingTabs(std::string html) {
    if (html.find('\t') == std::string::npos) return html;
    std::string kept;
    kept.reserve(html.size() + 40);
    for (std::size_t index = 0; index < html.size();) {
        const std::size_t tabs = html.find('\t', index);
        kept.append(html, index, tabs == std::string::npos ? std::string::npos : tabs - index);
        if (tabs == std::string::npos) break;
        const std::size_t end = std::min(html.find_first_not_of('\t', tabs), html.size());
        kept.append("<span style=\"white-space: pre\">").append(html, tabs, end - tabs).append("</span>");
        index = end;
    }
    return kept;
}

// The list a run of list items is in, opened and closed as the item kinds change.
class ListTracker {
public:
    explicit ListTracker(std::vector<std::string>& pieces) : pieces_(pieces) {}

    void enter(std::string_view kind) {
        if (open_ == kind) return;
        close();
        pieces_.push_back("<" + std::string(kind) + ">");
        open_ = kind;
    }
    void close() {
        if (open_.empty()) return;
        pieces_.push_back("</" + std::string(open_) + ">");
        open_ = {};
    }

private:
    std::vector<std::string>& pieces_;
    std::string_view open_;
};

std::string_view blockTag(SemanticParagraphKind kind) {
    switch (kind) {
    case SemanticParagraphKind::headingLevel2:
        return "h2";
    case SemanticParagraphKind::headingLevel3:
        return "h3";
    case SemanticParagraphKind::quoteParagraph:
        return "blockquote";
    case SemanticParagraphKind::bodyParagraph:
    case SemanticParagraphKind::codeBlock:
        break;
    }
    return "p";
}

// `breaksLines`: each line separator in the text becomes a <br> (inside a list item, which is one
// paragraph however many lines it has).
std::string htmlInline(const AttributedText& text, TextRange range, bool wrapsFixedPitchRuns,
                       std::optional<std::size_t> firstRun, bool breaksLines = false) {
    std::string html;
    // One anchor for all the neighbouring runs that carry the same link, however many styles they hold.
    const platform::SharedString* openLink = nullptr;
    const platform::SharedString* refusedLink = nullptr; // judged once per span, however long
    auto closeLink = [&] {
        if (openLink) html += "</a>";
        openLink = nullptr;
    };
    forEachRunIn(
        text, range,
        [&](std::u16string_view characters, const platform::TextAttributes& attributes) {
            std::string piece = escapedHTML(unicode::fromUTF16(characters), HTMLEscaping::text);
            if (piece.empty()) return;
            if (breaksLines) piece = replacingLineSeparators(std::move(piece), "<br>");
            // A code block keeps its tabs as they are.
            if (wrapsFixedPitchRuns) piece = keepingTabs(std::move(piece));
            const auto& font = attributes.font;
            if (wrapsFixedPitchRuns && font && font->fixedPitch) piece = wrapped("code", piece);
            if (attributeEnabled(attributes.underlineStyle)) piece = wrapped("u", piece);
            if (attributeEnabled(attributes.strikethroughStyle)) piece = wrapped("s", piece);
            if (font && font->italic) piece = wrapped("em", piece);
            if (font && font->isBold()) piece = wrapped("strong", piece);
            if (auto style = inlineCSSStyle(attributes, wrapsFixedPitchRuns))
                piece = htmlElement("span", piece, style);
            const platform::SharedString* link = attributes.link ? &*attributes.link : nullptr;
            if (openLink && !(link && *link == *openLink)) closeLink();
            // A link whose target could run script in the receiving application keeps only its text.
            if (link && !openLink && !(refusedLink && *link == *refusedLink)) {
                if (fixedPhraseLinkTargetIsAllowed(link->str())) {
                    html += "<a href=\"" + escapedHTML(link->str(), HTMLEscaping::attributeValue) + "\">";
                    openLink = link;
                } else {
                    refusedLink = link;
                }
            }
            html += piece;
        },
        firstRun);
    closeLink();
    return html;
}

} // namespace

std::string semanticHTMLBody(const AttributedText& text) {
    // Each paragraph a link reaches into takes an anchor of its own.
    if (const auto affordable = fixedPhraseTextWithAffordableLinks(text)) return semanticHTMLBody(*affordable);
    std::vector<std::string> pieces;
    ListTracker list(pieces);
    forEachFixedPhraseParagraph(text, [&](const FixedPhraseParagraph& paragraph) {
        const std::string body = unicode::fromUTF16(paragraph.body);
        const bool blank = unicode::isBlank(body);
        const auto* style =
            paragraph.attributes->paragraphStyle ? &*paragraph.attributes->paragraphStyle : nullptr;
        if (style && !style->textLists.empty() && !blank) {
            list.enter(isNumberedList(*style) ? "ol" : "ul");
            TextRange item = normalizedListItemRange(paragraph.body, paragraph.contentRange());
            std::string content =
                item.length > 0 ? htmlInline(text, item, true, paragraph.firstRun, true) : std::string();
            if (content.empty()) content = escapedHTML(normalizedListItemBody(body), HTMLEscaping::text);
            pieces.push_back(htmlElement("li", content, alignmentStyle(style)));
            return;
        }
        list.close();
        if (blank) {
            pieces.emplace_back("<p><br></p>");
            return;
        }
        SemanticParagraphKind kind = semanticParagraphKind(*paragraph.attributes, style);
        std::string content = paragraph.body.empty()
                                  ? std::string()
                                  : htmlInline(text, paragraph.contentRange(),
                                               kind != SemanticParagraphKind::codeBlock, paragraph.firstRun);
        if (kind == SemanticParagraphKind::codeBlock) {
            pieces.push_back("<pre><code>" + content + "</code></pre>");
        } else {
            pieces.push_back(htmlElement(blockTag(kind), content, alignmentStyle(style)));
        }
    });
    list.close();
    std::size_t size = pieces.size();
    for (const auto& piece : pieces)
        size += piece.size();
    std::string html;
    html.reserve(size);
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        if (index > 0) html += '\n';
        html += pieces[index];
    }
    return html;
}

std::string htmlInlineText(const AttributedText& text, TextRange range, bool wrapsFixedPitchRuns) {
    return htmlInline(text, range, wrapsFixedPitchRuns, std::nullopt);
}

std::string htmlElement(std::string_view tagName, std::string_view content,
                        const std::optional<std::string>& style) {
    std::string element = "<" + std::string(tagName);
    if (style && !style->empty())
        element += " style=\"" + escapedHTML(*style, HTMLEscaping::attributeValue) + "\"";
    element.append(">").append(content).append("</").append(tagName).append(">");
    return element;
}

std::optional<std::string> inlineCSSStyle(const platform::TextAttributes& attributes,
                                          bool namesMonospacedFamily) {
    std::vector<std::string> declarations;
    if (attributes.font && std::abs(attributes.font->pointSize - bodyFontSize) > fontSizeTolerance) {
        declarations.push_back("font-size: " + cssPointSize(attributes.font->pointSize));
    }
    if (namesMonospacedFamily && attributes.font && attributes.font->fixedPitch)
        declarations.push_back("font-family: " + std::string(monospaceFamilies));
    if (attributes.foregroundColor) {
        if (auto color = cssColor(*attributes.foregroundColor)) declarations.push_back("color: " + *color);
    }
    if (attributes.backgroundColor) {
        if (auto color = cssColor(*attributes.backgroundColor))
            declarations.push_back("background-color: " + *color);
    }
    if (declarations.empty()) return std::nullopt;
    std::string style;
    for (std::size_t index = 0; index < declarations.size(); ++index) {
        if (index > 0) style += "; ";
        style += declarations[index];
    }
    return style;
}

std::optional<std::string> cssColor(const platform::Color& color) {
    const int red = byteComponent(color.red);
    const int green = byteComponent(color.green);
    const int blue = byteComponent(color.blue);
    if (color.alpha < opaqueAlpha) {
        double alpha = color.alpha > 0 ? color.alpha : 0;
        return "rgba(" + std::to_string(red) + ", " + std::to_string(green) + ", " + std::to_string(blue) +
               ", " + fixed(alpha, 3) + ")";
    }
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string css = "#";
    for (int component : {red, green, blue}) {
        css += hex[component / 16];
        css += hex[component % 16];
    }
    return css;
}

std::string cssPointSize(double pointSize) {
    // No font is smaller than nothing or larger than RTF can carry (\fs counts half points); a size
    // that is not a number is the body size.
    pointSize = std::clamp(std::isnan(pointSize) ? bodyFontSize : pointSize, 0.0, largestPointSize);
    // Tenths rounded half away from zero; a size that rounds to zero is written "0pt", never "-0pt".
    double tenths = std::round(pointSize * 10);
    if (tenths == 0) tenths = 0;
    bool whole = std::fmod(tenths, 10) == 0;
    return fixed(tenths / 10, whole ? 0 : 1) + "pt";
}

} // namespace tessaril::FixedPhraseAttributedTextNormalizer
