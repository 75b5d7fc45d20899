#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "ReplayCommand.hpp"

namespace tessaril::replay {

// Reading the tool's own fields of a request. Each check names where in the request it failed and
// throws UnreadableRequest ("steps[2].at: must be …").
[[noreturn]] void unreadable(const std::string& where, const std::string& what);
const nlohmann::json* member(const nlohmann::json& object, const char* key);
std::string text(const nlohmann::json& value, const std::string& where);
std::optional<std::string> optionalText(const nlohmann::json* value, const std::string& where);
bool flag(const nlohmann::json* value, const std::string& where, bool fallback);
// A whole number within [minimum, maximum].
std::int64_t integer(const nlohmann::json& value, const std::string& where, std::int64_t minimum, std::int64_t maximum);
void expectObject(const nlohmann::json& value, const std::string& where);
void expectOnlyKeys(const nlohmann::json& object, const std::set<std::string>& allowed, const std::string& where);
// The tool's step marker `true`, the only value a switch-like step takes.
void expectTrue(const nlohmann::json& value, const std::string& where);

} // namespace tessaril::replay
