#include "SessionReplay.hpp"

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "Platform/Session/SimulatedSession.hpp"
#include "TessarilCore/Input/InputMode.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilMac/InputMode/MacInputSourceSelection.hpp"
#include "Doubles/SessionShellRecorder.hpp"
#include "RequestReading.hpp"

namespace tessaril::replay {
namespace {

using Json = nlohmann::json;
using namespace request_reading;

struct AdvanceStep {
    std::uint64_t milliseconds;
};
struct KeyStep {
    platform::EventType type;
    platform::KeyStroke stroke;
};
struct ClickStep {
    platform::PointerButton button;
};
struct FrontmostStep {
    std::optional<std::string> bundleIdentifier;
};
struct UpdateSettingsStep {
    TessarilSettings settings;
};
struct SuspendStep {
    bool isSuspended;
    std::string reason;
};
struct ResetStep {};
struct SelectInputSourceStep {
    std::string sourceID;
};
struct TrustedStep {
    bool trusted;
};
struct DisableTapStep {
    platform::EventType reason;
};
using Step = std::variant<AdvanceStep, KeyStep, ClickStep, FrontmostStep, UpdateSettingsStep, SuspendStep, ResetStep,
                          SelectInputSourceStep, TrustedStep, DisableTapStep>;

// Everything the request asks for, read in full before anything runs, so that an unreadable request
// prints no partial output.
struct Request {
    platform::SessionConfiguration session;
    TessarilSettings settings;
    std::map<InputMode, MacInputSourceSelection> savedInputSources;
    std::vector<Step> steps;
};

std::set<std::string> sourceIDs(const std::vector<platform::InputSourceProperties>& sources) {
    std::set<std::string> identifiers;
    for (const auto& source : sources) identifiers.insert(*source.sourceID);
    return identifiers;
}

std::string installedSource(const Json& value, const std::string& where, const std::set<std::string>& installed) {
    auto identifier = text(value, where);
    if (!installed.contains(identifier)) unreadable(where, "\"" + identifier + "\" is not among the input sources");
    return identifier;
}

std::map<InputMode, MacInputSourceSelection> readSavedInputSources(const Json& value) {
    expectObject(value, "savedInputSources");
    std::map<InputMode, MacInputSourceSelection> saved;
    for (const auto& [modeName, selection] : value.items()) {
        const std::string where = "savedInputSources." + modeName;
        auto mode = enumFromRawValue<InputMode>(modeName);
        if (!mode) unreadable(where, "is not an input mode");
        expectObject(selection, where);
        expectOnlyKeys(selection, {"sourceID", "inputModeID", "localizedName"}, where);
        const Json* sourceID = member(selection, "sourceID");
        if (sourceID == nullptr) unreadable(where, "needs a \"sourceID\"");
        auto identifier = text(*sourceID, where + ".sourceID");
        auto name = optionalText(member(selection, "localizedName"), where + ".localizedName");
        saved.emplace(*mode, MacInputSourceSelection{identifier,
                                                     optionalText(member(selection, "inputModeID"), where + ".inputModeID"),
                                                     name.value_or(identifier)});
    }
    return saved;
}

platform::EventFlags flagBits(const Json& value, const std::string& where) {
    static const std::map<std::string, platform::EventFlags> bits{
        {"command", platform::event_flags::maskCommand},
        {"shift", platform::event_flags::maskShift},
        {"option", platform::event_flags::maskAlternate},
        {"control", platform::event_flags::maskControl},
    };
    if (!value.is_array()) unreadable(where, "must be an array of modifier names");
    platform::EventFlags flags = 0;
    for (const auto& name : value) {
        auto found = name.is_string() ? bits.find(name.get<std::string>()) : bits.end();
        if (found == bits.end()) unreadable(where, "holds something other than command, shift, option or control");
        flags |= found->second;
    }
    return flags;
}

platform::KeyStroke readKeyStroke(const Json& value, const std::string& where) {
    expectObject(value, where);
    expectOnlyKeys(value, {"keyCode", "flags", "keyboardType", "autorepeat"}, where);
    const Json* keyCode = member(value, "keyCode");
    if (keyCode == nullptr) unreadable(where, "needs a \"keyCode\"");
    platform::KeyStroke stroke;
    // Any code the event system can carry; the controller passes what no key has.
    stroke.keyCode = integer(*keyCode, where + ".keyCode", std::numeric_limits<std::int64_t>::min(),
                             std::numeric_limits<std::int64_t>::max());
    if (const Json* flags = member(value, "flags")) stroke.flags = flagBits(*flags, where + ".flags");
    if (const Json* type = member(value, "keyboardType")) {
        stroke.keyboardType = integer(*type, where + ".keyboardType", std::numeric_limits<std::int64_t>::min(),
                                      std::numeric_limits<std::int64_t>::max());
    }
    stroke.autorepeat = flag(member(value, "autorepeat"), where + ".autorepeat", false);
    return stroke;
}

Step readStep(const Json& step, const std::string& where, const std::set<std::string>& installed) {
    expectObject(step, where);
    if (const Json* suspend = member(step, "suspend")) {
        expectOnlyKeys(step, {"suspend", "reason"}, where);
        const Json* reason = member(step, "reason");
        return SuspendStep{flag(suspend, where + ".suspend", false),
                           reason ? text(*reason, where + ".reason") : std::string("shortcut-capture")};
    }
    if (step.size() != 1) unreadable(where, "a step is an object with exactly one member");
    const std::string& name = step.begin().key();
    const Json& value = step.begin().value();
    const std::string at = where + "." + name;
    if (name == "at") {
        return AdvanceStep{static_cast<std::uint64_t>(integer(value, at, 0, std::numeric_limits<std::int64_t>::max() / 1'000'000))};
    }
    if (name == "flags") return KeyStep{platform::EventType::flagsChanged, readKeyStroke(value, at)};
    if (name == "down") return KeyStep{platform::EventType::keyDown, readKeyStroke(value, at)};
    if (name == "up") return KeyStep{platform::EventType::keyUp, readKeyStroke(value, at)};
    if (name == "click") {
        auto button = text(value, at);
        if (button == "left") return ClickStep{platform::PointerButton::left};
        if (button == "right") return ClickStep{platform::PointerButton::right};
        if (button == "other") return ClickStep{platform::PointerButton::other};
        unreadable(at, "must be \"left\", \"right\" or \"other\"");
    }
    if (name == "frontmost") return FrontmostStep{optionalText(&value, at)};
    if (name == "updateSettings") return UpdateSettingsStep{coding::decode<TessarilSettings>(value)};
    if (name == "reset") {
        expectTrue(value, at);
        return ResetStep{};
    }
    if (name == "selectInputSource") return SelectInputSourceStep{installedSource(value, at, installed)};
    if (name == "trusted") return TrustedStep{flag(&value, at, false)};
    if (name == "disableTap") {
        auto reason = text(value, at);
        if (reason == "timeout") return DisableTapStep{platform::EventType::tapDisabledByTimeout};
        if (reason == "userInput") return DisableTapStep{platform::EventType::tapDisabledByUserInput};
        unreadable(at, "must be \"timeout\" or \"userInput\"");
    }
    unreadable(where, "unknown step \"" + name + "\"");
}

Request readRequest(const Json& document) {
    if (!document.is_object()) throw UnreadableRequest("the request must be a JSON object");
    expectOnlyKeys(document,
                   {"settings", "inputSources", "currentInputSource", "langKeyTargets", "savedInputSources",
                    "accessibilityTrusted", "steps"},
                   "request");
    Request request;
    if (const Json* sources = member(document, "inputSources")) request.session.inputSources = readInputSources(*sources);
    const auto installed = sourceIDs(request.session.inputSources);
    const Json* current = member(document, "currentInputSource");
    request.session.currentInputSource =
        current ? installedSource(*current, "currentInputSource", installed) : platform::SessionConfiguration::defaultCurrentInputSource();
    if (!installed.contains(request.session.currentInputSource)) {
        unreadable("currentInputSource", "the default \"" + request.session.currentInputSource +
                                             "\" is not among the input sources; name one");
    }
    if (const Json* targets = member(document, "langKeyTargets")) {
        expectObject(*targets, "langKeyTargets");
        expectOnlyKeys(*targets, {"kana", "eisu"}, "langKeyTargets");
        if (const Json* kana = member(*targets, "kana")) {
            request.session.langKeyTargets.kana = installedSource(*kana, "langKeyTargets.kana", installed);
        }
        if (const Json* eisu = member(*targets, "eisu")) {
            request.session.langKeyTargets.eisu = installedSource(*eisu, "langKeyTargets.eisu", installed);
        }
    }
    for (const auto* target : {&request.session.langKeyTargets.kana, &request.session.langKeyTargets.eisu}) {
        if (!installed.contains(*target)) {
            unreadable("langKeyTargets", "the default \"" + *target + "\" is not among the input sources; name one");
        }
    }
    if (const Json* saved = member(document, "savedInputSources")) request.savedInputSources = readSavedInputSources(*saved);
    request.session.accessibilityTrusted = flag(member(document, "accessibilityTrusted"), "accessibilityTrusted", true);

    const Json* steps = member(document, "steps");
    if (steps == nullptr || !steps->is_array()) throw UnreadableRequest("\"steps\" must be an array of steps");
    for (std::size_t index = 0; index < steps->size(); ++index) {
        request.steps.push_back(readStep((*steps)[index], "steps[" + std::to_string(index) + "]", installed));
    }
    // The settings are decoded last among the request's own fields: a request the tool cannot read
    // is reported as such before a document the system rejects.
    if (const Json* settings = member(document, "settings")) request.settings = coding::decode<TessarilSettings>(*settings);
    return request;
}

void runStep(platform::SimulatedSession& session, SessionShellRecorder& shell, const Step& step) {
    std::visit(
        [&](const auto& item) {
            using Item = std::decay_t<decltype(item)>;
            if constexpr (std::is_same_v<Item, AdvanceStep>) {
                session.advanceTo(item.milliseconds);
            } else if constexpr (std::is_same_v<Item, KeyStep>) {
                if (item.type == platform::EventType::flagsChanged) session.flagsChanged(item.stroke);
                if (item.type == platform::EventType::keyDown) session.keyDown(item.stroke);
                if (item.type == platform::EventType::keyUp) session.keyUp(item.stroke);
            } else if constexpr (std::is_same_v<Item, ClickStep>) {
                session.pointerButtonDown(item.button);
            } else if constexpr (std::is_same_v<Item, FrontmostStep>) {
                shell.frontmostApplicationDidChange(item.bundleIdentifier);
            } else if constexpr (std::is_same_v<Item, UpdateSettingsStep>) {
                shell.persistSettings(item.settings);
            } else if constexpr (std::is_same_v<Item, SuspendStep>) {
                shell.setSuspended(item.isSuspended, item.reason);
            } else if constexpr (std::is_same_v<Item, ResetStep>) {
                shell.resetRuntimeState();
            } else if constexpr (std::is_same_v<Item, SelectInputSourceStep>) {
                session.selectInputSource(item.sourceID);
            } else if constexpr (std::is_same_v<Item, TrustedStep>) {
                session.setAccessibilityTrusted(item.trusted);
            } else {
                session.disableTaps(item.reason);
            }
        },
        step);
    session.runReadyWork();
}

} // namespace

int runSessionReplay(const Invocation& invocation) {
    const Request request = readRequest(invocation.readRequest());
    platform::SimulatedSession session(request.session);
    int status = 0;
    {
        SessionShellRecorder shell(session, request.settings);
        for (const auto& [mode, selection] : request.savedInputSources) {
            shell.pipeline().inputModeDispatcher().saveInputSource(selection, mode);
        }
        shell.launch();
        try {
            for (const auto& step : request.steps) runStep(session, shell, step);
        } catch (const platform::TapStalledError& stalled) {
            invocation.errors << stalled.what() << '\n';
            status = exitSystemFailure;
        }
        for (const auto& line : shell.jsonLines()) invocation.output << line << '\n';
    }
    return status;
}

} // namespace tessaril::replay
