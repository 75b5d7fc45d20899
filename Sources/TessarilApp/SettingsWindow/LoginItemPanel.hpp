#pragma once

#include <string>

#include "TessarilApp/SettingsWindow/StatusTone.hpp"

class QWidget;

namespace tessaril {

namespace appkit {
class Control;
} // namespace appkit

class AppDelegate;

// The login item as the basic page shows it (whether the application starts with the session, with a
// switch usable only when it runs installed) and the switch's action. The status is read afresh each
// time, so the panel shows what the session reported at the last rebuild. Keeps no state; main thread.
class LoginItemPanel {
public:
    explicit LoginItemPanel(AppDelegate& delegate) : delegate_(delegate) {}

    QWidget* makeLoginItemPanel();
    std::string loginItemStatusTitle();
    StatusTone loginItemStatusTone();
    std::string loginItemDetailText();
    bool isLoginItemControlAvailable();
    // The switch's action: enables when the sender is on, else disables.
    void toggleLoginItemEnabled(appkit::Control& sender);
    void setLoginItemEnabled(bool enabled);

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
