#pragma once

namespace tessaril {

// The two lists of the toolbar: a disc-marked bullet list and a decimal numbered list.
enum class FixedPhraseListKind { bullet, numbered };

} // namespace tessaril
