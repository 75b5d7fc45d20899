#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "TessarilApp/AppKit/AlertPresenter.hpp"

namespace tessaril::appkit {

// Answers alerts from a script of button titles, in order; an alert with no answer left, or whose
// buttons do not include the scripted title, gets its first button. Every alert and its answer are
// kept and told to the observer. For tests and the replay tool.
class ScriptedAlertPresenter final : public AlertPresenter {
public:
    struct Presented {
        Alert alert;
        std::size_t answer;
    };
    using Observer = std::function<void(const Alert& alert, const std::string& answer)>;

    explicit ScriptedAlertPresenter(std::vector<std::string> answers = {}, Observer observer = {});

    std::size_t runModal(const Alert& alert) override;

    void addAnswer(std::string title) { answers_.push_back(std::move(title)); }
    const std::vector<Presented>& presented() const { return presented_; }

private:
    std::deque<std::string> answers_;
    Observer observer_;
    std::vector<Presented> presented_;
};

} // namespace tessaril::appkit
