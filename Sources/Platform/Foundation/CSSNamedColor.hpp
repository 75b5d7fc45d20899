#pragma once

#include <optional>
#include <string_view>

#include "Platform/Foundation/Color.hpp"

namespace tessaril::platform {

// The colour a CSS colour keyword names ("red", "cornflowerblue", "rebeccapurple": the 148 named
// colours), opaque; none for any other name. `lowercasedName` is in lower case.
std::optional<Color> cssNamedColor(std::string_view lowercasedName);

} // namespace tessaril::platform
