#pragma once

#include <optional>
#include <string_view>

#include "TessarilCore/Support/JSONCoding.hpp"

namespace tessaril::coding {

// The one JSON value that the whole of `bytes` holds, or none when they are not exactly that. The
// JSON reader takes a NUL byte for the end of its input; a NUL is never valid JSON text (inside a
// string it must be escaped), so a document followed by a NUL and anything at all is refused here
// rather than read up to the NUL. Linear in the size; the reader keeps its nesting on the heap.
std::optional<Json> parsedJSON(std::string_view bytes);

// Whether `bytes` begin a JSON text with more than `count` values (members and elements, nested or
// not, each count once; keys do not). Reads without building anything and stops at the value past
// `count`, so it tells how large a parsed value would be before it is built. False for text that is
// not JSON before that point.
bool holdsMoreJSONValuesThan(std::string_view bytes, std::size_t count);

} // namespace tessaril::coding
