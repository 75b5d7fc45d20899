#pragma once

#include "ReplayCommand.hpp"

namespace tessaril::replay {

// `tessaril-replay session`: runs the keyboard pipeline, wired as the application wires it, inside the
// simulated login session on virtual time, and prints what happened, one observation per line.
int runSessionReplay(const Invocation& invocation);

} // namespace tessaril::replay
