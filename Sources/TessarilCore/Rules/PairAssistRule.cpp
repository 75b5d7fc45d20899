#include "TessarilCore/Rules/PairAssistRule.hpp"

#include <utility>

#include "TessarilCore/Rules/BaseKeyTrigger.hpp"
#include "TessarilCore/Rules/PairTexts.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"

namespace tessaril {

PairAssistRule::PairAssistRule(std::string id_, std::string title_, bool isEnabled_,
                               WritingAssistInputModeCondition inputModeCondition_, std::optional<Shortcut> trigger_,
                               std::string openingText_, std::string closingText_, KeyboardPresetSet activePresets_)
    : id(id_.empty() ? UUIDGenerator::next() : std::move(id_)),
      title(title_.empty() ? std::string(defaultTitle) : std::move(title_)), isEnabled(isEnabled_),
      inputModeCondition(inputModeCondition_), trigger(baseKeyTrigger(trigger_)), openingText(std::move(openingText_)),
      closingText(std::move(closingText_)), activePresets(activePresets_.intersection(keyboard_preset::standardSet)) {}

std::string PairAssistRule::insertedText() const { return pair_texts::insertedText(openingText, closingText); }

std::size_t PairAssistRule::cursorLeftCount() const { return pair_texts::cursorLeftCount(closingText); }

Json JSONCoding<PairAssistRule>::encode(const PairAssistRule& rule) {
    Json object = Json::object();
    object["id"] = rule.id;
    object["title"] = rule.title;
    object["isEnabled"] = rule.isEnabled;
    object["inputModeCondition"] = coding::encode(rule.inputModeCondition);
    if (rule.trigger) object["trigger"] = coding::encode(*rule.trigger);
    object["openingText"] = rule.openingText;
    object["closingText"] = rule.closingText;
    object["activePresets"] = coding::encode(rule.activePresets);
    return object;
}

PairAssistRule JSONCoding<PairAssistRule>::decode(const Json& value) {
    coding::expectObject(value, "PairAssistRule");
    // Read key by key in field order, so that of several bad values the first one is reported.
    // Missing, null and empty identifiers and titles all end in the constructor's replacements.
    auto id = coding::decodeOr<std::string>(value, "id", {});
    auto title = coding::decodeOr<std::string>(value, "title", {});
    auto isEnabled = coding::decodeOr<bool>(value, "isEnabled", false);
    auto condition = coding::decodeOr(value, "inputModeCondition", WritingAssistInputModeCondition::kanaOnly);
    auto trigger = coding::decodeOptional<Shortcut>(value, "trigger");
    auto openingText = coding::decodeOr<std::string>(value, "openingText", {});
    auto closingText = coding::decodeOr<std::string>(value, "closingText", {});
    auto activePresets = coding::decodeOr(value, "activePresets", keyboard_preset::standardSet);
    return PairAssistRule(std::move(id), std::move(title), isEnabled, condition, std::move(trigger),
                          std::move(openingText), std::move(closingText), activePresets);
}

} // namespace tessaril
