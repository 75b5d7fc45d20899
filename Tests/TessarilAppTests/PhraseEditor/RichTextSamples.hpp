#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "Platform/Foundation/AttributedText.hpp"
#include "PlatformTests/Foundation/AttributedTextPrinter.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseTextViewState.hpp"

namespace tessaril::testing {

// Builds attributed text from (UTF-16 text, attributes) pieces, so that a test reads as its runs.
inline platform::AttributedText richText(
    std::initializer_list<std::pair<std::u16string, platform::TextAttributes>> pieces) {
    platform::AttributedText text;
    for (const auto& [characters, attributes] : pieces) text.append(characters, attributes);
    return text;
}

inline platform::TextAttributes withFont(platform::Font font) {
    platform::TextAttributes attributes;
    attributes.font = std::move(font);
    return attributes;
}

inline platform::TextAttributes system14() { return withFont(platform::Font::system(14)); }
inline platform::TextAttributes bold14() { return withFont(platform::Font::system(14, platform::FontWeight::bold)); }

inline platform::TextAttributes withParagraph(platform::TextAttributes attributes, platform::ParagraphStyle style) {
    attributes.paragraphStyle = std::move(style);
    return attributes;
}

// What the list buttons give a paragraph that had no paragraph style.
inline platform::ParagraphStyle listParagraph(std::string_view markerFormat) {
    platform::ParagraphStyle style;
    style.headIndent = 24;
    style.tabStops = {{platform::TextAlignment::left, 24}};
    style.textLists = {platform::TextList{std::string(markerFormat)}};
    return style;
}

inline FixedPhraseTextViewState viewState(platform::AttributedText text, std::vector<platform::TextRange> selection,
                                          platform::TextAttributes typing = {}) {
    FixedPhraseTextViewState state;
    state.text = std::move(text);
    state.selectedRanges = std::move(selection);
    state.typingAttributes = std::move(typing);
    return state;
}

} // namespace tessaril::testing
