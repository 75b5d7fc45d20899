#include "TessarilApp/PhraseEditor/FixedPhraseCharacterCommands.hpp"

#include <algorithm>
#include <array>
#include <string>

namespace tessaril {

using platform::AttributedText;
using platform::Color;
using platform::Font;
using platform::FontWeight;
using platform::TextAttributes;
using platform::TextRange;

namespace {

Font fontOrSystem(const std::optional<Font>& font, double size = 14) { return font ? *font : Font::system(size); }

template <class Test> bool everyRunPasses(const AttributedText& text, TextRange range, Test test) {
    const auto runs = text.runs(fixedPhraseClippedRange(text, range));
    return std::all_of(runs.begin(), runs.end(), [&](const AttributedText::Run& run) {
        return run.range.length == 0 || test(run.attributes);
    });
}

template <class Test> bool everyKeptRangePasses(const FixedPhraseTextViewState& view, Test test) {
    const auto ranges = fixedPhraseKeptSelectedRanges(view);
    return std::all_of(ranges.begin(), ranges.end(),
                       [&](TextRange range) { return everyRunPasses(view.text, range, test); });
}

std::optional<int>& decorationMember(TextAttributes& attributes, FixedPhraseDecoration decoration) {
    return decoration == FixedPhraseDecoration::underline ? attributes.underlineStyle
                                                          : attributes.strikethroughStyle;
}

} // namespace

TextRange fixedPhraseClippedRange(const AttributedText& text, TextRange range) {
    const std::size_t location = std::min(range.location, text.length());
    return {location, std::min(range.length, text.length() - location)};
}

std::vector<TextRange> fixedPhraseKeptSelectedRanges(const FixedPhraseTextViewState& view) {
    std::vector<TextRange> kept;
    for (const TextRange& range : view.selectedRanges) {
        const TextRange clipped = fixedPhraseClippedRange(view.text, range);
        if (clipped.length >= 1) kept.push_back(clipped);
    }
    return kept;
}

void applyFixedPhraseTextAttributes(FixedPhraseTextViewState& view,
                                    const std::function<void(AttributedText&, TextRange)>& rangeUpdate,
                                    const std::function<void(TextAttributes&)>& typingAttribute) {
    view.preservedWholePasteRTFData.reset();
    const auto ranges = fixedPhraseKeptSelectedRanges(view);
    if (ranges.empty()) {
        typingAttribute(view.typingAttributes);
        return;
    }
    for (const TextRange& range : ranges) rangeUpdate(view.text, range);
}

bool fixedPhraseFontHasTrait(const Font& font, FixedPhraseFontTrait trait) {
    return trait == FixedPhraseFontTrait::bold ? font.isBold() : font.italic;
}

Font fixedPhraseFontConverted(Font font, FixedPhraseFontTrait trait, bool hasTrait) {
    if (trait == FixedPhraseFontTrait::italic) {
        font.italic = hasTrait;
    } else if (hasTrait && !font.isBold()) {
        font.weight = FontWeight::bold;
    } else if (!hasTrait && font.isBold()) {
        font.weight = FontWeight::regular;
    }
    return font;
}

bool fixedPhraseTextStorageFullyHasFontTrait(const AttributedText& text, FixedPhraseFontTrait trait, TextRange range) {
    return everyRunPasses(text, range, [&](const TextAttributes& attributes) {
        return fixedPhraseFontHasTrait(fontOrSystem(attributes.font), trait);
    });
}

bool fixedPhraseSelectionFullyHasFontTrait(FixedPhraseFontTrait trait, const FixedPhraseTextViewState& view) {
    if (fixedPhraseKeptSelectedRanges(view).empty()) {
        return fixedPhraseFontHasTrait(view.typingAttributes.font.value_or(view.font), trait);
    }
    return everyKeptRangePasses(view, [&](const TextAttributes& attributes) {
        return fixedPhraseFontHasTrait(fontOrSystem(attributes.font), trait);
    });
}

bool fixedPhraseDecorationValueIsEnabled(const std::optional<int>& value) { return value && *value != 0; }

std::optional<int> fixedPhraseDecorationValue(const TextAttributes& attributes, FixedPhraseDecoration decoration) {
    return decoration == FixedPhraseDecoration::underline ? attributes.underlineStyle : attributes.strikethroughStyle;
}

bool fixedPhraseTextStorageFullyHasDecoration(const AttributedText& text, FixedPhraseDecoration decoration,
                                              TextRange range) {
    return everyRunPasses(text, range, [&](const TextAttributes& attributes) {
        return fixedPhraseDecorationValueIsEnabled(fixedPhraseDecorationValue(attributes, decoration));
    });
}

bool fixedPhraseSelectionFullyHasDecoration(FixedPhraseDecoration decoration, const FixedPhraseTextViewState& view) {
    if (fixedPhraseKeptSelectedRanges(view).empty()) {
        return fixedPhraseDecorationValueIsEnabled(fixedPhraseDecorationValue(view.typingAttributes, decoration));
    }
    return everyKeptRangePasses(view, [&](const TextAttributes& attributes) {
        return fixedPhraseDecorationValueIsEnabled(fixedPhraseDecorationValue(attributes, decoration));
    });
}

void applyFixedPhraseFontTrait(FixedPhraseFontTrait trait, FixedPhraseTextViewState& view) {
    const bool full = fixedPhraseSelectionFullyHasFontTrait(trait, view);
    auto convert = [&](TextAttributes& attributes) {
        attributes.font = fixedPhraseFontConverted(fontOrSystem(attributes.font), trait, !full);
    };
    applyFixedPhraseTextAttributes(
        view, [&](AttributedText& text, TextRange range) { text.updateAttributes(range, convert); }, convert);
}

void applyFixedPhraseDecoration(FixedPhraseDecoration decoration, FixedPhraseTextViewState& view) {
    const bool full = fixedPhraseSelectionFullyHasDecoration(decoration, view);
    auto change = [&](TextAttributes& attributes) {
        auto& member = decorationMember(attributes, decoration);
        if (full) {
            member.reset();
        } else {
            member = 1;
        }
    };
    applyFixedPhraseTextAttributes(
        view, [&](AttributedText& text, TextRange range) { text.updateAttributes(range, change); }, change);
}

Font fixedPhraseFont(std::string_view family, double size, const FixedPhraseFontFamilyAvailability& isAvailable) {
    if (family == "serif") {
        static constexpr std::array<std::string_view, 2> serifFamilies{"Hiragino Mincho ProN", "Times New Roman"};
        for (std::string_view name : serifFamilies) {
            if (isAvailable && isAvailable(name)) return Font{std::string(name), size};
        }
        return Font::system(size);
    }
    if (family == "mono") return Font::monospacedSystem(size);
    return Font::system(size);
}

void applyFixedPhraseFontSize(double size, FixedPhraseTextViewState& view) {
    auto resize = [&](TextAttributes& attributes) {
        Font font = fontOrSystem(attributes.font, size);
        font.pointSize = size;
        attributes.font = font;
    };
    applyFixedPhraseTextAttributes(
        view, [&](AttributedText& text, TextRange range) { text.updateAttributes(range, resize); }, resize);
}

void applyFixedPhraseFontFamily(std::string_view family, FixedPhraseTextViewState& view,
                                const FixedPhraseFontFamilyAvailability& isAvailable) {
    auto refamily = [&](TextAttributes& attributes) {
        const Font current = fontOrSystem(attributes.font);
        Font font = fixedPhraseFont(family, current.pointSize, isAvailable);
        // The family menu changes the typeface only: bold and italic the user gave the text stay.
        font.weight = current.weight;
        font.italic = current.italic;
        attributes.font = font;
    };
    applyFixedPhraseTextAttributes(
        view, [&](AttributedText& text, TextRange range) { text.updateAttributes(range, refamily); }, refamily);
}

void applyFixedPhraseColor(FixedPhraseColorTarget target, const Color& color, FixedPhraseTextViewState& view) {
    auto paint = [&](TextAttributes& attributes) {
        (target == FixedPhraseColorTarget::background ? attributes.backgroundColor : attributes.foregroundColor) = color;
    };
    applyFixedPhraseTextAttributes(
        view, [&](AttributedText& text, TextRange range) { text.updateAttributes(range, paint); }, paint);
}

} // namespace tessaril
