#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "Platform/Foundation/AttributedText.hpp"

class QMimeData;

namespace tessaril {

// The rich flavours the phrase editor reads from and writes to the pasteboard.

// The pasteboard's RTF bytes ("text/rtf", or "application/rtf"), if it has any.
std::optional<std::vector<std::uint8_t>> pasteboardRTFData(const QMimeData& data);
// The text of RTF bytes; none when they are not an RTF document.
std::optional<platform::AttributedText> attributedTextFromRTF(std::span<const std::uint8_t> rtf);
std::vector<std::uint8_t> rtfData(const platform::AttributedText& text);
// The pasteboard's HTML read as a browser's page is pasted: sanitised, then rendered.
std::optional<platform::AttributedText> pasteboardHTMLText(const QMimeData& data);

inline constexpr const char* rtfMimeType = "text/rtf";

} // namespace tessaril
