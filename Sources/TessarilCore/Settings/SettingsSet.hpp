#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Settings/SettingsSetAppTarget.hpp"

namespace tessaril {

namespace settings_set {

inline constexpr std::size_t maximumNameLength = 32;
inline constexpr std::string_view defaultName = "セット";

// The target-list rule: trimmed identifiers, no empty and no repeated one (the first wins), each
// target cleaned, sorted by display name (localized standard order, stable).
std::vector<SettingsSetAppTarget> normalizedAppTargets(const std::vector<SettingsSetAppTarget>& targets);
// The name rule: trimmed, "セット" when blank, else at most 32 characters.
std::string normalizedName(std::string_view name);
// The identifier rule: an empty identifier is replaced by a new UUID string.
std::string identifierOrNew(std::string id);

} // namespace settings_set

// A named value of one feature (guard, keypad hacks, writing assist, fixed phrases) that applies to
// every application it lists. A plain value, used on any thread.
template <class Value> struct SettingsSet {
    std::string id;
    std::string name;
    Value value;
    std::vector<SettingsSetAppTarget> appTargets;

    // A set with the identifier, name and target rules applied.
    SettingsSet(std::string identifier, std::string_view setName, Value setValue,
                const std::vector<SettingsSetAppTarget>& targets)
        : id(settings_set::identifierOrNew(std::move(identifier))),
          name(settings_set::normalizedName(setName)),
          value(std::move(setValue)),
          appTargets(normalizedAppTargets(targets)) {}

    // True when a target has exactly this bundle identifier (no trimming).
    bool targetsApp(std::string_view bundleIdentifier) const {
        return std::any_of(appTargets.begin(), appTargets.end(), [&](const SettingsSetAppTarget& target) {
            return target.bundleIdentifier == bundleIdentifier;
        });
    }

    void normalizeAppTargets() { appTargets = normalizedAppTargets(appTargets); }

    static std::vector<SettingsSetAppTarget> normalizedAppTargets(const std::vector<SettingsSetAppTarget>& targets) {
        return settings_set::normalizedAppTargets(targets);
    }

    friend bool operator==(const SettingsSet&, const SettingsSet&) = default;
};

template <class Value> struct JSONCoding<SettingsSet<Value>> {
    static Json encode(const SettingsSet<Value>& set) {
        return Json{{"id", set.id},
                    {"name", set.name},
                    {"value", coding::encode(set.value)},
                    {"appTargets", coding::encode(set.appTargets)}};
    }

    static SettingsSet<Value> decode(const Json& object) {
        coding::expectObject(object, "SettingsSet");
        auto id = coding::decodeOr<std::string>(object, "id", "");
        auto name = coding::decodeOr<std::string>(object, "name", "");
        auto value = coding::decodeRequired<Value>(object, "value");
        auto targets = coding::decodeOr<std::vector<SettingsSetAppTarget>>(object, "appTargets", {});
        return SettingsSet<Value>(std::move(id), name, std::move(value), targets);
    }
};

} // namespace tessaril
