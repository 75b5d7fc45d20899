#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "Platform/Foundation/AttributedText.hpp"
#include "Platform/Foundation/Font.hpp"

namespace tessaril {

// What a formatting command reads and changes of a phrase editor: its text, its selection (the first
// range is the primary one), the attributes the next typed character takes, the editor's own font and
// the RTF of a whole-text paste. The view hands it out and takes it back, so every command runs and
// is tested without a widget. A plain value.
struct FixedPhraseTextViewState {
    platform::AttributedText text;
    std::vector<platform::TextRange> selectedRanges{platform::TextRange{}};
    platform::TextAttributes typingAttributes;
    platform::Font font = platform::Font::system(14);
    // The RTF of the paste that replaced the whole text; gone once the text no longer equals it.
    std::optional<std::vector<std::uint8_t>> preservedWholePasteRTFData;

    platform::TextRange primarySelectedRange() const {
        return selectedRanges.empty() ? platform::TextRange{} : selectedRanges.front();
    }

    friend bool operator==(const FixedPhraseTextViewState&, const FixedPhraseTextViewState&) = default;
};

} // namespace tessaril
