#pragma once

#include "ReplayCommand.hpp"

namespace tessaril::replay {

// `window`: opens the real settings window off screen around the real application delegate, drives
// it with the request's steps and prints alerts, saves, tab changes, suspension calls and queried
// controls as JSON lines.
int runWindowReplay(const Invocation& invocation);

} // namespace tessaril::replay
