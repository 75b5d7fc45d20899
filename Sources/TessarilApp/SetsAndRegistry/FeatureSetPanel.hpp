#pragma once

#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilApp/AppKit/WindowDelegate.hpp"
#include "TessarilApp/Shell/SettingsTab.hpp"

namespace tessaril {

class AppDelegate;

// The window of the set sheet. Its own close button closes the sheet as "閉じる" does, question
// included; a panel that is no longer the delegate's open sheet just closes. Main thread only.
class FeatureSetPanel final : public appkit::Window, private appkit::WindowDelegate {
    Q_OBJECT
public:
    FeatureSetPanel(AppDelegate& delegate, SettingsTab tab);

protected:
    // The content is made again when the panel becomes smaller than it (a small screen) or large
    // enough again: only a panel too small for it scrolls it.
    void resizeEvent(QResizeEvent* event) override;

private:
    bool windowShouldClose(appkit::Window& window) override;
    void windowWillClose(appkit::Window&) override {}

    AppDelegate& delegate_;
    bool isSmallerThanContent_ = false;
};

} // namespace tessaril
