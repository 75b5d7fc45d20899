#include "TessarilMac/RichText/FixedPhraseLinkCopies.hpp"

#include <unordered_set>
#include <vector>

#include "TessarilMac/RichText/FixedPhraseParagraphWalk.hpp"

namespace tessaril {
namespace {

// Bytes of repeated link targets allowed per UTF-16 unit of the text.
constexpr std::size_t repeatedTargetBytesPerCharacter = 16;

// One copy for every paragraph the range reaches into; a CR LF is one line end.
std::size_t paragraphsIn(std::u16string_view string, platform::TextRange range) {
    std::size_t paragraphs = 1;
    for (std::size_t at = range.location; at + 1 < range.end(); ++at) {
        if (platform::AttributedText::isParagraphSeparator(string[at]) &&
            !(string[at] == u'\r' && string[at + 1] == u'\n'))
            ++paragraphs;
    }
    return paragraphs;
}

} // namespace

// The first copy of each target is free, as the input held it once; every further copy is charged
// against a budget that grows with the text, and a span whose copies no longer fit keeps its text only.
std::optional<platform::AttributedText> fixedPhraseTextWithAffordableLinks(const platform::AttributedText& text) {
    const auto& runs = text.runs();
    std::size_t budget = repeatedTargetBytesPerCharacter * text.length();
    std::unordered_set<platform::SharedString> written;
    std::vector<platform::TextRange> refused; // in text order
    for (std::size_t index = 0; index < runs.size();) {
        const auto& link = runs[index].attributes.link;
        std::size_t end = index + 1;
        if (!link) {
            index = end;
            continue;
        }
        while (end < runs.size() && runs[end].attributes.link == link)
            ++end;
        const platform::TextRange span{runs[index].range.location,
                                       runs[end - 1].range.end() - runs[index].range.location};
        const bool first = !written.contains(*link);
        // Copies are at most the text's length, so the product stays far below overflow.
        const std::size_t charged = (paragraphsIn(text.string(), span) - (first ? 1 : 0)) * link->size();
        if (charged <= budget) {
            budget -= charged;
            if (first) written.insert(*link);
        } else {
            refused.push_back(span);
        }
        index = end;
    }
    if (refused.empty()) return std::nullopt;
    std::size_t next = 0;
    return withChangedRuns(text, [&](const FixedPhraseParagraph&, platform::TextRange piece,
                                     platform::TextAttributes& attributes) {
        while (next < refused.size() && refused[next].end() <= piece.location)
            ++next;
        if (next < refused.size() && refused[next].location <= piece.location) attributes.link.reset();
    });
}

} // namespace tessaril
