#pragma once

#include <array>
#include <string_view>

#include "TessarilCore/Support/EnumCases.hpp"
#include "TessarilCore/Support/EnumSet.hpp"

namespace tessaril {

// The three built-in keyboard presets.
enum class KeyboardPreset { laptop, compactUS, fullSizeUS };

template <> struct EnumCases<KeyboardPreset> {
    static constexpr std::string_view typeName = "KeyboardPreset";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<KeyboardPreset, std::string_view>, 3> cases{{
        {KeyboardPreset::laptop, "laptop"},
        {KeyboardPreset::compactUS, "compactUS"},
        {KeyboardPreset::fullSizeUS, "fullSizeUS"},
    }};
};

using KeyboardPresetSet = EnumSet<KeyboardPreset>;

namespace keyboard_preset {

// Every `activePresets` set of the records is limited to these.
inline constexpr std::array<KeyboardPreset, 3> standardCases{KeyboardPreset::laptop, KeyboardPreset::compactUS,
                                                             KeyboardPreset::fullSizeUS};
inline constexpr KeyboardPresetSet standardSet = KeyboardPresetSet::all();
inline constexpr KeyboardPreset defaultPreset = KeyboardPreset::laptop;

} // namespace keyboard_preset

constexpr KeyboardPreset standardPreset(KeyboardPreset preset) { return preset; }

// The name shown unless the user renamed the preset.
constexpr std::string_view defaultDisplayName(KeyboardPreset preset) {
    switch (preset) {
    case KeyboardPreset::laptop: return "P1 執筆";
    case KeyboardPreset::compactUS: return "P2 英語";
    case KeyboardPreset::fullSizeUS: return "P3 コード";
    }
    return {};
}

} // namespace tessaril
