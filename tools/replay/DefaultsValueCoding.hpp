#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "Platform/Foundation/UserDefaults.hpp"

namespace tessaril::replay {

// A defaults value as requests and output write it: {"data": text} (or {"dataBase64": text} for
// bytes that are not UTF-8), a boolean, or a string. Throws UnreadableRequest for any other form.
void putDefaultsValue(platform::UserDefaults& defaults, const std::string& key, const nlohmann::json& value);
nlohmann::json defaultsValueJSON(platform::UserDefaults& defaults, const std::string& key);

} // namespace tessaril::replay
