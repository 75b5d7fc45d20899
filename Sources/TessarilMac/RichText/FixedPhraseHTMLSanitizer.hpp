#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace tessaril::FixedPhraseHTMLSanitizer {

// Reduces user HTML to a small attribute-free subset before it is rendered or put on the pasteboard:
// allowed tags stay bare, script and style go with their content, comments and declarations go, an
// image becomes its escaped alternative text and every other tag is dropped while its text stays.
// One forward pass, linear in the input, that never fails. Pure; any thread.

// The 26 tags that survive, without attributes.
const std::set<std::string, std::less<>>& allowedTags();
// Tags whose content is dropped along with them.
const std::set<std::string, std::less<>>& contentRemovingTags();

std::string sanitize(std::string_view html);

// A tag as written between "<" and ">": the lower-cased name, the raw text after it, and whether it closes.
struct ParsedTag {
    std::string name;
    std::string attributes;
    bool isClosing = false;

    friend bool operator==(const ParsedTag&, const ParsedTag&) = default;
};

// None for declarations ("!"), processing instructions ("?") and text that does not start with a name.
std::optional<ParsedTag> parseTag(std::string_view inside);
// The value of the first attribute with that (lower-case) name; an attribute without "=" has the empty value.
std::optional<std::string> attributeValue(std::string_view name, std::string_view attributes);
// "&", "<" and ">" as entities; quotes stay.
std::string escapedText(std::string_view text);

} // namespace tessaril::FixedPhraseHTMLSanitizer
