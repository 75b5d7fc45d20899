#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "TessarilApp/AppKit/ColorPanelPresenter.hpp"

namespace tessaril::appkit {

// Answers the colour panel from a script, in order: a colour, or none for a cancel; with no answer
// left the panel is cancelled. Keeps the colour each panel started from. For tests and the replay tool.
class ScriptedColorPanelPresenter final : public ColorPanelPresenter {
public:
    explicit ScriptedColorPanelPresenter(std::vector<std::optional<platform::Color>> answers = {})
        : answers_(answers.begin(), answers.end()) {}

    std::optional<platform::Color> runColorPanel(const platform::Color& initial) override {
        presented_.push_back(initial);
        if (answers_.empty()) return std::nullopt;
        const auto answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    const std::vector<platform::Color>& presented() const { return presented_; }

private:
    std::deque<std::optional<platform::Color>> answers_;
    std::vector<platform::Color> presented_;
};

} // namespace tessaril::appkit
