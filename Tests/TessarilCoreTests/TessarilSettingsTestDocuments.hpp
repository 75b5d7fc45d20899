#pragma once

#include "TessarilCore/TessarilSettings.hpp"

namespace tessaril::testing {

// A document in which every field differs from its default, "activeCustomPresetID" is set and every
// kind of settings set holds a set with targets.
TessarilSettings documentWithEveryField();

// Rule-engine settings that differ from the defaults in a way the tests can recognise.
RuleEngineSettings distinctRuleEngineSettings(std::int64_t leftDelayMilliseconds);

} // namespace tessaril::testing
