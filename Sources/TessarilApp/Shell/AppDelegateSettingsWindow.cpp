// The settings window's methods of the delegate; their bodies live in the window's components.
#include "TessarilApp/PhraseEditor/FixedPhraseEditorState.hpp"
#include "TessarilApp/SettingsWindow/QASettingsPreviewExporter.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

void AppDelegate::openSettingsWindow() { SettingsWindowController(*this).openSettingsWindow(); }

void AppDelegate::rebuildSettingsWindow() { SettingsWindowController(*this).rebuildSettingsWindow(); }

bool AppDelegate::hasUnsavedFixedPhraseEdits() { return FixedPhraseEditorState(*this).hasUnsavedFixedPhraseEdits(); }

void AppDelegate::exportQASettingsPreviews(const QASettingsPreviewRequest& request) {
    QASettingsPreviewExporter(*this).exportPreviews(request);
}

} // namespace tessaril
