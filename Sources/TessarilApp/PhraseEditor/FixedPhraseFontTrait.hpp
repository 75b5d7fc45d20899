#pragma once

namespace tessaril {

// The font traits the style buttons switch. A semibold or heavier font has the bold trait.
enum class FixedPhraseFontTrait { bold, italic };

} // namespace tessaril
