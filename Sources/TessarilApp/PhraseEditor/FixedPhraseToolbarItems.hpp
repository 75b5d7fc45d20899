#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "TessarilApp/PhraseEditor/FixedPhraseParagraphStyle.hpp"

namespace tessaril {

// The controls of the phrase editor's toolbars and the context menu that repeats them.

// A style button: its key (the identifier's second part), title, tool tip (also read by assistive
// technology and used as the menu title, except for the clear button, whose menu title is its title)
// and width. The platform's symbol images do not exist here, so the buttons show their titles.
struct FixedPhraseStyleButton {
    std::string_view key;
    std::string_view title;
    std::string_view toolTip;
    int width;

    std::string_view menuTitle() const { return key == "clear" ? title : toolTip; }
};

// In the order the style action tests them; "link" and "clear" close the first and second rows.
inline constexpr std::array<FixedPhraseStyleButton, 11> fixedPhraseStyleButtons{{
    {"bold", "B", "太字", 32},
    {"italic", "I", "斜体", 32},
    {"underline", "U", "下線", 32},
    {"strikethrough", "S", "打消し", 32},
    {"link", "Link", "リンク", 32},
    {"bullet", "•", "箇条書き", 32},
    {"numbered", "1.", "番号リスト", 32},
    {"alignLeft", "L", "左揃え", 32},
    {"alignCenter", "C", "中央揃え", 32},
    {"alignRight", "R", "右揃え", 32},
    {"clear", "書式クリア", "選択範囲の装飾をすべて解除します。", 86},
}};

// The paragraph menu of the rich toolbar and the markup menu of the plain one, "本文" first.
inline constexpr std::array<std::pair<std::string_view, FixedPhraseParagraphStyle>, 5> fixedPhraseParagraphMenuItems{{
    {"本文", FixedPhraseParagraphStyle::body},
    {"見出し2", FixedPhraseParagraphStyle::heading2},
    {"見出し3", FixedPhraseParagraphStyle::heading3},
    {"引用", FixedPhraseParagraphStyle::quote},
    {"コード", FixedPhraseParagraphStyle::code},
}};

// Title and family key of the font menu, "等幅" first.
inline constexpr std::array<std::pair<std::string_view, std::string_view>, 3> fixedPhraseFontFamilyItems{{
    {"等幅", "system"},
    {"明朝", "serif"},
    {"Mono", "mono"},
}};

inline constexpr std::array<int, 8> fixedPhraseFontSizes{12, 14, 16, 18, 20, 24, 28, 32};
inline constexpr int fixedPhraseDefaultFontSize = 14;

} // namespace tessaril
