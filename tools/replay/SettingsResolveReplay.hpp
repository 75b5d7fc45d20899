#pragma once

#include "ReplayCommand.hpp"

namespace tessaril::replay {

// `settings resolve`: decodes a settings document and prints what is in force for a keyboard and an
// application: the preset reference, the engine's rule-engine settings and the per-application values.
int runSettingsResolve(const Invocation& invocation);

} // namespace tessaril::replay
