#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "TessarilApp/PhraseEditor/FixedPhraseLinkPrompt.hpp"

namespace tessaril::replay {

// Answers the link dialog from a script, in order: the address confirmed with "設定", or none for
// "キャンセル"; with no answer left the dialog is cancelled.
class ScriptedFixedPhraseLinkPrompt final : public FixedPhraseLinkPrompt {
public:
    explicit ScriptedFixedPhraseLinkPrompt(std::vector<std::optional<std::string>> answers)
        : answers_(answers.begin(), answers.end()) {}

    std::optional<std::string> requestLink(const std::string&) override {
        if (answers_.empty()) return std::nullopt;
        auto answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }

private:
    std::deque<std::optional<std::string>> answers_;
};

} // namespace tessaril::replay
