#pragma once

#include "ReplayCommand.hpp"

namespace tessaril::replay {

// `settings decode`: decodes the request as a settings document, with no store steps, and prints it
// encoded as the store encodes it (sorted keys), on one line.
int runSettingsDecode(const Invocation& invocation);

} // namespace tessaril::replay
