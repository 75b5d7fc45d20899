#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Foundation/TextAttributes.hpp"
#include "Platform/Foundation/TextRange.hpp"

namespace tessaril::platform {

// A text with attributes over its characters: the attributed string of the text system. Contents are
// UTF-16 and every position and range counts UTF-16 units. The attributes are kept as maximal runs:
// neighbouring runs always differ, so equal formatting is never split in two, and no run boundary
// falls between the two halves of a surrogate pair (a pair takes its first half's attributes). A copy is an
// independent mutable copy. Not thread-safe; a value like any other.
class AttributedText {
public:
    struct Run {
        TextRange range;
        TextAttributes attributes;

        friend bool operator==(const Run&, const Run&) = default;
    };

    AttributedText() = default;
    explicit AttributedText(std::u16string string, const TextAttributes& attributes = {});
    // UTF-8 text; ill-formed sequences become U+FFFD.
    static AttributedText fromUTF8(std::string_view text, const TextAttributes& attributes = {});

    const std::u16string& string() const { return string_; }
    // The contents as UTF-8; an unpaired surrogate becomes U+FFFD.
    std::string utf8String() const;
    std::size_t length() const { return string_.size(); }
    bool empty() const { return string_.empty(); }

    // The maximal runs, in order, covering the whole text.
    const std::vector<Run>& runs() const { return runs_; }
    // The runs that meet `range`, each cut to it. Throws std::out_of_range past the end.
    std::vector<Run> runs(TextRange range) const;
    // The attributes at `index`, and the whole run carrying them. Throws std::out_of_range unless
    // index < length().
    const TextAttributes& attributes(std::size_t index, TextRange* effectiveRange = nullptr) const;

    // The paragraphs that `range` touches, with their line ends. LF, CR, CRLF, U+2029 and U+0085 end a
    // paragraph; U+2028 does not. An empty range at the very end after a line end gives an empty range
    // there. Throws std::out_of_range past the end.
    TextRange paragraphRange(TextRange range) const;
    static bool isParagraphSeparator(char16_t unit);
    // Whether joining `before` and `after` would put a boundary between the halves of a surrogate pair.
    static bool splitsSurrogatePair(std::u16string_view before, std::u16string_view after);

    AttributedText substring(TextRange range) const;

    void append(std::u16string_view text, const TextAttributes& attributes);
    void append(std::u16string_view text, TextAttributes&& attributes);
    void append(const AttributedText& other);
    // Plain characters take the attributes of the first character they replace; inserted ones (an
    // empty range) those of the character before, else of the character after.
    void replaceCharacters(TextRange range, std::u16string_view text);
    void replaceCharacters(TextRange range, const AttributedText& replacement);
    void deleteCharacters(TextRange range) { replaceCharacters(range, AttributedText()); }

    void setAttributes(const TextAttributes& attributes, TextRange range);
    // Sets every attribute that `attributes` has over the range, keeping the others.
    void addAttributes(const TextAttributes& attributes, TextRange range);
    void removeAttribute(TextAttributes::Key key, TextRange range);
    // Lets `change` edit the attributes of every run inside the range (widened to whole surrogate pairs).
    void updateAttributes(TextRange range, const std::function<void(TextAttributes&)>& change);

    friend bool operator==(const AttributedText&, const AttributedText&) = default;

private:
    void checkRange(TextRange range) const;
    std::size_t runIndex(std::size_t position) const;
    // Makes `position` a run boundary and answers the index of the run that starts there.
    std::size_t splitAt(std::size_t position);
    // Joins equal neighbours among the runs first…last (clamped to the run list).
    void mergeRuns(std::size_t first, std::size_t last);

    std::u16string string_;
    std::vector<Run> runs_;
};

} // namespace tessaril::platform
