#pragma once

#include "ReplayCommand.hpp"

namespace tessaril::replay {

// `tessaril-replay engine`: runs one RuleEngine over the request's steps and prints one line per step.
int runEngineReplay(const Invocation& invocation);

} // namespace tessaril::replay
