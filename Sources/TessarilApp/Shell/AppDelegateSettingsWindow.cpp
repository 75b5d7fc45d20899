// The settings window's side of the delegate, until the window exists: opening brings the application
// forward and starts the input backend when the permission allows, as opening the window does; there
// is no window to rebuild, no editor with unsaved edits and nothing to export.
#include <cstdio>

#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

void AppDelegate::openSettingsWindow() {
    services_.application.activate(true);
    if (!disablesInputBackendForPreview && activeInputBackend == ActiveKeyboardInputBackend::stopped &&
        eventTapBackend().isAccessibilityTrusted(false)) {
        startInputBackend(false, false);
    }
}

void AppDelegate::rebuildSettingsWindow() {
    if (!settingsWindow) return;
    settingsWindowDidRebuild();
}

bool AppDelegate::hasUnsavedFixedPhraseEdits() { return false; }

void AppDelegate::exportQASettingsPreviews(const QASettingsPreviewRequest&) {
    std::fputs("Tessaril QA settings preview export failed: the settings window is not built yet\n", stderr);
    std::fflush(stderr);
    services_.application.exit(1);
}

} // namespace tessaril
