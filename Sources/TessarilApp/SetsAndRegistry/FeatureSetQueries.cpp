#include "TessarilApp/SetsAndRegistry/FeatureSetQueries.hpp"

#include "TessarilApp/SetsAndRegistry/FeatureSetFamily.hpp"
#include "TessarilApp/SettingsWindow/SettingsTabPresentation.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {

namespace {

template <class Value> const SettingsSet<Value>* firstSet(const std::vector<SettingsSet<Value>>& sets, std::string_view id) {
    for (const auto& set : sets) {
        if (set.id == id) return &set;
    }
    return nullptr;
}

} // namespace

std::vector<FeatureSetListItem> FeatureSetQueries::featureSets(SettingsTab tab) const {
    return withFeatureSetFamily(tab, std::vector<FeatureSetListItem>{}, [this](auto family) {
        using Family = typename decltype(family)::type;
        std::vector<FeatureSetListItem> items;
        for (const auto& set : delegate_.settings.*Family::sets) items.push_back({set.id, set.name});
        unicode::stableSortLocalized(items, [](const FeatureSetListItem& item) -> const std::string& { return item.name; });
        return items;
    });
}

std::optional<std::string> FeatureSetQueries::featureSetName(SettingsTab tab, std::string_view id) const {
    return withFeatureSetFamily(tab, std::optional<std::string>{}, [&](auto family) -> std::optional<std::string> {
        using Family = typename decltype(family)::type;
        const auto* set = firstSet(delegate_.settings.*Family::sets, id);
        return set ? std::optional(set->name) : std::nullopt;
    });
}

std::vector<SettingsSetAppTarget> FeatureSetQueries::featureSetAppTargets(SettingsTab tab, std::string_view id) const {
    return withFeatureSetFamily(tab, std::vector<SettingsSetAppTarget>{}, [&](auto family) {
        using Family = typename decltype(family)::type;
        const auto* set = firstSet(delegate_.settings.*Family::sets, id);
        return set ? set->appTargets : std::vector<SettingsSetAppTarget>{};
    });
}

std::vector<std::pair<std::string, std::string>> FeatureSetQueries::featureSetSummaryRows(SettingsTab tab,
                                                                                          std::string_view id) const {
    using Rows = std::vector<std::pair<std::string, std::string>>;
    return withFeatureSetFamily(tab, Rows{}, [&](auto family) {
        using Family = typename decltype(family)::type;
        const auto* set = firstSet(delegate_.settings.*Family::sets, id);
        if (!set) return Rows{};
        Rows rows = Family::summary(set->value);
        rows.emplace_back("対象アプリ", featureSetCountText(set->appTargets.size()));
        return rows;
    });
}

std::optional<FeatureSetTarget> FeatureSetQueries::selectedFeatureSetTarget(SettingsTab tab) const {
    return withFeatureSetFamily(tab, std::optional<FeatureSetTarget>{}, [this](auto family) -> std::optional<FeatureSetTarget> {
        using Family = typename decltype(family)::type;
        const auto& app = delegate_.*Family::selection;
        if (!app) return std::nullopt;
        const auto& entries = delegate_.settings.*Family::entries;
        const auto entry = entries.find(*app);
        return FeatureSetTarget{*app, entry != entries.end() ? entry->second.displayName : *app};
    });
}

std::string FeatureSetQueries::featureSetTargetTitle(SettingsTab tab) const {
    return withFeatureSetFamily(tab, std::string("デフォルト"), [this](auto family) {
        using Family = typename decltype(family)::type;
        const auto& app = delegate_.*Family::selection;
        if (!app) return std::string("デフォルト");
        const auto& entries = delegate_.settings.*Family::entries;
        const auto entry = entries.find(*app);
        return entry != entries.end() ? entry->second.displayName : std::string("デフォルト");
    });
}

std::string FeatureSetQueries::normalizedFeatureSetName(std::string_view name, SettingsTab tab) const {
    // A name with text follows the set's own name rule, so a stored name reads back unchanged.
    if (!unicode::isBlank(name)) return settings_set::normalizedName(name);
    const auto count = withFeatureSetFamily(tab, std::size_t{0}, [this](auto family) {
        using Family = typename decltype(family)::type;
        return (delegate_.settings.*Family::sets).size();
    });
    return std::string(SettingsTabPresentation::of(tab).sidebarTitle) + "セット " + std::to_string(count + 1);
}

} // namespace tessaril
