#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Platform/Foundation/AttributedText.hpp"

namespace tessaril::platform {

// Assembles the text a reader produces, paragraph by paragraph: characters arrive with their character
// attributes, and when a paragraph ends, the paragraph style then in force goes over all of it, so
// every paragraph carries one style, shared by its runs and by the paragraphs before it that have the
// same style. A CR followed at once by an LF ends one paragraph, not two.
class AttributedTextBuilder {
public:
    // `text` holds no paragraph separator.
    void appendCharacters(std::u16string_view text, const TextAttributes& attributes);
    // Ends the open paragraph with one separator unit (LF, CR, U+2029 or U+0085).
    void endParagraph(char16_t separator, const TextAttributes& attributes, const std::optional<ParagraphStyle>& style);
    // True when nothing was appended since the last paragraph end (or at all).
    bool atParagraphStart() const { return open_.empty(); }
    // The text, with the open paragraph given `style`.
    AttributedText finish(const std::optional<ParagraphStyle>& style);

private:
    void commit(const std::optional<ParagraphStyle>& style);
    // The last style committed when `style` equals it, so that equal styles share one storage.
    const SharedParagraphStyle& shared(const std::optional<ParagraphStyle>& style);

    AttributedText text_;
    std::vector<std::pair<std::u16string, TextAttributes>> open_;
    std::optional<ParagraphStyle> lastStyle_;
    SharedParagraphStyle lastShared_;
    bool lastEndedWithCarriageReturn_ = false;
};

} // namespace tessaril::platform
