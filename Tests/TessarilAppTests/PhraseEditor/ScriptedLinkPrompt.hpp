#pragma once

#include <optional>
#include <string>
#include <vector>

#include "TessarilApp/PhraseEditor/FixedPhraseLinkPrompt.hpp"

namespace tessaril::testing {

// Answers the link prompt with a scripted text (none: "キャンセル") and records what the field held.
class ScriptedLinkPrompt final : public FixedPhraseLinkPrompt {
public:
    explicit ScriptedLinkPrompt(std::optional<std::string> scripted = std::nullopt) : answer(std::move(scripted)) {}

    std::optional<std::string> answer;
    std::vector<std::string> initialTexts;

    std::optional<std::string> requestLink(const std::string& initialText) override {
        initialTexts.push_back(initialText);
        return answer;
    }
};

} // namespace tessaril::testing
