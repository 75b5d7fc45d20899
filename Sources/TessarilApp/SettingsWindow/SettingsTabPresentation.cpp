#include "TessarilApp/SettingsWindow/SettingsTabPresentation.hpp"

#include <array>

namespace tessaril {

const SettingsTabPresentation& SettingsTabPresentation::of(SettingsTab tab) {
    // Indexed by the tab's case index.
    static const std::array<SettingsTabPresentation, 9> table{{
        {"基本", "slider.horizontal.3", "=", std::nullopt, std::nullopt},
        {"テンキーハック", "number.square", "#", std::nullopt, std::nullopt},
        {"誤爆防止", "shield.checkerboard", "!", "誤爆防止",
         "終了やウィンドウを閉じるショートカットを、必要回数を押した時だけ通します。"},
        {"括弧・引用補助", "quote.opening", "“”", "括弧・引用補助",
         "選択中の文字を前後で包み、選択なしなら前後の文字を挿入して内側へ戻します。"},
        {"定型文アシスト", "text.quote", "文", "定型文アシスト",
         "よく使う文言をショートカットで挿入します。挿入形式はプレーン、リッチから選べます。"},
        {"ショートカット台帳", "tablecells", "表", std::nullopt, std::nullopt},
        {"プリセット設定", "rectangle.stack", "P", std::nullopt, std::nullopt},
        {"アドバンス", "gearshape", "*", std::nullopt, std::nullopt},
        {"サポート", "questionmark.circle", "?", std::nullopt, std::nullopt},
    }};
    return table[caseIndex(tab)];
}

} // namespace tessaril
