#pragma once

#include <string>

namespace tessaril::platform {

// The C library's text for an errno value in English, whatever locale the process has taken: the
// messages it completes are English sentences ("cannot write <path>: File too large"). Any thread.
std::string systemErrorText(int error);

} // namespace tessaril::platform
