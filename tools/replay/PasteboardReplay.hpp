#pragma once

#include "ReplayCommand.hpp"

namespace tessaril::replay {

// `tessaril-replay pasteboard`: runs the application's text actions against an in-memory pasteboard and
// a scripted frontmost application on virtual time, and prints what they do, one observation per line.
int runPasteboardReplay(const Invocation& invocation);

} // namespace tessaril::replay
