#pragma once

#include <string>
#include <variant>

#include "TessarilCore/Rules/TextToolAction.hpp"

namespace tessaril {

// What a captured shortcut is assigned to: one text tool, a fixed-phrase rule as edited for the
// selected application target, or a rule of the default fixed phrases (by rule identifier).
struct ShortcutCaptureTarget {
    struct TextTool {
        TextToolAction action;
        friend bool operator==(const TextTool&, const TextTool&) = default;
    };
    struct FixedPhrase {
        std::string ruleID;
        friend bool operator==(const FixedPhrase&, const FixedPhrase&) = default;
    };
    struct FixedPhraseDefault {
        std::string ruleID;
        friend bool operator==(const FixedPhraseDefault&, const FixedPhraseDefault&) = default;
    };

    std::variant<TextTool, FixedPhrase, FixedPhraseDefault> value;

    friend bool operator==(const ShortcutCaptureTarget&, const ShortcutCaptureTarget&) = default;
};

} // namespace tessaril
