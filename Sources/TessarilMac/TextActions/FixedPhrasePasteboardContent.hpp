#pragma once

#include "Platform/Pasteboard/PasteboardItem.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertion.hpp"

namespace tessaril {

// What a fixed phrase is pasted as: the string flavour always, then RTF and HTML where the phrase yields
// them, in that order. A rich phrase brings its stored RTF bytes unchanged and the framed semantic HTML
// of that RTF; a plain phrase the RTF of its styled form and its clipboard HTML. A conversion that fails
// only leaves its flavour out. Pure; any thread.
platform::PasteboardItem fixedPhrasePasteboardContent(const FixedPhraseInsertion& insertion);

} // namespace tessaril
