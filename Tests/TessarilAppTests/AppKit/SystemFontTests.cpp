#include <gtest/gtest.h>

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include "TessarilApp/AppKit/Font.hpp"

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

} // namespace
} // namespace tessaril::appkit
