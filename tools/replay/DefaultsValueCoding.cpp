#include "DefaultsValueCoding.hpp"

#include "Platform/Foundation/DataEncoding.hpp"
#include "ReplayCommand.hpp"

namespace tessaril::replay {

using platform::UserDefaults;

void putDefaultsValue(UserDefaults& defaults, const std::string& key, const nlohmann::json& value) {
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

nlohmann::json defaultsValueJSON(UserDefaults& defaults, const std::string& key) {
    if (auto data = defaults.data(key)) {
        if (platform::data_encoding::isValidUTF8(*data)) return {{"data", std::string(data->begin(), data->end())}};
        return {{"dataBase64", platform::data_encoding::base64Encoded(*data)}};
    }
    if (auto text = defaults.string(key)) return *text;
    return defaults.boolean(key);
}

} // namespace tessaril::replay
