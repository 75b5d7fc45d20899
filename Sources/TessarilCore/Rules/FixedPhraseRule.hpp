#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "TessarilCore/Rules/FixedPhraseInputMode.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertionFormat.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertionMode.hpp"
#include "TessarilCore/Rules/FixedPhrasePreviewMode.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Input/Shortcut.hpp"

namespace tessaril {

// One fixed phrase: a snippet of plain text, RTF or HTML inserted when its trigger is pressed.
// Created and edited by the phrase editor, matched by the rule engine. A value; any thread.
struct FixedPhraseRule {
    // Import keeps at most these many user-perceived characters of each text.
    static constexpr std::size_t maximumTitleLength = 80;
    static constexpr std::size_t maximumPlainTextLength = 10000;
    static constexpr std::size_t maximumRichTextRTFBase64Length = 100000;
    static constexpr std::size_t maximumHTMLTextLength = 50000;
    static constexpr std::size_t previewTextLength = 32;
    static constexpr std::string_view untitledPreviewText = "無題の定型文";

    std::string id;
    std::string title;
    bool isEnabled = true;
    std::optional<Shortcut> trigger;
    std::string plainText;
    std::optional<std::string> richTextRTFBase64;
    std::optional<std::string> htmlText;
    FixedPhraseInsertionFormat insertionFormat = FixedPhraseInsertionFormat::plain;
    FixedPhraseInputMode inputMode = FixedPhraseInputMode::plain;
    FixedPhrasePreviewMode previewMode = FixedPhrasePreviewMode::raw;
    FixedPhraseInsertionMode insertionMode = FixedPhraseInsertionMode::text;
    KeyboardPresetSet activePresets = keyboard_preset::standardSet;

    // An empty id becomes a new UUID string, a character-key trigger its base form, and absent modes
    // are derived as for a phrase of an older document.
    FixedPhraseRule(std::string id, std::string title, bool isEnabled, std::optional<Shortcut> trigger,
                    std::string plainText, std::optional<std::string> richTextRTFBase64 = std::nullopt,
                    std::optional<std::string> htmlText = std::nullopt,
                    FixedPhraseInsertionFormat insertionFormat = FixedPhraseInsertionFormat::plain,
                    std::optional<FixedPhraseInputMode> inputMode = std::nullopt,
                    std::optional<FixedPhrasePreviewMode> previewMode = std::nullopt,
                    std::optional<FixedPhraseInsertionMode> insertionMode = std::nullopt,
                    KeyboardPresetSet activePresets = keyboard_preset::standardSet);

    // The label of the phrase in the shortcut registry.
    std::string previewText() const;

    bool isActive(KeyboardPreset preset) const noexcept { return activePresets.contains(preset); }

    // Whether inserting the phrase would insert anything. HTML counts only for an HTML phrase, since
    // the other formats never read it; blank text counts, only zero length does not.
    bool hasContent() const noexcept {
        if (!plainText.empty()) return true;
        if (richTextRTFBase64 && !richTextRTFBase64->empty()) return true;
        return insertionFormat == FixedPhraseInsertionFormat::html && htmlText && !htmlText->empty();
    }

    // Whether an attempt of `shortcut` in `preset` fires this phrase (first match in list order wins).
    bool matches(const Shortcut& shortcut, KeyboardPreset preset) const noexcept {
        return isEnabled && trigger && isActive(preset) && hasContent() && *trigger == shortcut;
    }

    // A copy fit to import: id filled in, trigger in base form, texts cut to their maximum lengths.
    FixedPhraseRule normalizedForImport() const;

    friend bool operator==(const FixedPhraseRule&, const FixedPhraseRule&) = default;
};

template <> struct JSONCoding<FixedPhraseRule> {
    static Json encode(const FixedPhraseRule& rule);
    static FixedPhraseRule decode(const Json& value);
};

} // namespace tessaril
