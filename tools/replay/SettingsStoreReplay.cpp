#include "SettingsStoreReplay.hpp"

#include <set>
#include <string>

#include "DefaultsValueCoding.hpp"
#include "Platform/Foundation/UserDefaults.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStore.hpp"

namespace tessaril::replay {
namespace {

using platform::UserDefaults;

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
            putDefaultsValue(defaults, key, value);
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
        if (defaults.hasValue(key)) after[key] = defaultsValueJSON(defaults, key);
    }
    invocation.emit({{"settings", coding::encode(settings)}, {"saved", saved}, {"defaults", after}});
    return 0;
}

} // namespace tessaril::replay
