#include "SettingsStoreReplay.hpp"

#include <set>
#include <string>

#include "Platform/Foundation/DataEncoding.hpp"
#include "Platform/Foundation/UserDefaults.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStore.hpp"

namespace tessaril::replay {
namespace {

using platform::UserDefaults;

// The form of a defaults value in requests and output: {"data": text} (or {"dataBase64": text} for
// bytes that are not UTF-8), a boolean, or a string.
void putValue(UserDefaults& defaults, const std::string& key, const nlohmann::json& value) {
    if (value.is_boolean()) {
        defaults.setBool(key, value.get<bool>());
    } else if (value.is_string()) {
        defaults.setString(key, value.get<std::string>());
    } else if (value.is_object() && value.size() == 1 && value.contains("data") && value["data"].is_string()) {
        const auto& text = value["data"].get_ref<const std::string&>();
        defaults.setData(key, UserDefaults::Data(text.begin(), text.end()));
    } else if (value.is_object() && value.size() == 1 && value.contains("dataBase64") && value["dataBase64"].is_string()) {
        auto bytes = platform::data_encoding::base64Decoded(value["dataBase64"].get_ref<const std::string&>());
        if (!bytes) throw UnreadableRequest("defaults." + key + ": dataBase64 is not base64");
        defaults.setData(key, *bytes);
    } else {
        throw UnreadableRequest("defaults." + key + ": expected {\"data\": text}, {\"dataBase64\": text}, a boolean or a string");
    }
}

nlohmann::json valueOf(UserDefaults& defaults, const std::string& key) {
    if (auto data = defaults.data(key)) {
        if (platform::data_encoding::isValidUTF8(*data)) return {{"data", std::string(data->begin(), data->end())}};
        return {{"dataBase64", platform::data_encoding::base64Encoded(*data)}};
    }
    if (auto text = defaults.string(key)) return *text;
    return defaults.boolean(key);
}

} // namespace

int runSettingsImport(const Invocation& invocation) {
    // FILE, or `--input FILE` as the golden scenarios pass it.
    const auto& arguments = invocation.arguments;
    std::size_t fileIndex = !arguments.empty() && arguments.front() == "--input" ? 1 : 0;
    if (arguments.size() != fileIndex + 1) throw UnreadableRequest("settings import needs one FILE");
    UserDefaults defaults;
    TessarilSettingsStore store(defaults);
    invocation.emit(coding::encode(store.previewImport(arguments[fileIndex])));
    return 0;
}

int runSettingsLoad(const Invocation& invocation) {
    const auto request = invocation.readRequest();
    if (!request.is_object()) throw UnreadableRequest("the request must be an object");
    const nlohmann::json* domain = coding::member(request, "defaults");
    if (domain != nullptr && !domain->is_object()) throw UnreadableRequest("defaults must be an object");

    UserDefaults defaults;
    std::set<std::string> keys;
    if (domain != nullptr) {
        for (const auto& [key, value] : domain->items()) {
            putValue(defaults, key, value);
            keys.insert(key);
        }
    }
    TessarilSettingsStore store(defaults);
    const auto [settings, saved] = store.loadReportingSave();

    keys.insert(std::string(TessarilSettingsStore::settingsKey));
    keys.insert(std::string(TessarilSettingsStore::undecodableSettingsKey));
    for (auto key : TessarilSettingsStore::migrationKeys) keys.insert(std::string(key));
    nlohmann::json after = nlohmann::json::object();
    for (const auto& key : keys) {
        if (defaults.hasValue(key)) after[key] = valueOf(defaults, key);
    }
    invocation.emit({{"settings", coding::encode(settings)}, {"saved", saved}, {"defaults", after}});
    return 0;
}

} // namespace tessaril::replay
