#include "TessarilCore/Rules/FixedPhraseRule.hpp"

#include <utility>

#include "TessarilCore/Rules/BaseKeyTrigger.hpp"
#include "TessarilCore/Rules/FixedPhraseLegacyModes.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {
namespace {

// The first `limit` user-perceived characters; a text within the limit is handed back without a copy.
std::string cutToCharacters(std::string text, std::size_t limit) {
    if (text.size() <= limit) return text;
    return unicode::prefixCharacters(text, limit);
}

std::optional<std::string> cutToCharacters(std::optional<std::string> text, std::size_t limit) {
    if (!text) return std::nullopt;
    return cutToCharacters(std::move(*text), limit);
}

} // namespace

FixedPhraseRule::FixedPhraseRule(std::string id_, std::string title_, bool isEnabled_, std::optional<Shortcut> trigger_,
                                 std::string plainText_, std::optional<std::string> richTextRTFBase64_,
                                 std::optional<std::string> htmlText_, FixedPhraseInsertionFormat insertionFormat_,
                                 std::optional<FixedPhraseInputMode> inputMode_,
                                 std::optional<FixedPhrasePreviewMode> previewMode_,
                                 std::optional<FixedPhraseInsertionMode> insertionMode_,
                                 KeyboardPresetSet activePresets_)
    : id(id_.empty() ? UUIDGenerator::next() : std::move(id_)), title(std::move(title_)), isEnabled(isEnabled_),
      trigger(baseKeyTrigger(trigger_)), plainText(std::move(plainText_)),
      richTextRTFBase64(std::move(richTextRTFBase64_)), htmlText(std::move(htmlText_)),
      insertionFormat(insertionFormat_),
      inputMode(inputMode_.value_or(fixed_phrase::derivedInputMode(
          insertionFormat_, richTextRTFBase64 && !richTextRTFBase64->empty()))),
      previewMode(previewMode_.value_or(fixed_phrase::derivedPreviewMode(insertionFormat_))),
      insertionMode(insertionMode_.value_or(fixed_phrase::derivedInsertionMode(insertionFormat_))),
      activePresets(activePresets_.intersection(keyboard_preset::standardSet)) {}

std::string FixedPhraseRule::previewText() const {
    std::string trimmed = unicode::trimmingWhitespaceAndNewlines(title);
    if (trimmed.empty()) return std::string(untitledPreviewText);
    // A cut inside the title can end on white space; a label never shows it.
    return unicode::prefixCharactersTrimmingEnd(trimmed, previewTextLength);
}

FixedPhraseRule FixedPhraseRule::normalizedForImport() const {
    FixedPhraseRule copy = *this;
    if (copy.id.empty()) copy.id = UUIDGenerator::next();
    copy.title = cutToCharacters(std::move(copy.title), maximumTitleLength);
    copy.trigger = baseKeyTrigger(copy.trigger);
    copy.plainText = cutToCharacters(std::move(copy.plainText), maximumPlainTextLength);
    copy.richTextRTFBase64 = cutToCharacters(std::move(copy.richTextRTFBase64), maximumRichTextRTFBase64Length);
    copy.htmlText = cutToCharacters(std::move(copy.htmlText), maximumHTMLTextLength);
    copy.activePresets = copy.activePresets.intersection(keyboard_preset::standardSet);
    return copy;
}

Json JSONCoding<FixedPhraseRule>::encode(const FixedPhraseRule& rule) {
    Json object{{"id", rule.id},
                {"title", rule.title},
                {"isEnabled", rule.isEnabled},
                {"plainText", rule.plainText},
                {"insertionFormat", coding::encode(rule.insertionFormat)},
                {"inputMode", coding::encode(rule.inputMode)},
                {"previewMode", coding::encode(rule.previewMode)},
                {"insertionMode", coding::encode(rule.insertionMode)},
                {"activePresets", coding::encode(rule.activePresets)}};
    if (rule.trigger) object["trigger"] = coding::encode(*rule.trigger);
    if (rule.richTextRTFBase64) object["richTextRTFBase64"] = *rule.richTextRTFBase64;
    if (rule.htmlText) object["htmlText"] = *rule.htmlText;
    return object;
}

FixedPhraseRule JSONCoding<FixedPhraseRule>::decode(const Json& value) {
    coding::expectObject(value, "FixedPhraseRule");
    // Every key may be missing; the constructor fills in the id and derives the modes older documents
    // lack. Read key by key in field order, so that of several bad values the first one is reported.
    auto id = coding::decodeOr<std::string>(value, "id", {});
    auto title = coding::decodeOr<std::string>(value, "title", {});
    auto isEnabled = coding::decodeOr<bool>(value, "isEnabled", true);
    auto trigger = coding::decodeOptional<Shortcut>(value, "trigger");
    auto plainText = coding::decodeOr<std::string>(value, "plainText", {});
    auto richTextRTFBase64 = coding::decodeOptional<std::string>(value, "richTextRTFBase64");
    auto htmlText = coding::decodeOptional<std::string>(value, "htmlText");
    auto insertionFormat = coding::decodeOr(value, "insertionFormat", FixedPhraseInsertionFormat::plain);
    auto inputMode = coding::decodeOptional<FixedPhraseInputMode>(value, "inputMode");
    auto previewMode = coding::decodeOptional<FixedPhrasePreviewMode>(value, "previewMode");
    auto insertionMode = coding::decodeOptional<FixedPhraseInsertionMode>(value, "insertionMode");
    auto activePresets = coding::decodeOr(value, "activePresets", keyboard_preset::standardSet);
    return FixedPhraseRule(std::move(id), std::move(title), isEnabled, std::move(trigger), std::move(plainText),
                           std::move(richTextRTFBase64), std::move(htmlText), insertionFormat, inputMode, previewMode,
                           insertionMode, activePresets);
}

} // namespace tessaril
