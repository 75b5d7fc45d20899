#pragma once

#include <string>
#include <vector>

#include "TessarilCore/Engine/RuleEngineSettings.hpp"

class QWidget;

namespace tessaril {

class AppDelegate;

// The four Command-key rows of the basic and presets pages: the key, what it switches to, and its
// on/off switch (on unless the action is "disabled"). The single-press keys are named by the caller
// ("左⌘ 単独" or "左⌘"); the modified ones by their combination. Main thread only.
std::vector<std::vector<QWidget*>> makeCommandKeySwitchRows(AppDelegate& delegate, const RuleEngineSettings& settings,
                                                            const std::string& leftLabel, const std::string& rightLabel,
                                                            int switchCellWidth);

} // namespace tessaril
