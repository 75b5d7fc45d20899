#pragma once

#include <QFont>

namespace tessaril::appkit {

// The weights the window uses.
enum class FontWeight { regular, medium, semibold, bold };

// The window's one typeface at a pixel size, so that a rendering does not depend on the screen's
// resolution or the machine's font settings.
QFont systemFont(int pixelSize, FontWeight weight = FontWeight::regular);

// The family every control is set in.
inline constexpr const char* systemFontFamily = "Noto Sans CJK JP";
// Where the glyphs the system family lacks come from, the modifier keys' ⌥ and ⌃ among them: its
// keyboard symbols are drawn at full width on the cap height, where the usual fallback draws ⌃ as a
// small raised caret.
inline constexpr const char* symbolFallbackFontFamily = "Inter";

} // namespace tessaril::appkit
