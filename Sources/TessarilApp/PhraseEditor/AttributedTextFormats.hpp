#pragma once

#include <optional>
#include <string_view>

#include <QColor>
#include <QFont>
#include <QMetaType>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include "Platform/Foundation/ParagraphStyle.hpp"
#include "Platform/Foundation/TextAttributes.hpp"

Q_DECLARE_METATYPE(tessaril::platform::TextAttributes)

namespace tessaril {

// How our attributed text lives in a Qt document. Each character format carries the character's
// exact attributes as a property; Qt's own font, colour and line properties are derived from them
// only to draw the text. Paragraph layout is drawn from the block format, derived from the
// paragraph's first character. Block separators carry the exact line end they stand for.
enum AttributedTextFormatProperty : int {
    // platform::TextAttributes: the character's attributes.
    attributesProperty = QTextFormat::UserProperty + 0x7E50,
    // QString: the line end a block separator stands for, when it is not a line feed.
    lineEndProperty,
    // platform::TextAttributes: the LF of a CRLF separator, where they differ from the CR's.
    lineFeedAttributesProperty,
    // int: the code unit a U+FFFD of this format stands for, where Qt would not keep the unit itself.
    substitutedUnitProperty,
};

// The format that draws and carries the attributes. Runs without a colour of their own take the
// editor's text colour from its palette: that colour is never written into a format.
QTextCharFormat textCharFormat(const platform::TextAttributes& attributes);
// The carried attributes; for a format that carries none (text that came from Qt itself), what its
// font, colour, line and anchor properties say.
platform::TextAttributes textAttributes(const QTextCharFormat& format);

QTextBlockFormat textBlockFormat(const std::optional<platform::ParagraphStyle>& style);

QFont textFont(const platform::Font& font);
QColor textColor(const platform::Color& color);
// The installed family that shows a family name of the text (the system fonts, the Mac serif fonts).
QString displayFontFamily(std::string_view family);
bool fixedPhraseFontFamilyIsInstalled(std::string_view family);

} // namespace tessaril
