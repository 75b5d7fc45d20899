#pragma once

#include <string>

#include "TessarilApp/SettingsWindow/SettingsWindow.hpp"
#include "TessarilApp/Shell/SettingsTab.hpp"

class QWidget;

namespace tessaril {

namespace appkit {
class Control;
class Window;
} // namespace appkit

class AppDelegate;
class SettingsWindow;
class TessarilButton;

// The settings window's side of the application delegate: opening and rebuilding the window, the
// sidebar, the page of each tab, moving between tabs with their confirmations, and closing. It keeps
// no state of its own (that is the delegate's and the window's), so any part of the window may make
// one around the delegate when it needs it. Main thread only.
class SettingsWindowController {
public:
    explicit SettingsWindowController(AppDelegate& delegate) : delegate_(delegate) {}

    void openSettingsWindow();
    // Does nothing before the window was first opened.
    void rebuildSettingsWindow();
    // The same, from the event loop once the pointer press in progress (if any) is over: for event
    // monitors, so the press still reaches the control under it.
    void rebuildSettingsWindowLater();
    void windowWillClose(appkit::Window& window);

    QWidget* makeSettingsSidebar();
    TessarilButton* makeSidebarButton(const std::string& title, SettingsTab tab, bool isSelected);
    QWidget* makeSidebarIcon(SettingsTab tab, bool isSelected);
    QWidget* tabContentView(SettingsTab tab);

    void selectSettingsTabFromButton(appkit::Control& sender);
    // Each answers true to go ahead.
    bool confirmAdvancedAccess();
    bool confirmShortcutRegistryAccess();
    bool confirmDiscardFixedPhraseEditsIfNeeded();
    // The discard question itself, asked when there are unsaved edits; "破棄して移動" drops the
    // editor's drafts, baselines and source views.
    bool confirmDiscardFixedPhraseEdits();
    // A person's quit with unsaved phrase edits asks "破棄して終了" or "キャンセル" (the default);
    // true to end. "キャンセル" brings the window to the front on the phrase page, the edits on it.
    bool confirmQuitDiscardingFixedPhraseEditsIfNeeded();

    // The two shortcut captures end (monitors removed, target cleared) and the keyboard controller
    // resumes unless the other capture still runs.
    void stopShortcutCapture();
    void stopWritingAssistShortcutCapture();
    // Every suspension call of the window goes through here, so listeners hear of each one.
    void setEventControllerSuspended(bool isSuspended, const std::string& reason);

    // The window as the settings window, or nullptr before it was made.
    SettingsWindow* window() const;
    // Makes the window exactly as opening does and stores it on the delegate.
    SettingsWindow& makeWindowIfNeeded();

private:
    friend class SettingsWindow;

    // One rebuild of the content, which the window's rebuilder runs.
    void rebuildContent();
    SettingsWindow::ShownPage shownPage() const;
    bool confirm(const char* message, const char* informative, const char* confirmTitle);

    AppDelegate& delegate_;
};

} // namespace tessaril
