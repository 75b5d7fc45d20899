#pragma once

#include <deque>
#include <vector>

#include "TessarilApp/AppKit/FilePanelPresenter.hpp"

namespace tessaril::appkit {

// Answers open and save panels from a script, in order; with no answer left the panel is
// cancelled. Keeps every panel it was asked to show. For tests and the replay tool.
class ScriptedFilePanelPresenter final : public FilePanelPresenter {
public:
    explicit ScriptedFilePanelPresenter(std::vector<FilePanelResult> answers = {});

    std::optional<FilePanelResult> runOpenPanel(const FilePanel& panel) override;
    std::optional<FilePanelResult> runSavePanel(const FilePanel& panel) override;

    const std::vector<FilePanel>& presented() const { return presented_; }

private:
    std::optional<FilePanelResult> next(const FilePanel& panel);

    std::deque<FilePanelResult> answers_;
    std::vector<FilePanel> presented_;
};

} // namespace tessaril::appkit
