#include "TessarilCore/Rules/SinglePairAssistSettings.hpp"

#include <utility>

#include "TessarilCore/Rules/BaseKeyTrigger.hpp"
#include "TessarilCore/Rules/PairInsertionAssistSettings.hpp"
#include "TessarilCore/Rules/PairTexts.hpp"
#include "TessarilCore/Rules/QuoteAssistSettings.hpp"

namespace tessaril {

template <class Standard>
SinglePairAssistSettings<Standard>::SinglePairAssistSettings(bool isEnabled_,
                                                             WritingAssistInputModeCondition inputModeCondition_,
                                                             std::optional<Shortcut> trigger_, std::string openingText_,
                                                             std::string closingText_, KeyboardPresetSet activePresets_)
    : isEnabled(isEnabled_), inputModeCondition(inputModeCondition_), trigger(baseKeyTrigger(trigger_)),
      openingText(std::move(openingText_)), closingText(std::move(closingText_)),
      activePresets(activePresets_.intersection(keyboard_preset::standardSet)) {}

template <class Standard> void SinglePairAssistSettings<Standard>::setRequiresKanaInput(bool requiresKana) noexcept {
    inputModeCondition =
        requiresKana ? WritingAssistInputModeCondition::kanaOnly : WritingAssistInputModeCondition::eisuOnly;
}

template <class Standard> std::string SinglePairAssistSettings<Standard>::insertedText() const {
    return pair_texts::insertedText(openingText, closingText);
}

template <class Standard> std::size_t SinglePairAssistSettings<Standard>::cursorLeftCount() const {
    return pair_texts::cursorLeftCount(closingText);
}

template <class Standard>
Json JSONCoding<SinglePairAssistSettings<Standard>>::encode(const SinglePairAssistSettings<Standard>& settings) {
    Json object = Json::object();
    object["isEnabled"] = settings.isEnabled;
    object["inputModeCondition"] = coding::encode(settings.inputModeCondition);
    // Written as null when absent: a missing key would read back as the standard trigger.
    object["trigger"] = settings.trigger ? coding::encode(*settings.trigger) : Json(nullptr);
    object["openingText"] = settings.openingText;
    object["closingText"] = settings.closingText;
    object["activePresets"] = coding::encode(settings.activePresets.intersection(keyboard_preset::standardSet));
    return object;
}

namespace {

// Files from before the condition existed carry only the kana flag.
WritingAssistInputModeCondition decodeCondition(const Json& object) {
    if (auto condition = coding::decodeOptional<WritingAssistInputModeCondition>(object, "inputModeCondition")) {
        return *condition;
    }
    bool requiresKana = coding::decodeOr<bool>(object, "requiresKanaInput", true);
    return requiresKana ? WritingAssistInputModeCondition::kanaOnly : WritingAssistInputModeCondition::eisuOnly;
}

// A missing trigger is the standard one; an explicit null is no trigger.
std::optional<Shortcut> decodeTrigger(const Json& object, const Shortcut& standardTrigger) {
    auto found = object.find("trigger");
    if (found == object.end()) return standardTrigger;
    if (found->is_null()) return std::nullopt;
    return coding::atKey("trigger", [&] { return coding::decode<Shortcut>(*found); });
}

} // namespace

template <class Standard>
SinglePairAssistSettings<Standard> JSONCoding<SinglePairAssistSettings<Standard>>::decode(const Json& value) {
    coding::expectObject(value, Standard::typeName);
    // Read key by key in field order, so that of several bad values the first one is reported.
    auto isEnabled = coding::decodeOr<bool>(value, "isEnabled", false);
    auto condition = decodeCondition(value);
    auto trigger = decodeTrigger(value, Standard::trigger());
    auto openingText = coding::decodeOr<std::string>(value, "openingText", std::string(Standard::openingText));
    auto closingText = coding::decodeOr<std::string>(value, "closingText", std::string(Standard::closingText));
    auto activePresets = coding::decodeOr<KeyboardPresetSet>(value, "activePresets", keyboard_preset::standardSet);
    return SinglePairAssistSettings<Standard>(isEnabled, condition, std::move(trigger), std::move(openingText),
                                              std::move(closingText), activePresets);
}

template struct SinglePairAssistSettings<QuoteAssistStandard>;
template struct SinglePairAssistSettings<PairInsertionAssistStandard>;
template struct JSONCoding<SinglePairAssistSettings<QuoteAssistStandard>>;
template struct JSONCoding<SinglePairAssistSettings<PairInsertionAssistStandard>>;

} // namespace tessaril
