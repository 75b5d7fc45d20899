#pragma once

#include "ReplayCommand.hpp"

namespace tessaril::replay {

// `settings import FILE` (or `--input FILE`): previews the import of FILE with the settings store and
// prints the imported document, encoded, on one line.
int runSettingsImport(const Invocation& invocation);

// `settings load`: runs the store's load over an in-memory defaults domain given as the request and
// prints the document, whether load saved it, and the domain afterwards.
int runSettingsLoad(const Invocation& invocation);

} // namespace tessaril::replay
