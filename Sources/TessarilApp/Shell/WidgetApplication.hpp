#pragma once

#include <memory>
#include <optional>

#include <QApplication>

class QWidget;

#include "TessarilApp/Shell/Application.hpp"
#include "TessarilApp/Shell/MainMenuKeyEquivalents.hpp"

namespace tessaril {

// The running Qt application as the delegate's application object: an accessory application stays
// when its last window closes; the main menu is installed as key equivalents its windows answer (the
// desktop has no menu bar to show it in); `run` tells the delegate that launching is done once the
// event loop runs. A loop that ends without `terminate` or `exit` (the session manager's end of the
// session) still tells the delegate, as a session's request. Main thread.
class WidgetApplication final : public Application {
public:
    explicit WidgetApplication(QApplication& application);
    ~WidgetApplication() override;
    WidgetApplication(const WidgetApplication&) = delete;
    WidgetApplication& operator=(const WidgetApplication&) = delete;

    void setDelegate(ApplicationDelegate* delegate) override { delegate_ = delegate; }
    void setActivationPolicy(ActivationPolicy policy) override;
    void setMainMenu(Menu menu) override;
    void activate(bool ignoringOtherApps) override;
    bool hasVisibleWindows() const override;
    void terminate(TerminationRequest request) override;
    void exit(int status) override;

    // Runs the event loop until the application ends; answers its exit status.
    int run();
    // The user launched the application again: the delegate decides what to show.
    void reopen();

    // The application's own windows, which activating raises and which keep a reopen from showing the
    // settings window: titled windows (the settings window with its sheets and panels), dialogs, and
    // windows marked as the application's (the guide). Not the status item's icon, which a tray reached
    // over XEmbed shows as a top-level window of its own, nor menus, tool tips or the character count.
    static bool isApplicationWindow(const QWidget& window);
    static void markAsApplicationWindow(QWidget& window);

    std::optional<ActivationPolicy> activationPolicy() const { return policy_; }
    const std::optional<Menu>& mainMenu() const { return mainMenu_; }

private:
    QApplication& application_;
    ApplicationDelegate* delegate_ = nullptr;
    std::optional<ActivationPolicy> policy_;
    std::optional<Menu> mainMenu_;
    std::unique_ptr<MainMenuKeyEquivalents> keyEquivalents_;
    // Set once the loop was told to end: the delegate is asked no more.
    bool isEnding_ = false;
    QMetaObject::Connection aboutToQuit_;
};

} // namespace tessaril
