#pragma once

namespace tessaril::platform {

// The levels of the unified log; `notice` is the log's default level.
enum class LogLevel { debug, info, notice, error, fault };

} // namespace tessaril::platform
