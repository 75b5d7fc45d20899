#include "Platform/Foundation/AttributedTextBuilder.hpp"

namespace tessaril::platform {

void AttributedTextBuilder::appendCharacters(std::u16string_view text, const TextAttributes& attributes) {
    if (text.empty()) return;
    lastEndedWithCarriageReturn_ = false;
    if (!open_.empty() && open_.back().second == attributes) {
        open_.back().first.append(text);
    } else {
        open_.emplace_back(std::u16string(text), attributes);
    }
}

void AttributedTextBuilder::endParagraph(char16_t separator, const TextAttributes& attributes,
                                         const std::optional<ParagraphStyle>& style) {
    if (separator == u'\n' && lastEndedWithCarriageReturn_ && open_.empty()) {
        // The LF of a CRLF: it completes the line end of the paragraph just committed.
        open_.emplace_back(std::u16string(1, separator), attributes);
        commit(lastStyle_);
        lastEndedWithCarriageReturn_ = false;
        return;
    }
    appendCharacters(std::u16string_view(&separator, 1), attributes);
    commit(style);
    lastStyle_ = style;
    lastEndedWithCarriageReturn_ = separator == u'\r';
}

void AttributedTextBuilder::commit(const std::optional<ParagraphStyle>& style) {
    const SharedParagraphStyle& paragraphStyle = shared(style);
    for (auto& [text, attributes] : open_) {
        attributes.paragraphStyle = paragraphStyle;
        text_.append(text, std::move(attributes));
    }
    open_.clear();
}

const SharedParagraphStyle& AttributedTextBuilder::shared(const std::optional<ParagraphStyle>& style) {
    const bool same = style ? lastShared_ == *style : !lastShared_;
    if (!same) lastShared_ = style;
    return lastShared_;
}

AttributedText AttributedTextBuilder::finish(const std::optional<ParagraphStyle>& style) {
    commit(style);
    return std::move(text_);
}

} // namespace tessaril::platform
