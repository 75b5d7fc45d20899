#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TessarilApp/Shell/SettingsTab.hpp"
#include "TessarilCore/Settings/SettingsSetAppTarget.hpp"

namespace tessaril {

class AppDelegate;

// A set as the sheet lists it.
struct FeatureSetListItem {
    std::string id;
    std::string name;
    friend bool operator==(const FeatureSetListItem&, const FeatureSetListItem&) = default;
};

// The selected application of a feature page.
struct FeatureSetTarget {
    std::string bundleIdentifier;
    std::string displayName;
    friend bool operator==(const FeatureSetTarget&, const FeatureSetTarget&) = default;
};

// What the set sheet is built from: the sets of a feature, a set's name, targets and summary, the
// page's selected target, and the naming rule of sets. Reads the delegate only; a tab without sets
// gives empty answers. "The first set with an id" is the first in stored order. Main thread only.
class FeatureSetQueries {
public:
    explicit FeatureSetQueries(const AppDelegate& delegate) : delegate_(delegate) {}

    // Sorted by name (localized standard order, stable).
    std::vector<FeatureSetListItem> featureSets(SettingsTab tab) const;
    std::optional<std::string> featureSetName(SettingsTab tab, std::string_view id) const;
    std::vector<SettingsSetAppTarget> featureSetAppTargets(SettingsTab tab, std::string_view id) const;
    // Three (label, value) rows; none when no set has the id.
    std::vector<std::pair<std::string, std::string>> featureSetSummaryRows(SettingsTab tab, std::string_view id) const;
    // The page's selected application with its entry's display name, or its bundle identifier again
    // when it has no entry.
    std::optional<FeatureSetTarget> selectedFeatureSetTarget(SettingsTab tab) const;
    // The selected application entry's display name; "デフォルト" without a selection or an entry.
    std::string featureSetTargetTitle(SettingsTab tab) const;
    // Trimmed and cut to 32 characters; a blank name becomes "<sidebar title>セット <n+1>", n being
    // the feature's number of sets now.
    std::string normalizedFeatureSetName(std::string_view name, SettingsTab tab) const;

private:
    const AppDelegate& delegate_;
};

} // namespace tessaril
