#pragma once

#include <optional>
#include <string_view>

namespace tessaril::platform {

// The named character references of HTML 4 (and &apos;): the ones hand-written and generated HTML uses.
// The name is case-sensitive ("Eacute" and "eacute" differ).
std::optional<char32_t> namedCharacterReference(std::u16string_view name);

} // namespace tessaril::platform
