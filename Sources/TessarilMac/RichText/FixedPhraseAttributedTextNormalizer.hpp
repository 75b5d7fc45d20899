#pragma once

#include <string>
#include <string_view>

namespace tessaril::FixedPhraseAttributedTextNormalizer {

// Rich text (as the phrase editor edits it or stored RTF reads) turned into text forms: plain text
// without list bullets, and markdown that keeps headings, quotes, code, lists and inline emphasis.
// Pure, never fails; any thread.

// Backslash, backtick, "*", "_", "~", brackets and parentheses each behind a backslash.
std::string escapeMarkdownInline(std::string_view text);

// A list item's text without the bullets or numbers pasted into it: no-break spaces as spaces,
// trimmed, then every leading marker removed.
std::string normalizedListItemBody(std::string_view text);

// White space and newlines, plus the no-break, figure and narrow no-break spaces; one UTF-16 unit.
bool isListItemTrimCharacter(char16_t unit);

} // namespace tessaril::FixedPhraseAttributedTextNormalizer
