#include "TessarilCore/Engine/EngineAction.hpp"

namespace tessaril {
namespace {

using Kind = EngineAction::Kind;

Json payloadOf(const EngineAction::Payload& payload) {
    using A = EngineAction;
    return std::visit(
        [](const auto& item) -> Json {
            using Case = std::decay_t<decltype(item)>;
            if constexpr (std::is_same_v<Case, A::SetInputMode>) {
                return Json{{"_0", coding::encode(item.mode)}};
            } else if constexpr (std::is_same_v<Case, A::ScheduleInputMode>) {
                return Json{{"_0", coding::encode(item.mode)},
                            {"delayMilliseconds", item.delayMilliseconds},
                            {"commandSide", coding::encode(item.commandSide)}};
            } else if constexpr (std::is_same_v<Case, A::RecordModifierGraceCorrection>) {
                return Json{{"side", coding::encode(item.side)},
                            {"companionModifier", coding::encode(item.companionModifier)},
                            {"from", coding::encode(item.from)},
                            {"to", coding::encode(item.to)},
                            {"overlapMilliseconds", item.overlapMilliseconds}};
            } else if constexpr (std::is_same_v<Case, A::CancelScheduledInputMode> ||
                                 std::is_same_v<Case, A::BeginCommandTracking> ||
                                 std::is_same_v<Case, A::UseCommandAsModifier> ||
                                 std::is_same_v<Case, A::FinishCommandTracking>) {
                return Json{{"_0", coding::encode(item.side)}};
            } else if constexpr (std::is_same_v<Case, A::SuppressPhysicalKey>) {
                return Json{{"_0", coding::encode(item.key)}};
            } else if constexpr (std::is_same_v<Case, A::InsertText>) {
                return Json{{"_0", item.text}};
            } else if constexpr (std::is_same_v<Case, A::InsertTextAndMoveCursorLeft>) {
                return Json{{"_0", item.text}, {"count", item.count}};
            } else if constexpr (std::is_same_v<Case, A::InsertTextPair>) {
                return Json{{"opening", item.opening}, {"closing", item.closing}};
            } else if constexpr (std::is_same_v<Case, A::PerformTextTool>) {
                return Json{{"_0", coding::encode(item.action)}};
            } else if constexpr (std::is_same_v<Case, A::InsertFixedPhrase>) {
                return Json{{"_0", coding::encode(item.insertion)}};
            } else {
                return Json{{"_0", coding::encode(item.shortcut)}};
            }
        },
        payload);
}

template <class T> T required(const Json& object, std::string_view key) { return coding::decodeRequired<T>(object, key); }

EngineAction::Payload decodePayload(Kind kind, const Json& value) {
    using A = EngineAction;
    switch (kind) {
    case Kind::setInputMode: return A::SetInputMode{required<InputMode>(value, "_0")};
    case Kind::scheduleInputMode:
        return A::ScheduleInputMode{required<InputMode>(value, "_0"), required<std::int64_t>(value, "delayMilliseconds"),
                                    required<CommandKeySide>(value, "commandSide")};
    case Kind::cancelScheduledInputMode: return A::CancelScheduledInputMode{required<CommandKeySide>(value, "_0")};
    case Kind::recordModifierGraceCorrection:
        return A::RecordModifierGraceCorrection{
            required<CommandKeySide>(value, "side"), required<CompanionModifier>(value, "companionModifier"),
            required<InputMode>(value, "from"), required<InputMode>(value, "to"),
            required<std::int64_t>(value, "overlapMilliseconds")};
    case Kind::beginCommandTracking: return A::BeginCommandTracking{required<CommandKeySide>(value, "_0")};
    case Kind::useCommandAsModifier: return A::UseCommandAsModifier{required<CommandKeySide>(value, "_0")};
    case Kind::finishCommandTracking: return A::FinishCommandTracking{required<CommandKeySide>(value, "_0")};
    case Kind::suppressPhysicalKey: return A::SuppressPhysicalKey{required<PhysicalKey>(value, "_0")};
    case Kind::insertText: return A::InsertText{required<std::string>(value, "_0")};
    case Kind::insertTextAndMoveCursorLeft:
        return A::InsertTextAndMoveCursorLeft{required<std::string>(value, "_0"), required<std::int64_t>(value, "count")};
    case Kind::insertTextPair:
        return A::InsertTextPair{required<std::string>(value, "opening"), required<std::string>(value, "closing")};
    case Kind::performTextTool: return A::PerformTextTool{required<TextToolAction>(value, "_0")};
    case Kind::insertFixedPhrase: {
        const Json* insertion = coding::member(value, "_0");
        if (insertion == nullptr) throw DecodingError::keyNotFound("_0");
        return A::InsertFixedPhrase{coding::atKey("_0", [&] { return coding::decode<FixedPhraseInsertion>(*insertion); })};
    }
    case Kind::suppressShortcut: return A::SuppressShortcut{required<Shortcut>(value, "_0")};
    case Kind::allowShortcut: return A::AllowShortcut{required<Shortcut>(value, "_0")};
    }
    throw DecodingError::invalidNumberOfCaseKeys();
}

} // namespace

Json JSONCoding<EngineAction>::encode(const EngineAction& action) {
    Json object = Json::object();
    object[std::string(rawValue(action.kind()))] = payloadOf(action.payload());
    return object;
}

EngineAction JSONCoding<EngineAction>::decode(const Json& value) {
    static constexpr auto names = JSONCoding<Kind>::names();
    auto found = coding::decodeCaseObject(value, names, "EngineAction");
    auto kind = EnumCases<Kind>::cases[found.caseIndex].first;
    return EngineAction(coding::atKey(names[found.caseIndex], [&] { return decodePayload(kind, *found.value); }));
}

} // namespace tessaril
