#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "Platform/Foundation/AttributedText.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseFontTrait.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseTextViewState.hpp"

namespace tessaril {

// The character commands of the phrase editor's rich toolbar, over a view state. They change only
// the text or, with no selection, the typing attributes, and always drop the preserved pasted RTF:
// the text no longer equals the pasted document once its formatting changed.

// The line decorations the toolbar switches on and off.
enum class FixedPhraseDecoration { underline, strikethrough };

// Whether a font family (as a run names it) can be shown.
using FixedPhraseFontFamilyAvailability = std::function<bool(std::string_view family)>;

// The range cut to the text, so that a selection left over from a longer text never reaches past it.
platform::TextRange fixedPhraseClippedRange(const platform::AttributedText& text, platform::TextRange range);

// The selected ranges a command works on: those at least one character long, cut to the text.
std::vector<platform::TextRange> fixedPhraseKeptSelectedRanges(const FixedPhraseTextViewState& view);

// The one path of every character command but the link: `rangeUpdate` runs for each kept range in
// order; with no selection `typingAttribute` edits the typing attributes instead.
void applyFixedPhraseTextAttributes(
    FixedPhraseTextViewState& view,
    const std::function<void(platform::AttributedText&, platform::TextRange)>& rangeUpdate,
    const std::function<void(platform::TextAttributes&)>& typingAttribute);

bool fixedPhraseFontHasTrait(const platform::Font& font, FixedPhraseFontTrait trait);
// The font with the trait added or taken away, as the font manager converts it.
platform::Font fixedPhraseFontConverted(platform::Font font, FixedPhraseFontTrait trait, bool hasTrait);

// Whether every run of the selection (or, with none, the typing font) has the trait. Runs without a
// font count as the 14-point system font.
bool fixedPhraseSelectionFullyHasFontTrait(FixedPhraseFontTrait trait, const FixedPhraseTextViewState& view);
bool fixedPhraseTextStorageFullyHasFontTrait(const platform::AttributedText& text, FixedPhraseFontTrait trait,
                                             platform::TextRange range);

bool fixedPhraseDecorationValueIsEnabled(const std::optional<int>& value);
std::optional<int> fixedPhraseDecorationValue(const platform::TextAttributes& attributes,
                                              FixedPhraseDecoration decoration);
bool fixedPhraseSelectionFullyHasDecoration(FixedPhraseDecoration decoration, const FixedPhraseTextViewState& view);
bool fixedPhraseTextStorageFullyHasDecoration(const platform::AttributedText& text, FixedPhraseDecoration decoration,
                                              platform::TextRange range);

// Bold and italic: added over the whole selection unless all of it has the trait, then taken away.
void applyFixedPhraseFontTrait(FixedPhraseFontTrait trait, FixedPhraseTextViewState& view);
// Underline and strikethrough (single line) toggle the same way.
void applyFixedPhraseDecoration(FixedPhraseDecoration decoration, FixedPhraseTextViewState& view);

// The font of a family key ("system", "serif", "mono") at a size. "serif" takes the first available
// of "Hiragino Mincho ProN" and "Times New Roman", else the system font.
platform::Font fixedPhraseFont(std::string_view family, double size,
                               const FixedPhraseFontFamilyAvailability& isAvailable);

void applyFixedPhraseFontSize(double size, FixedPhraseTextViewState& view);
// Each run takes the family at its own size. Weight and slant stay: choosing a family never takes
// bold or italic away from text that has it.
void applyFixedPhraseFontFamily(std::string_view family, FixedPhraseTextViewState& view,
                                const FixedPhraseFontFamilyAvailability& isAvailable);

// The colour wells: the text colour, or the background colour.
enum class FixedPhraseColorTarget { foreground, background };
void applyFixedPhraseColor(FixedPhraseColorTarget target, const platform::Color& color, FixedPhraseTextViewState& view);

} // namespace tessaril
