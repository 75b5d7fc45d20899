#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TessarilMac/TextActions/ScreenGeometry.hpp"

namespace tessaril {

// What the character-count panel shows under its title: the four counts of a text (292 × 154), or
// "選択なし" when nothing with text was selected (292 × 76). Pure; any thread.
struct CharacterCountHUDContent {
    static constexpr std::string_view title = "文字数チェック";
    static constexpr std::string_view noSelection = "選択なし";

    bool hasText = false;
    ScreenSize size;
    // Label and count, in the panel's order; empty without text.
    std::vector<std::pair<std::string, std::string>> rows;

    // The empty text counts as no selection.
    static CharacterCountHUDContent make(const std::optional<std::string>& text);

    friend bool operator==(const CharacterCountHUDContent&, const CharacterCountHUDContent&) = default;
};

} // namespace tessaril
