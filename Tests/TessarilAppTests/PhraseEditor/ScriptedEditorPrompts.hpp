#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "TessarilApp/AppKit/AlertPresenter.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseLinkPrompt.hpp"

namespace tessaril::testing {

// Records the alerts it is asked to run and presses their first button.
class RecordingAlertPresenter final : public appkit::AlertPresenter {
public:
    std::vector<appkit::Alert> alerts;
    std::size_t runModal(const appkit::Alert& alert) override {
        alerts.push_back(alert);
        return 0;
    }
};

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
