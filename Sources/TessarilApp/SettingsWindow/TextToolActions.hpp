#pragma once

namespace tessaril {

namespace appkit {
class Control;
} // namespace appkit

class AppDelegate;

// The basic page's edits of the text tools: each tool's switch, where the character-count panel
// appears and whether its result is copied. The shortcuts themselves change only by capture. Saved
// through `persistSettings`; a sender that names no tool or position changes nothing. Keeps no state;
// main thread only.
class TextToolActions {
public:
    explicit TextToolActions(AppDelegate& delegate) : delegate_(delegate) {}

    // The tool is the sender's identifier; on exactly when the switch now is.
    void toggleTextToolEnabled(appkit::Control& sender);
    // The selected item's raw value.
    void updateCharacterCountHUDPosition(appkit::Control& sender);
    void toggleCharacterCountResultCopy(appkit::Control& sender);

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
