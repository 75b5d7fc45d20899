#include "TessarilMac/RichText/FixedPhraseHTMLSanitizer.hpp"

#include <cstddef>
#include <vector>

#include "TessarilCore/Support/Unicode.hpp"
#include "TessarilMac/RichText/HTMLEscaping.hpp"
#include "TessarilMac/RichText/ScalarScanning.hpp"

namespace tessaril::FixedPhraseHTMLSanitizer {
namespace {

namespace scan = scalar_scanning;
constexpr std::size_t none = std::string_view::npos;

bool isTagNameScalar(char32_t scalar) {
    return scan::isAlphanumeric(scalar);
}
bool isAttributeNameScalar(char32_t scalar) {
    return scan::isAlphanumeric(scalar) || scalar == U'-' || scalar == U':' || scalar == U'_';
}
bool isSpace(char32_t scalar) {
    return unicode::isWhitespace(scalar);
}

// Where the tag that starts at a position ends: the first ">" outside quotes, a quote closing only at
// the same character. The sanitiser asks again after every "<" that found no end and after every
// closing-tag candidate, so the first answer that runs off the end of the text fills a table of all
// answers from right to left; every later question is a lookup and the whole pass stays linear.
class TagEnds {
public:
    explicit TagEnds(std::string_view text) : text_(text) {}

    std::size_t find(std::size_t from) {
        if (!table_.empty()) return table_[from];
        char quote = 0;
        for (std::size_t index = from; index < text_.size(); ++index) {
            char character = text_[index];
            if (quote != 0) {
                if (character == quote) quote = 0;
            } else if (character == '>') {
                return index;
            } else if (character == '"' || character == '\'') {
                quote = character;
            }
        }
        fillTable();
        return table_[from];
    }

private:
    void fillTable() {
        table_.assign(text_.size() + 1, none);
        std::size_t nextDouble = none;
        std::size_t nextSingle = none;
        for (std::size_t index = text_.size(); index-- > 0;) {
            char character = text_[index];
            if (character == '>') {
                table_[index] = index;
            } else if (character == '"' || character == '\'') {
                std::size_t closing = character == '"' ? nextDouble : nextSingle;
                table_[index] = closing == none ? none : table_[closing + 1];
                (character == '"' ? nextDouble : nextSingle) = index;
            } else {
                table_[index] = table_[index + 1];
            }
        }
    }

    std::string_view text_;
    std::vector<std::size_t> table_;
};

// Just past the closing tag of `name` at or after `from`, or the end of the text. A candidate "</"
// whose name or end does not fit is passed over; the name run holds no "<", so no text is read twice.
std::size_t indexAfterClosingTag(std::string_view name, std::string_view text, std::size_t from,
                                 TagEnds& tagEnds) {
    std::size_t position = from;
    while (true) {
        std::size_t candidate = text.find("</", position);
        if (candidate == none) return text.size();
        std::size_t nameStart = scan::skipScalars(text, candidate + 2, isSpace);
        std::size_t nameEnd = scan::skipScalars(text, nameStart, isTagNameScalar);
        if (nameEnd > nameStart && unicode::lowercased(text.substr(nameStart, nameEnd - nameStart)) == name) {
            std::size_t end = tagEnds.find(nameEnd);
            if (end != none) return end + 1;
        }
        position = candidate + 1;
    }
}

// One attribute value at `index`: quoted up to the same quote (or the end), otherwise up to white
// space or "/". Entities stay as written.
std::string parseAttributeValue(std::string_view attributes, std::size_t& index) {
    if (index >= attributes.size()) return {};
    char first = attributes[index];
    if (first == '"' || first == '\'') {
        std::size_t closing = attributes.find(first, index + 1);
        std::size_t end = closing == none ? attributes.size() : closing;
        std::string value(attributes.substr(index + 1, end - index - 1));
        index = closing == none ? attributes.size() : closing + 1;
        return value;
    }
    std::size_t end = scan::skipScalars(attributes, index,
                                        [](char32_t scalar) { return !isSpace(scalar) && scalar != U'/'; });
    std::string value(attributes.substr(index, end - index));
    index = end;
    return value;
}

} // namespace

const std::set<std::string, std::less<>>& allowedTags() {
    static const std::set<std::string, std::less<>> tags{
        "h1", "h2",     "h3", "h4", "p",  "div", "span", "blockquote", "code", "pre",   "b",  "i",  "u",
        "s",  "strong", "em", "ul", "ol", "li",  "br",   "hr",         "a",    "table", "tr", "td", "th"};
    return tags;
}

const std::set<std::string, std::less<>>& contentRemovingTags() {
    static const std::set<std::string, std::less<>> tags{"script", "style"};
    return tags;
}

std::string escapedText(std::string_view text) {
    return escapedHTML(text, HTMLEscaping::markupOnly);
}

std::optional<ParsedTag> parseTag(std::string_view inside) {
    std::size_t start = scan::skipScalars(inside, 0, unicode::isWhitespaceOrNewline);
    std::size_t end = scan::dropTrailingScalars(inside, start, inside.size(), unicode::isWhitespaceOrNewline);
    if (start == end) return std::nullopt;
    std::string_view trimmed = inside.substr(start, end - start);
    if (trimmed[0] == '!' || trimmed[0] == '?') return std::nullopt;
    ParsedTag tag;
    std::size_t nameStart = 0;
    if (trimmed[0] == '/') {
        tag.isClosing = true;
        nameStart = scan::skipScalars(trimmed, 1, isSpace);
    }
    std::size_t nameEnd = scan::skipScalars(trimmed, nameStart, isTagNameScalar);
    if (nameEnd == nameStart) return std::nullopt;
    tag.name = unicode::lowercased(trimmed.substr(nameStart, nameEnd - nameStart));
    tag.attributes = std::string(trimmed.substr(nameEnd));
    return tag;
}

std::optional<std::string> attributeValue(std::string_view name, std::string_view attributes) {
    std::size_t index = 0;
    while (true) {
        index = scan::skipScalars(attributes, index,
                                  [](char32_t scalar) { return isSpace(scalar) || scalar == U'/'; });
        if (index >= attributes.size()) return std::nullopt;
        std::size_t nameEnd = scan::skipScalars(attributes, index, isAttributeNameScalar);
        if (nameEnd == index) {
            scan::next(attributes, index);
            continue;
        }
        std::string_view attributeName = attributes.substr(index, nameEnd - index);
        index = scan::skipScalars(attributes, nameEnd, isSpace);
        std::string value;
        if (index < attributes.size() && attributes[index] == '=') {
            index = scan::skipScalars(attributes, index + 1, isSpace);
            value = parseAttributeValue(attributes, index);
        }
        if (unicode::lowercased(attributeName) == name) return value;
    }
}

std::string sanitize(std::string_view html) {
    std::string output;
    output.reserve(html.size());
    TagEnds tagEnds(html);
    std::size_t position = 0;
    while (position < html.size()) {
        std::size_t open = html.find('<', position);
        if (open == none) {
            output.append(html.substr(position));
            break;
        }
        output.append(html.substr(position, open - position));
        if (html.substr(open).starts_with("<!--")) {
            std::size_t commentEnd = html.find("-->", open + 4);
            // An unterminated comment hides everything after it.
            if (commentEnd == none) return output;
            position = commentEnd + 3;
            continue;
        }
        std::size_t end = tagEnds.find(open + 1);
        if (end == none) {
            // A "<" that opens no tag is text: written as an entity so that nothing after it turns
            // into markup, and the scan goes on with the next character.
            output += "&lt;";
            position = open + 1;
            continue;
        }
        position = end + 1;
        auto tag = parseTag(html.substr(open + 1, end - open - 1));
        if (!tag) continue;
        bool allowed = allowedTags().contains(tag->name);
        if (tag->isClosing) {
            if (allowed) output += "</" + tag->name + ">";
        } else if (contentRemovingTags().contains(tag->name)) {
            position = indexAfterClosingTag(tag->name, html, position, tagEnds);
        } else if (tag->name == "img") {
            if (auto alternative = attributeValue("alt", tag->attributes))
                output += escapedText(*alternative);
        } else if (allowed) {
            output += "<" + tag->name + ">";
        }
    }
    return output;
}

} // namespace tessaril::FixedPhraseHTMLSanitizer
