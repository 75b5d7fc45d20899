#pragma once

#include <optional>

#include "TessarilApp/AppKit/FilePanel.hpp"

namespace tessaril::appkit {

// Runs open and save panels modally; none means the user cancelled. The application shows file
// dialogs; tests and the replay tool answer from a script. Main thread only.
class FilePanelPresenter {
public:
    virtual ~FilePanelPresenter() = default;
    virtual std::optional<FilePanelResult> runOpenPanel(const FilePanel& panel) = 0;
    virtual std::optional<FilePanelResult> runSavePanel(const FilePanel& panel) = 0;
};

} // namespace tessaril::appkit
