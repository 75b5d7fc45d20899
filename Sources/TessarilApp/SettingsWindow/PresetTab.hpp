#pragma once

class QWidget;

namespace tessaril {

class AppDelegate;

// The presets page ("プリセット設定": the list of presets to edit beside the summary of the one being
// edited) and the two preset pieces other pages place: the pop-up that chooses the preset to edit
// (basic page) and the table of built-in preset names (advanced page). Built from the current values
// on every rebuild; the name fields are registered on the delegate as they are made. Keeps no state;
// main thread only.
class PresetTab {
public:
    explicit PresetTab(AppDelegate& delegate) : delegate_(delegate) {}

    QWidget* makePresetTab();
    QWidget* makePresetListPane();
    QWidget* makePresetSummaryPane();
    // "編集するプリセット", the pop-up, and "使用中" while the edited preset is the active one.
    QWidget* makePresetEditSelector();
    QWidget* makePresetNameEditor();

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
