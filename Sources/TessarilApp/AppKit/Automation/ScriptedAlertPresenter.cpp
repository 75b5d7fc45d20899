#include "TessarilApp/AppKit/Automation/ScriptedAlertPresenter.hpp"

#include <algorithm>

namespace tessaril::appkit {

ScriptedAlertPresenter::ScriptedAlertPresenter(std::vector<std::string> answers, Observer observer)
    : answers_(answers.begin(), answers.end()), observer_(std::move(observer)) {}

std::size_t ScriptedAlertPresenter::runModal(const Alert& alert) {
    Alert shown = alert;
    if (shown.buttons.empty()) shown.buttons = {"OK"};
    std::size_t answer = 0;
    if (!answers_.empty()) {
        const auto found = std::find(shown.buttons.begin(), shown.buttons.end(), answers_.front());
        if (found != shown.buttons.end()) answer = static_cast<std::size_t>(found - shown.buttons.begin());
        answers_.pop_front();
    }
    presented_.push_back({shown, answer});
    if (observer_) observer_(shown, shown.buttons[answer]);
    return answer;
}

} // namespace tessaril::appkit
