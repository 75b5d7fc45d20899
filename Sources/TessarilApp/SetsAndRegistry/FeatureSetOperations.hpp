#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "TessarilApp/Shell/SettingsTab.hpp"
#include "TessarilCore/Settings/SettingsSetAppTarget.hpp"

namespace tessaril {

class AppDelegate;

// The operations that change the settings sets of the four per-application features, through the
// settings model's own operations. Which of them save is said at each; none shows a dialog. For a tab
// without sets each returns at once and changes nothing. Keeps no state; main thread only.
class FeatureSetOperations {
public:
    explicit FeatureSetOperations(AppDelegate& delegate) : delegate_(delegate) {}

    // A new set holding the value the page shows for its selected target, with that application as
    // its only target (taken out of the feature's other sets first: an application belongs to one set
    // per feature); the list is re-sorted by name. Saves; the new id, none for a tab without sets.
    std::optional<std::string> createFeatureSet(SettingsTab tab, std::string_view name);
    // "<selected application's name>用", or the default name of a new set for the default target.
    std::string suggestedFeatureSetName(SettingsTab tab);
    // Removes every set with the id. Saves, also when none matched.
    void deleteFeatureSet(SettingsTab tab, std::string_view id);
    // Renames the first set with the id and re-sorts the list by name. Does not save.
    void updateFeatureSetName(SettingsTab tab, std::string_view id, std::string_view name);
    // The set's value becomes what the page shows for its selected target. Does not save.
    void updateFeatureSetValueFromCurrentTarget(SettingsTab tab, std::string_view id);
    // The set's value becomes the selected application's own settings, or the global value for the
    // default target. Saves when the set exists.
    void applyFeatureSet(SettingsTab tab, std::string_view id);
    // The application leaves every set of the feature, joins this one (when it exists) and its own
    // entry follows the default. Does not save.
    void addFeatureSetAppTarget(SettingsTab tab, std::string_view id, const SettingsSetAppTarget& target);
    // Removes the application from the first set with the id, or from every set. Its own entry stays.
    // Do not save.
    void removeFeatureSetAppTarget(SettingsTab tab, std::string_view id, std::string_view bundleIdentifier);
    void removeFeatureSetAppTargetFromAll(SettingsTab tab, std::string_view bundleIdentifier);

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
