#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "TessarilApp/Shell/ScreenCoordinates.hpp"
#include "TessarilCore/Rules/CharacterCountHUDPosition.hpp"

namespace tessaril {

// Shows the character-count panel where the settings place it, without activating the application,
// and takes it away at the next key or mouse press: in this application through a local monitor (an
// event filter on the application), in other applications through a global monitor of key-downs. At
// most one panel and one pair of monitors exist; a new count replaces them. The panel and the monitor
// tokens live in the delegate, so the delegate sees what is showing; resetting a token removes
// its monitor. Thread: the GUI thread.
class CharacterCountHUD {
public:
    using EventMonitorToken = std::shared_ptr<void>;
    using DesktopProvider = std::function<ScreenCoordinates::QtDesktop()>;
    // Starts calling `handler` at each key-down in another application; the token stops it.
    using GlobalMonitorInstaller = std::function<EventMonitorToken(std::function<void()> handler)>;

    struct Storage {
        QPointer<QWidget>& panel;
        EventMonitorToken& globalMonitor;
        EventMonitorToken& localMonitor;
    };

    CharacterCountHUD(Storage storage, GlobalMonitorInstaller installGlobalMonitor,
                      DesktopProvider desktop = ScreenCoordinates::QtDesktop::current);
    ~CharacterCountHUD();
    CharacterCountHUD(const CharacterCountHUD&) = delete;
    CharacterCountHUD& operator=(const CharacterCountHUD&) = delete;

    void showCharacterCountHUD(const std::optional<std::string>& text, CharacterCountHUDPosition position);
    void hideCharacterCountHUD();
    void installCharacterCountHUDDismissMonitors();

    // A token that runs `remove` when its last copy goes.
    static EventMonitorToken monitorToken(std::function<void()> remove);

    // The Qt top-left corner of a panel of `size` on the desktop.
    static QPoint placement(const ScreenCoordinates::QtDesktop& desktop, ScreenSize size, CharacterCountHUDPosition position);

private:
    Storage storage_;
    GlobalMonitorInstaller installGlobalMonitor_;
    DesktopProvider desktop_;
    // What the monitors' handlers hold: they do nothing once the HUD is gone.
    std::shared_ptr<CharacterCountHUD*> lifetime_;
};

} // namespace tessaril
