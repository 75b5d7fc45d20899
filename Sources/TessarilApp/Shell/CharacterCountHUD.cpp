#include "TessarilApp/Shell/CharacterCountHUD.hpp"

#include "TessarilApp/Shell/CharacterCountHUDPanel.hpp"
#include "TessarilApp/Shell/LocalEventMonitor.hpp"
#include "TessarilMac/TextActions/CharacterCountHUDOrigin.hpp"

namespace tessaril {

CharacterCountHUD::CharacterCountHUD(Storage storage, GlobalMonitorInstaller installGlobalMonitor, DesktopProvider desktop)
    : storage_(storage),
      installGlobalMonitor_(std::move(installGlobalMonitor)),
      desktop_(std::move(desktop)),
      lifetime_(std::make_shared<CharacterCountHUD*>(this)) {}

CharacterCountHUD::~CharacterCountHUD() {
    lifetime_.reset();
    hideCharacterCountHUD();
}

CharacterCountHUD::EventMonitorToken CharacterCountHUD::monitorToken(std::function<void()> remove) {
    struct Removal {
        explicit Removal(std::function<void()> action) : remove(std::move(action)) {}
        Removal(const Removal&) = delete;
        Removal& operator=(const Removal&) = delete;
        ~Removal() {
            if (remove) remove();
        }
        std::function<void()> remove;
    };
    return std::make_shared<Removal>(std::move(remove));
}

QPoint CharacterCountHUD::placement(const ScreenCoordinates::QtDesktop& desktop, ScreenSize size,
                                    CharacterCountHUDPosition position) {
    const ScreenCoordinates coordinates(desktop);
    return coordinates.toQtTopLeft(characterCountHUDOrigin(size, position, coordinates.layout(desktop)), size);
}

void CharacterCountHUD::showCharacterCountHUD(const std::optional<std::string>& text, CharacterCountHUDPosition position) {
    hideCharacterCountHUD();
    const auto content = CharacterCountHUDContent::make(text);
    auto* panel = new CharacterCountHUDPanel(content);
    panel->move(placement(desktop_(), content.size, position));
    storage_.panel = panel;
    panel->show();  // stays on top by its window flags; showing never activates the application
    installCharacterCountHUDDismissMonitors();
}

void CharacterCountHUD::hideCharacterCountHUD() {
    if (QWidget* panel = storage_.panel.data()) {
        panel->hide();
        panel->deleteLater();
    }
    storage_.panel = nullptr;
    storage_.globalMonitor.reset();
    storage_.localMonitor.reset();
}

void CharacterCountHUD::installCharacterCountHUDDismissMonitors() {
    auto hide = [weak = std::weak_ptr<CharacterCountHUD*>(lifetime_)] {
        if (auto hud = weak.lock()) (*hud)->hideCharacterCountHUD();
    };
    storage_.globalMonitor = installGlobalMonitor_(hide);
    storage_.localMonitor = LocalEventMonitor::install(hide);
}

} // namespace tessaril
