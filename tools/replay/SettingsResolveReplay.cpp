#include "SettingsResolveReplay.hpp"

#include <optional>
#include <string>

#include "TessarilCore/Settings/TessarilSettingsPerApplication.hpp"

namespace tessaril::replay {
namespace {

// A request field that is a string, null or missing.
std::optional<std::string> optionalText(const nlohmann::json& request, const char* key) {
    const nlohmann::json* value = coding::member(request, key);
    if (value == nullptr) return std::nullopt;
    if (!value->is_string()) throw UnreadableRequest(std::string(key) + " must be a string or null");
    return value->get<std::string>();
}

} // namespace

int runSettingsResolve(const Invocation& invocation) {
    const auto request = invocation.readRequest();
    if (!request.is_object()) throw UnreadableRequest("the request must be an object");
    const nlohmann::json* document = coding::member(request, "settings");
    const TessarilSettings settings = document != nullptr ? coding::decode<TessarilSettings>(*document) : TessarilSettings();

    std::optional<KeyboardIdentifier> keyboard;
    if (auto text = optionalText(request, "keyboard")) keyboard = KeyboardIdentifier{*text};
    const std::optional<std::string> app = optionalText(request, "app");
    const std::optional<std::string_view> appView = app ? std::optional<std::string_view>(*app) : std::nullopt;

    invocation.emit({
        {"presetReference", coding::encode(settings.presetReference(keyboard))},
        {"ruleEngineSettings", coding::encode(ruleEngineSettings(settings, keyboard, appView))},
        {"shortcutGuard", coding::encode(shortcutGuardSettings(settings, appView))},
        {"keypadShortcutHacks", coding::encode(keypadShortcutHackSettings(settings, appView))},
        {"writingAssist", coding::encode(writingAssistSettings(settings, appView))},
        {"fixedPhraseAssist", coding::encode(fixedPhraseAssistSettings(settings, appView))},
        {"textTools", coding::encode(settings.textTools)},
    });
    return 0;
}

} // namespace tessaril::replay
