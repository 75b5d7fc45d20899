#include "TessarilApp/AppKit/Automation/ScriptedFilePanelPresenter.hpp"

namespace tessaril::appkit {

ScriptedFilePanelPresenter::ScriptedFilePanelPresenter(std::vector<FilePanelResult> answers)
    : answers_(answers.begin(), answers.end()) {}

std::optional<FilePanelResult> ScriptedFilePanelPresenter::runOpenPanel(const FilePanel& panel) { return next(panel); }

std::optional<FilePanelResult> ScriptedFilePanelPresenter::runSavePanel(const FilePanel& panel) { return next(panel); }

std::optional<FilePanelResult> ScriptedFilePanelPresenter::next(const FilePanel& panel) {
    presented_.push_back(panel);
    if (answers_.empty()) return std::nullopt;
    FilePanelResult answer = answers_.front();
    answers_.pop_front();
    return answer;
}

} // namespace tessaril::appkit
