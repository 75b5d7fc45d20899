#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Platform/TextInputSources/InputSourceProperties.hpp"
#include "ReplayCommand.hpp"

// Reading the tool's own request fields; each failure is an UnreadableRequest naming where it is.
namespace tessaril::replay::request_reading {

using Json = nlohmann::json;

[[noreturn]] void unreadable(const std::string& where, const std::string& what);
// The member, or nullptr when absent.
const Json* member(const Json& object, const char* key);
std::string text(const Json& value, const std::string& where);
// None for an absent or null member.
std::optional<std::string> optionalText(const Json* value, const std::string& where);
// `fallback` for an absent member.
bool flag(const Json* value, const std::string& where, bool fallback);
// A whole number within [minimum, maximum].
std::int64_t integer(const Json& value, const std::string& where, std::int64_t minimum, std::int64_t maximum);
void expectObject(const Json& value, const std::string& where);
void expectOnlyKeys(const Json& object, const std::set<std::string>& allowed, const std::string& where);
// The tool's step marker `true`, the only value a switch-like step takes.
void expectTrue(const Json& value, const std::string& where);
// The "inputSources" list of a request: each source's identifier, input mode, name and flags.
std::vector<platform::InputSourceProperties> readInputSources(const Json& value);

} // namespace tessaril::replay::request_reading
