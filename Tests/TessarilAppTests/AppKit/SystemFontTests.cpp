#include <gtest/gtest.h>

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include "TessarilApp/AppKit/Font.hpp"
#include "TessarilApp/PhraseEditor/AttributedTextFormats.hpp"

namespace tessaril::appkit {
namespace {

// Shortcuts read "⌘+⌃+C": each modifier symbol must come from a font that has it and be drawn about as
// wide as a letter, never as the small raised caret that reads like "^".
TEST(SystemFontTests, EveryModifierSymbolIsDrawnAtFullSize) {
    constexpr int size = 28;
    const QFont font = systemFont(size, FontWeight::medium);
    for (const char* symbol : {"⌘", "⇧", "⌥", "⌃"}) {
        SCOPED_TRACE(symbol);
        QTextLayout layout(QString::fromUtf8(symbol), font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const auto runs = layout.glyphRuns();
        ASSERT_EQ(runs.size(), 1);
        const auto glyphs = runs.front().glyphIndexes();
        ASSERT_EQ(glyphs.size(), 1);
        ASSERT_NE(glyphs.front(), 0u) << "no font has it";
        const QRectF ink = runs.front().rawFont().boundingRect(glyphs.front());
        const std::string family = runs.front().rawFont().familyName().toStdString();
        EXPECT_GE(ink.width(), 0.6 * size) << family;
        EXPECT_GE(ink.height(), 0.35 * size) << family;
    }
}

// The status menu's 🟢 and 🔴 and emoji typed into phrases come from the colour emoji font in every
// face the window, the menu and the phrase editor use, never as the box of a missing glyph.
TEST(SystemFontTests, EmojiAreDrawnFromTheColourEmojiFont) {
    const struct {
        const char* face;
        QFont font;
    } faces[] = {
        {"window and menu", systemFont(13)},
        {"phrase text", textFont(platform::Font::system(14))},
        {"phrase monospaced", textFont(platform::Font::monospacedSystem(14))},
        {"phrase serif", textFont(platform::Font{.family = "Hiragino Mincho ProN"})},
    };
    for (const auto& face : faces) {
        for (const char* emoji : {"🟢", "🔴", "😀"}) {
            SCOPED_TRACE(std::string(face.face) + " " + emoji);
            QTextLayout layout(QString::fromUtf8(emoji), face.font);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            const auto runs = layout.glyphRuns();
            ASSERT_EQ(runs.size(), 1);
            EXPECT_EQ(runs.front().rawFont().familyName().toStdString(), emojiFallbackFontFamily);
            EXPECT_NE(runs.front().glyphIndexes().value(0), 0u) << "drawn as a missing glyph";
        }
    }
}

} // namespace
} // namespace tessaril::appkit
