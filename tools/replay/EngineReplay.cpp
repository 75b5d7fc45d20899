#include "EngineReplay.hpp"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "TessarilCore/Engine/EngineAction.hpp"
#include "TessarilCore/Engine/EngineEvent.hpp"
#include "TessarilCore/Engine/RuleEngine.hpp"

namespace tessaril::replay {
namespace {

struct EventStep {
    EngineEvent event;
};
struct ObservedInputModeStep {
    std::optional<InputMode> mode;
};
struct NoteNonModifierKeyDownStep {};
struct ResetRuntimeStateStep {};
struct AssistInputModeAtStep {
    std::int64_t timeMilliseconds;
};
using Step = std::variant<EventStep, ObservedInputModeStep, NoteNonModifierKeyDownStep, ResetRuntimeStateStep,
                          AssistInputModeAtStep>;

std::string stepLabel(std::size_t index) { return "steps[" + std::to_string(index) + "]"; }

// A step flag the tool reads itself: only `true` asks for the call.
void expectTrue(const Json& value, std::size_t index, const std::string& name) {
    if (!value.is_boolean() || !value.get<bool>()) {
        throw UnreadableRequest(stepLabel(index) + ": \"" + name + "\" must be true");
    }
}

Step readStep(const Json& step, std::size_t index) {
    if (!step.is_object() || step.size() != 1) {
        throw UnreadableRequest(stepLabel(index) + ": a step is an object with exactly one member");
    }
    const std::string& name = step.begin().key();
    const Json& value = step.begin().value();
    // The payloads that are the system's own values go through the system's decoders, so that their
    // failures read as the system reports them.
    if (name == "event") return EventStep{coding::atKey(name, [&] { return coding::decode<EngineEvent>(value); })};
    if (name == "observedInputMode") {
        if (value.is_null()) return ObservedInputModeStep{std::nullopt};
        return ObservedInputModeStep{coding::atKey(name, [&] { return coding::decode<InputMode>(value); })};
    }
    if (name == "noteNonModifierKeyDown") {
        expectTrue(value, index, name);
        return NoteNonModifierKeyDownStep{};
    }
    if (name == "resetRuntimeState") {
        expectTrue(value, index, name);
        return ResetRuntimeStateStep{};
    }
    if (name == "assistInputModeAt") {
        if (!value.is_number_integer() || (value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))) {
            throw UnreadableRequest(stepLabel(index) + ": \"assistInputModeAt\" must be an integer of milliseconds");
        }
        return AssistInputModeAtStep{value.get<std::int64_t>()};
    }
    throw UnreadableRequest(stepLabel(index) + ": unknown step \"" + name + "\"");
}

std::vector<Step> readSteps(const Json& request) {
    auto found = request.find("steps");
    if (found == request.end() || !found->is_array()) throw UnreadableRequest("\"steps\" must be an array of steps");
    std::vector<Step> steps;
    steps.reserve(found->size());
    coding::atKey("steps", [&] {
        for (std::size_t index = 0; index < found->size(); ++index) {
            steps.push_back(coding::atIndex(index, [&] { return readStep((*found)[index], index); }));
        }
    });
    return steps;
}

// A configuration record of the request, decoded as a stored value would be; missing or null: `fallback`.
template <class T> T readRecord(const Json& request, std::string_view key, T fallback) {
    const Json* value = coding::member(request, key);
    if (value == nullptr) return fallback;
    return coding::atKey(key, [&] { return coding::decode<T>(*value); });
}

RuleEngine makeEngine(const Json& request) {
    return RuleEngine(readRecord(request, "settings", RuleEngineSettings()),
                      readRecord(request, "writingAssist", WritingAssistSettings()),
                      readRecord(request, "textTools", TextToolSettings()),
                      readRecord(request, "fixedPhraseAssist", FixedPhraseAssistSettings()),
                      readRecord(request, "activePreset", keyboard_preset::defaultPreset));
}

Json encodeActions(const std::vector<EngineAction>& actions) {
    Json array = Json::array();
    for (const auto& action : actions) array.push_back(coding::encode(action));
    return array;
}

Json runStep(RuleEngine& engine, const Step& step) {
    return std::visit(
        [&](const auto& item) -> Json {
            using Item = std::decay_t<decltype(item)>;
            if constexpr (std::is_same_v<Item, EventStep>) {
                return encodeActions(engine.handle(item.event));
            } else if constexpr (std::is_same_v<Item, ObservedInputModeStep>) {
                engine.setObservedInputMode(item.mode);
                return Json::array();
            } else if constexpr (std::is_same_v<Item, NoteNonModifierKeyDownStep>) {
                return encodeActions(engine.noteNonModifierKeyDown());
            } else if constexpr (std::is_same_v<Item, ResetRuntimeStateStep>) {
                engine.resetRuntimeState();
                return Json::array();
            } else {
                auto mode = engine.assistInputMode(item.timeMilliseconds);
                return mode ? coding::encode(*mode) : Json(nullptr);
            }
        },
        step);
}

} // namespace

int runEngineReplay(const Invocation& invocation) {
    const Json request = invocation.readRequest();
    if (!request.is_object()) throw UnreadableRequest("the request must be a JSON object");
    // Everything is read before anything runs, so that an unreadable request prints no partial output.
    auto steps = readSteps(request);
    auto engine = makeEngine(request);
    for (const auto& step : steps) invocation.emit(runStep(engine, step));
    return 0;
}

} // namespace tessaril::replay
