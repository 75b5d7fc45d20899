// The settings-set methods of the delegate; their bodies live in the set sheet.
#include "TessarilApp/SetsAndRegistry/FeatureSetSheet.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

void AppDelegate::showFeatureSetModal(SettingsTab tab) { FeatureSetSheet(*this).showFeatureSetModal(tab); }

void AppDelegate::closeFeatureSetModal() { FeatureSetSheet(*this).closeFeatureSetModal(); }

} // namespace tessaril
