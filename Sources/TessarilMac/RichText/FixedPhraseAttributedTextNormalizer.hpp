#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Platform/Foundation/AttributedText.hpp"

namespace tessaril::FixedPhraseAttributedTextNormalizer {

// Rich text (as the phrase editor edits it or stored RTF reads) turned into text forms: plain text
// without list bullets, markdown that keeps headings, quotes, code, lists and inline emphasis, and the
// semantic HTML body that a rich phrase carries on the pasteboard. Pure, never fails; any thread.

using platform::AttributedText;
using platform::TextRange;

enum class Marker { plainOutput, markdownOutput };

// The look of one paragraph, read from its first character and its paragraph style.
enum class SemanticParagraphKind { bodyParagraph, headingLevel2, headingLevel3, quoteParagraph, codeBlock };

std::string plainText(const AttributedText& text);
std::string markdownText(const AttributedText& text);
// Paragraph by paragraph; list items lose the markers pasted into them (markdown numbers them anew),
// other paragraphs keep their line ends exactly.
std::string normalizedText(const AttributedText& text, Marker marker);

// Markdown source shown as it is, in the monospaced system font of 13 points.
AttributedText markdownPreviewAttributedString(std::string_view markdown);
platform::TextAttributes markdownSourcePreviewAttributes();

// The paragraph style at `index` (clamped to the text), if any; it lives as long as the text is unchanged.
const platform::ParagraphStyle* paragraphStyle(const AttributedText& text, std::size_t index);
SemanticParagraphKind semanticParagraphKind(const AttributedText& text, TextRange paragraphRange,
                                            const platform::ParagraphStyle* paragraphStyle);
// The same from the attributes of the paragraph's first character.
SemanticParagraphKind semanticParagraphKind(const platform::TextAttributes& firstCharacter,
                                            const platform::ParagraphStyle* paragraphStyle);
// Whether a list item of this style is numbered: a list whose first two markers differ and whose
// first holds a decimal digit.
bool isNumberedList(const platform::ParagraphStyle& paragraphStyle);

// The runs inside `range` as inline markdown: code, underline, strikethrough, emphasis, links.
std::string markdownInlineText(const AttributedText& text, TextRange range);
// Backslash, backtick, "*", "_", "~", brackets and parentheses each behind a backslash.
std::string escapeMarkdownInline(std::string_view text);
// An underline or strikethrough style counts when present and not 0.
bool attributeEnabled(const std::optional<int>& value);

// A list item's text without the bullets or numbers pasted into it: no-break spaces as spaces,
// trimmed, then every leading marker removed.
std::string normalizedListItemBody(std::string_view text);
// The same on a range, so that the item's attributes stay at hand: `body` is the item's text,
// `bodyRange` where it sits in the attributed text; the answer is the part left, as a range there.
TextRange normalizedListItemRange(std::u16string_view body, TextRange bodyRange);
// White space and newlines, plus the no-break, figure and narrow no-break spaces; one UTF-16 unit.
bool isListItemTrimCharacter(char16_t unit);

// Block elements joined by line feeds: paragraphs, h2, h3, blockquote, pre/code, ul and ol lists,
// with alignment, inline emphasis, links (safe targets only) and the inline styles that matter.
std::string semanticHTMLBody(const AttributedText& text);
std::string htmlInlineText(const AttributedText& text, TextRange range, bool wrapsFixedPitchRuns);
std::string htmlElement(std::string_view tagName, std::string_view content,
                        const std::optional<std::string>& style);
// `namesMonospacedFamily` off inside a code block, which is monospaced already: naming the family
// there would make a block recognised by its background alone monospaced on the next round.
std::optional<std::string> inlineCSSStyle(const platform::TextAttributes& attributes,
                                          bool namesMonospacedFamily = true);
std::optional<std::string> cssColor(const platform::Color& color);
std::string cssPointSize(double pointSize);

} // namespace tessaril::FixedPhraseAttributedTextNormalizer
