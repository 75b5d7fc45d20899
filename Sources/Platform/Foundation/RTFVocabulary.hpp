#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Platform/Foundation/FontWeight.hpp"

namespace tessaril::platform::rtf {

// What the RTF reader and writer agree on: which control words stand for which attribute values.

// The underline style of an underline control word ("ul", "uldb", "ulthd", …), or none for words that
// are not underlines. "ulnone" is 0.
std::optional<int> underlineStyle(std::string_view controlWord);
// The control word that writes an underline style; styles RTF cannot draw are written as "ul".
std::string_view underlineControlWord(int style);

// List levels: \levelnfc numbers and the marker formats of text lists.
std::string markerFormat(int levelNumberFormat, char16_t bulletCharacter);
int levelNumberFormat(std::string_view markerFormat);
// The character a bullet level shows, for the \leveltext of other readers.
char16_t bulletCharacter(std::string_view markerFormat);

// Font weights as the weight class of a \panose entry, and back (none for classes 0 and 1, "any").
int panoseWeight(FontWeight weight);
std::optional<FontWeight> fontWeight(int panoseWeight);

// The code page of an \fcharset, or none for the ANSI and default character sets, which use the
// document's code page.
std::optional<int> codePage(int characterSet);

// The code page a document or font asks for, when it is one the reader decodes; others read as 1252.
int supportedCodePage(int codePage);

// Our family name for a family in a font table: the system fonts under their platform names become
// ".SystemUI" and ".SystemMono"; other names stay.
std::string familyName(std::string_view fontTableName);
// True for the platform's own names of the monospaced system font, which are fixed-pitch.
bool isPlatformMonospacedName(std::string_view fontTableName);

// The target of a HYPERLINK field instruction (HYPERLINK "url" \l "anchor"): the URL, with "#anchor"
// when a location is given; none for other fields. Quoted arguments take \" and \\ as escapes.
std::optional<std::u16string> hyperlinkTarget(std::u16string_view instruction);
// The instruction of a HYPERLINK field to `target`, which hyperlinkTarget reads back exactly.
std::u16string hyperlinkInstruction(std::u16string_view target);

} // namespace tessaril::platform::rtf
