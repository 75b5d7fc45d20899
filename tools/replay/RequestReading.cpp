#include "RequestReading.hpp"

#include <limits>

namespace tessaril::replay::request_reading {

[[noreturn]] void unreadable(const std::string& where, const std::string& what) {
    throw UnreadableRequest(where + ": " + what);
}

const Json* member(const Json& object, const char* key) {
    auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

std::string text(const Json& value, const std::string& where) {
    if (!value.is_string()) unreadable(where, "must be a string");
    return value.get<std::string>();
}

std::optional<std::string> optionalText(const Json* value, const std::string& where) {
    if (value == nullptr || value->is_null()) return std::nullopt;
    return text(*value, where);
}

bool flag(const Json* value, const std::string& where, bool fallback) {
    if (value == nullptr) return fallback;
    if (!value->is_boolean()) unreadable(where, "must be true or false");
    return value->get<bool>();
}

std::int64_t integer(const Json& value, const std::string& where, std::int64_t minimum, std::int64_t maximum) {
    bool fits = value.is_number_integer() &&
                !(value.is_number_unsigned() &&
                  value.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()));
    if (fits) {
        auto number = value.get<std::int64_t>();
        if (number >= minimum && number <= maximum) return number;
    }
    unreadable(where, "must be a whole number from " + std::to_string(minimum) + " to " + std::to_string(maximum));
}

void expectObject(const Json& value, const std::string& where) {
    if (!value.is_object()) unreadable(where, "must be an object");
}

void expectOnlyKeys(const Json& object, const std::set<std::string>& allowed, const std::string& where) {
    for (const auto& [key, value] : object.items()) {
        if (!allowed.contains(key)) unreadable(where, "unknown member \"" + key + "\"");
    }
}

void expectTrue(const Json& value, const std::string& where) {
    if (value != Json(true)) unreadable(where, "must be true");
}

std::vector<platform::InputSourceProperties> readInputSources(const Json& value) {
    if (!value.is_array()) unreadable("inputSources", "must be an array");
    std::vector<platform::InputSourceProperties> sources;
    for (std::size_t index = 0; index < value.size(); ++index) {
        const std::string where = "inputSources[" + std::to_string(index) + "]";
        const Json& entry = value[index];
        expectObject(entry, where);
        expectOnlyKeys(entry, {"sourceID", "inputModeID", "localizedName", "selectCapable", "enabled"}, where);
        const Json* sourceID = member(entry, "sourceID");
        if (sourceID == nullptr) unreadable(where, "needs a \"sourceID\"");
        sources.push_back(platform::InputSourceProperties{
            text(*sourceID, where + ".sourceID"), optionalText(member(entry, "inputModeID"), where + ".inputModeID"),
            optionalText(member(entry, "localizedName"), where + ".localizedName"),
            flag(member(entry, "selectCapable"), where + ".selectCapable", true),
            flag(member(entry, "enabled"), where + ".enabled", true)});
    }
    return sources;
}

} // namespace tessaril::replay::request_reading
