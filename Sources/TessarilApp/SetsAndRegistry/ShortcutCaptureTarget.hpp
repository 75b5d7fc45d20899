#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "TessarilCore/Rules/TextToolAction.hpp"

namespace tessaril {

// What a captured shortcut is assigned to: one text tool, a fixed-phrase rule as edited for the
// selected application target, or a rule of the default fixed phrases (by rule identifier). Its string
// form is the identifier of every capture button. A plain value; main thread in practice.
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

    // "textTool:" + action raw value, "fixedPhrase:" + rule id or "fixedPhraseDefault:" + rule id.
    std::string rawValue() const;
    // The target a string form names; none for an unknown prefix, an unknown tool or an empty rule id.
    static std::optional<ShortcutCaptureTarget> parse(std::string_view text);

    friend bool operator==(const ShortcutCaptureTarget&, const ShortcutCaptureTarget&) = default;
};

} // namespace tessaril
