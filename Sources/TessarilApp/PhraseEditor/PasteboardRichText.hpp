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
// The text as an RTF document; none when it cannot be written.
std::optional<std::vector<std::uint8_t>> rtfDataFromAttributedText(const platform::AttributedText& text);

inline constexpr const char* rtfMimeType = "text/rtf";

} // namespace tessaril
