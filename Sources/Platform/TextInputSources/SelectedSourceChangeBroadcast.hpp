#pragma once

#include <cstddef>

#include "Platform/Foundation/DistributedNotificationCenter.hpp"
#include "Platform/TextInputSources/InputSourceService.hpp"

namespace tessaril::platform {

// Makes the service post its selected-source-changed notification on the distributed notification
// centre, as the system's input-source service does. Answers the service's observer token; both must
// outlive the observation.
std::size_t broadcastSelectedSourceChanges(InputSourceService& inputSources, DistributedNotificationCenter& center);

} // namespace tessaril::platform
