#include "TessarilApp/SetsAndRegistry/ShortcutCaptureTarget.hpp"

namespace tessaril {

namespace {

constexpr std::string_view textToolPrefix = "textTool:";
constexpr std::string_view fixedPhrasePrefix = "fixedPhrase:";
constexpr std::string_view fixedPhraseDefaultPrefix = "fixedPhraseDefault:";

template <class... Cases> struct Overloaded : Cases... {
    using Cases::operator()...;
};

} // namespace

std::string ShortcutCaptureTarget::rawValue() const {
    return std::visit(Overloaded{
                          [](const TextTool& tool) { return std::string(textToolPrefix) + std::string(tessaril::rawValue(tool.action)); },
                          [](const FixedPhrase& rule) { return std::string(fixedPhrasePrefix) + rule.ruleID; },
                          [](const FixedPhraseDefault& rule) { return std::string(fixedPhraseDefaultPrefix) + rule.ruleID; },
                      },
                      value);
}

std::optional<ShortcutCaptureTarget> ShortcutCaptureTarget::parse(std::string_view text) {
    if (text.starts_with(textToolPrefix)) {
        auto action = enumFromRawValue<TextToolAction>(text.substr(textToolPrefix.size()));
        if (!action) return std::nullopt;
        return ShortcutCaptureTarget{TextTool{*action}};
    }
    if (text.starts_with(fixedPhrasePrefix)) {
        auto ruleID = text.substr(fixedPhrasePrefix.size());
        if (ruleID.empty()) return std::nullopt;
        return ShortcutCaptureTarget{FixedPhrase{std::string(ruleID)}};
    }
    if (text.starts_with(fixedPhraseDefaultPrefix)) {
        auto ruleID = text.substr(fixedPhraseDefaultPrefix.size());
        if (ruleID.empty()) return std::nullopt;
        return ShortcutCaptureTarget{FixedPhraseDefault{std::string(ruleID)}};
    }
    return std::nullopt;
}

} // namespace tessaril
