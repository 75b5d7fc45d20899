#pragma once

#include <string_view>

namespace tessaril {

// Whether a link target may become a live link in generated HTML: http:, https:, mailto: and tel:
// URLs, fragments and relative references. Any other scheme (javascript:, data:, vbscript:, file:…)
// is refused. The scheme is read as a browser reads it: ASCII white space and control characters
// anywhere are ignored and case is folded. Entities are not decoded; callers pass escaped text, in
// which "&" is always "&amp;", so no entity can hide a colon.
bool fixedPhraseLinkTargetIsAllowed(std::string_view target);

} // namespace tessaril
