#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "Platform/Foundation/AttributedText.hpp"

namespace tessaril::replay {

// Attributed text in requests and output: {"runs": [{"text": "…", "attributes": {…}}, …]}. Output runs
// are maximal and leave absent attributes out; a font and a paragraph style are written with all their
// members. On input every member is optional and takes the text system's default, input runs with
// equal attributes count as one, and anything else (an unknown member, a wrong type, a colour
// component outside 0…1) is an unreadable request naming where it is.
nlohmann::json encodeAttributedText(const platform::AttributedText& text);
platform::AttributedText decodeAttributedText(const nlohmann::json& value, const std::string& path);

// A colour as [r, g, b, a], sRGB components 0…1.
nlohmann::json encodeColor(const platform::Color& color);
platform::Color decodeColor(const nlohmann::json& value, const std::string& path);

// A number as JSON writes it most simply: integral values without a fraction (14, not 14.0).
nlohmann::json jsonNumber(double value);

} // namespace tessaril::replay
