#pragma once

#include <optional>
#include <string>

#include <QPointer>

#include "TessarilApp/AppKit/ContentRebuilder.hpp"
#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilApp/AppKit/WindowDelegate.hpp"
#include "TessarilApp/Shell/SettingsTab.hpp"
#include "TessarilCore/Settings/KeyboardPresetReference.hpp"

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

    // Which page shows: its tab and what the page is about (the application target, the preset being
    // edited). A rebuild of the same page keeps what the user sees of it; another page starts afresh.
    struct ShownPage {
        SettingsTab tab;
        std::optional<std::string> target;
        std::optional<KeyboardPresetReference> preset;
        friend bool operator==(const ShownPage&, const ShownPage&) = default;
    };

    appkit::ContentRebuilder& rebuilder() { return rebuilder_; }
    const std::optional<ShownPage>& shownPage() const { return shownPage_; }
    QWidget* pageView() const { return pageView_; }
    void setShownPage(ShownPage page, QWidget* view) {
        shownPage_ = std::move(page);
        pageView_ = view;
    }

private:
    void windowWillClose(appkit::Window& window) override;

    AppDelegate& delegate_;
    appkit::ContentRebuilder rebuilder_;
    std::optional<ShownPage> shownPage_;
    QPointer<QWidget> pageView_;
};

} // namespace tessaril
