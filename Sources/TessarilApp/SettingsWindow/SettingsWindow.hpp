#pragma once

#include "TessarilApp/AppKit/ContentRebuilder.hpp"
#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilApp/AppKit/WindowDelegate.hpp"

namespace tessaril {

class AppDelegate;

// The settings window: made once by the application delegate and kept for the life of the process.
// It owns what each rebuild of its content needs to be safe (a rebuild asked for during a rebuild
// runs after it; one asked for from an event monitor waits for the press to finish) and tells the
// delegate when the user closes it. Main thread only.
class SettingsWindow final : public appkit::Window, private appkit::WindowDelegate {
    Q_OBJECT
public:
    static constexpr int contentWidth = 1320;
    static constexpr int contentHeight = 760;
    static constexpr int minimumContentWidth = 1300;
    static constexpr int minimumContentHeight = 700;
    static constexpr const char* windowTitle = "Tessaril 詳細設定";

    explicit SettingsWindow(AppDelegate& delegate);

    appkit::ContentRebuilder& rebuilder() { return rebuilder_; }

private:
    void windowWillClose(appkit::Window& window) override;

    AppDelegate& delegate_;
    appkit::ContentRebuilder rebuilder_;
};

} // namespace tessaril
