#include "TessarilApp/SetsAndRegistry/FeatureSetOperations.hpp"

#include <algorithm>

#include "TessarilApp/SetsAndRegistry/FeatureSetFamily.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetQueries.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {

namespace {

template <class Value> SettingsSet<Value>* firstSet(std::vector<SettingsSet<Value>>& sets, std::string_view id) {
    const auto found = std::find_if(sets.begin(), sets.end(), [id](const SettingsSet<Value>& set) { return set.id == id; });
    return found != sets.end() ? &*found : nullptr;
}

template <class Value> void sortByName(std::vector<SettingsSet<Value>>& sets) {
    unicode::stableSortLocalized(sets, [](const SettingsSet<Value>& set) -> const std::string& { return set.name; });
}

template <class Value> void removeTarget(SettingsSet<Value>& set, std::string_view bundleIdentifier) {
    std::erase_if(set.appTargets,
                  [bundleIdentifier](const SettingsSetAppTarget& target) { return target.bundleIdentifier == bundleIdentifier; });
}

} // namespace

std::optional<std::string> FeatureSetOperations::createFeatureSet(SettingsTab tab, std::string_view name) {
    const FeatureSetQueries queries(delegate_);
    const std::string setName = queries.normalizedFeatureSetName(name, tab);
    const auto target = queries.selectedFeatureSetTarget(tab);
    const auto id = withFeatureSetFamily(tab, std::optional<std::string>{}, [&](auto family) -> std::optional<std::string> {
        using Family = typename decltype(family)::type;
        std::vector<SettingsSetAppTarget> targets;
        if (target) targets.emplace_back(target->bundleIdentifier, target->displayName);
        std::string madeID = UUIDGenerator::next();
        // The value the page shows at this moment: for a set member its set's value.
        auto value = Family::resolvedValue(delegate_.settings, delegate_.*Family::selection);
        if (target) removeFeatureSetAppTargetFromAll(tab, target->bundleIdentifier);
        auto& sets = delegate_.settings.*Family::sets;
        sets.emplace_back(madeID, setName, std::move(value), targets);
        sortByName(sets);
        return madeID;
    });
    if (id) delegate_.persistSettings(true);
    return id;
}

std::string FeatureSetOperations::suggestedFeatureSetName(SettingsTab tab) {
    const FeatureSetQueries queries(delegate_);
    const std::string title = queries.featureSetTargetTitle(tab);
    return queries.normalizedFeatureSetName(title == "デフォルト" ? std::string() : title + "用", tab);
}

void FeatureSetOperations::deleteFeatureSet(SettingsTab tab, std::string_view id) {
    bool hasSets = false;
    withFeatureSetFamily(tab, [&](auto family) {
        using Family = typename decltype(family)::type;
        std::erase_if(delegate_.settings.*Family::sets, [id](const auto& set) { return set.id == id; });
        hasSets = true;
    });
    if (hasSets) delegate_.persistSettings(true);
}

void FeatureSetOperations::updateFeatureSetName(SettingsTab tab, std::string_view id, std::string_view name) {
    const std::string setName = FeatureSetQueries(delegate_).normalizedFeatureSetName(name, tab);
    withFeatureSetFamily(tab, [&](auto family) {
        using Family = typename decltype(family)::type;
        auto& sets = delegate_.settings.*Family::sets;
        auto* set = firstSet(sets, id);
        if (!set) return;
        set->name = setName;
        sortByName(sets);
    });
}

void FeatureSetOperations::updateFeatureSetValueFromCurrentTarget(SettingsTab tab, std::string_view id) {
    withFeatureSetFamily(tab, [&](auto family) {
        using Family = typename decltype(family)::type;
        auto* set = firstSet(delegate_.settings.*Family::sets, id);
        if (set) set->value = Family::resolvedValue(delegate_.settings, delegate_.*Family::selection);
    });
}

void FeatureSetOperations::applyFeatureSet(SettingsTab tab, std::string_view id) {
    bool applied = false;
    withFeatureSetFamily(tab, [&](auto family) {
        using Family = typename decltype(family)::type;
        const auto* set = firstSet(delegate_.settings.*Family::sets, id);
        if (!set) return;
        auto value = set->value;
        if (const auto& app = delegate_.*Family::selection) {
            auto& entries = delegate_.settings.*Family::entries;
            const auto existing = entries.find(*app);
            std::string name = existing != entries.end() ? existing->second.displayName : *app;
            entries.insert_or_assign(*app, Family::makeEntry(std::move(name), std::move(value)));
        } else {
            Family::update(delegate_.settings, std::nullopt, [&value](typename Family::Value& global) { global = std::move(value); });
        }
        applied = true;
    });
    if (applied) delegate_.persistSettings(true);
}

void FeatureSetOperations::addFeatureSetAppTarget(SettingsTab tab, std::string_view id, const SettingsSetAppTarget& target) {
    withFeatureSetFamily(tab, [&](auto family) {
        using Family = typename decltype(family)::type;
        removeFeatureSetAppTargetFromAll(tab, target.bundleIdentifier);
        auto* set = firstSet(delegate_.settings.*Family::sets, id);
        if (!set) return;
        set->appTargets.push_back(target);
        set->normalizeAppTargets();
        Family::enable(delegate_.settings, target.bundleIdentifier, target.displayName, true);
        Family::setUsesDefault(delegate_.settings, target.bundleIdentifier, true);
    });
}

void FeatureSetOperations::removeFeatureSetAppTarget(SettingsTab tab, std::string_view id, std::string_view bundleIdentifier) {
    withFeatureSetFamily(tab, [&](auto family) {
        using Family = typename decltype(family)::type;
        if (auto* set = firstSet(delegate_.settings.*Family::sets, id)) removeTarget(*set, bundleIdentifier);
    });
}

void FeatureSetOperations::removeFeatureSetAppTargetFromAll(SettingsTab tab, std::string_view bundleIdentifier) {
    withFeatureSetFamily(tab, [&](auto family) {
        using Family = typename decltype(family)::type;
        for (auto& set : delegate_.settings.*Family::sets) removeTarget(set, bundleIdentifier);
    });
}

} // namespace tessaril
