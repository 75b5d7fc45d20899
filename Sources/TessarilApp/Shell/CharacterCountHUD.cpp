#include "TessarilApp/Shell/CharacterCountHUD.hpp"

#include <QCoreApplication>
#include <QEvent>

#include "TessarilMac/TextActions/CharacterCountHUDOrigin.hpp"

namespace tessaril {

CharacterCountHUD::CharacterCountHUD(DesktopProvider desktop, QObject* parent)
    : QObject(parent), desktop_(std::move(desktop)) {}

CharacterCountHUD::~CharacterCountHUD() {
    if (monitoring_) QCoreApplication::instance()->removeEventFilter(this);
    delete panel_.data();
}

QPoint CharacterCountHUD::placement(const ScreenCoordinates::QtDesktop& desktop, ScreenSize size,
                                    CharacterCountHUDPosition position) {
    const ScreenCoordinates coordinates(desktop);
    return coordinates.toQtTopLeft(characterCountHUDOrigin(size, position, coordinates.layout(desktop)), size);
}

void CharacterCountHUD::showCharacterCountHUD(const std::optional<std::string>& text, CharacterCountHUDPosition position) {
    hideCharacterCountHUD();
    const auto content = CharacterCountHUDContent::make(text);
    panel_ = new CharacterCountHUDPanel(content);
    panel_->move(placement(desktop_(), content.size, position));
    panel_->show();  // stays on top by its window flags; showing never activates the application
    installCharacterCountHUDDismissMonitors();
    if (showingObserver_) showingObserver_(true);
}

void CharacterCountHUD::hideCharacterCountHUD() {
    const bool wasShowing = panel_ || monitoring_;
    if (panel_) {
        panel_->hide();
        panel_->deleteLater();
        panel_ = nullptr;
    }
    if (monitoring_) {
        QCoreApplication::instance()->removeEventFilter(this);
        monitoring_ = false;
    }
    if (wasShowing && showingObserver_) showingObserver_(false);
}

void CharacterCountHUD::installCharacterCountHUDDismissMonitors() {
    QCoreApplication::instance()->installEventFilter(this);
    monitoring_ = true;
}

bool CharacterCountHUD::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        hideCharacterCountHUD();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tessaril
