#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <optional>
#include <string>

#include "TessarilApp/Shell/CharacterCountHUDPanel.hpp"
#include "TessarilApp/Shell/ScreenCoordinates.hpp"
#include "TessarilCore/Rules/CharacterCountHUDPosition.hpp"

namespace tessaril {

// Shows the character-count panel where the settings place it, without activating the application,
// and takes it away at the next key or mouse press: in this application through an event filter on the
// application, in other applications through the key-downs the input backend reports
// (`noteKeyDownElsewhere`). At most one panel exists; a new count replaces it.
// Thread: the GUI thread.
class CharacterCountHUD final : public QObject {
    Q_OBJECT

public:
    using DesktopProvider = std::function<ScreenCoordinates::QtDesktop()>;

    explicit CharacterCountHUD(DesktopProvider desktop = ScreenCoordinates::QtDesktop::current, QObject* parent = nullptr);
    ~CharacterCountHUD() override;

    void showCharacterCountHUD(const std::optional<std::string>& text, CharacterCountHUDPosition position);
    void hideCharacterCountHUD();
    void noteKeyDownElsewhere() { hideCharacterCountHUD(); }

    CharacterCountHUDPanel* panel() const { return panel_; }
    // Told true when a panel is shown and false when it goes, so key-downs elsewhere are only
    // reported while they matter.
    void setShowingObserver(std::function<void(bool)> observer) { showingObserver_ = std::move(observer); }

    // The Qt top-left corner of a panel of `size` on the desktop.
    static QPoint placement(const ScreenCoordinates::QtDesktop& desktop, ScreenSize size, CharacterCountHUDPosition position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void installCharacterCountHUDDismissMonitors();

    DesktopProvider desktop_;
    QPointer<CharacterCountHUDPanel> panel_;
    bool monitoring_ = false;
    std::function<void(bool)> showingObserver_;
};

} // namespace tessaril
