#pragma once

#include "TessarilApp/AppKit/FilePanelPresenter.hpp"

namespace tessaril::appkit {

// Open and save panels as the toolkit's modal file dialogs.
class FileDialogPanelPresenter final : public FilePanelPresenter {
public:
    std::optional<FilePanelResult> runOpenPanel(const FilePanel& panel) override;
    std::optional<FilePanelResult> runSavePanel(const FilePanel& panel) override;
};

} // namespace tessaril::appkit
