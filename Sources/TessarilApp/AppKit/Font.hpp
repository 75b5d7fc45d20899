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
// The phrase editor's monospaced and serif faces.
inline constexpr const char* monospacedFontFamily = "Noto Sans Mono CJK JP";
inline constexpr const char* serifFontFamily = "Noto Serif CJK JP";
// Where emoji come from (the status menu's 🟢 and 🔴, emoji in phrases): in colour, never as the box
// of a missing glyph.
inline constexpr const char* emojiFallbackFontFamily = "Noto Color Emoji";

// Makes the system family fall back to the symbol family and then the emoji family, and the phrase
// editor's faces to the emoji family, before any family Qt would pick itself. Runs once, before the
// first font of any of them is made: every maker of such fonts calls it.
void installFontFallbacks();

} // namespace tessaril::appkit
