#include "TessarilApp/AppKit/EventMonitors.hpp"

#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "TessarilApp/AppKit/KeyEventTranslation.hpp"

namespace tessaril::appkit {

namespace {

std::optional<Event> translateMouseEvent(const QMouseEvent& event) {
    switch (event.button()) {
    case Qt::LeftButton: return Event::mouseDown(Event::Type::leftMouseDown);
    case Qt::RightButton: return Event::mouseDown(Event::Type::rightMouseDown);
    case Qt::NoButton: return std::nullopt;
    default: return Event::mouseDown(Event::Type::otherMouseDown);
    }
}

} // namespace

EventMonitors::EventMonitors(QObject* parent) : QObject(parent) {}

EventMonitors::Token EventMonitors::addLocalMonitor(std::uint64_t mask, Handler handler) {
    const Token token = nextToken_++;
    handlers_.emplace(token, Entry{mask, std::move(handler)});
    return token;
}

void EventMonitors::removeMonitor(Token token) { handlers_.erase(token); }

std::optional<Event> EventMonitors::dispatch(const Event& event) {
    // A handler may add or remove monitors; those removed before their turn do not run.
    std::vector<Token> tokens;
    for (const auto& [token, entry] : handlers_) {
        if (entry.mask & event.mask()) tokens.push_back(token);
    }
    std::optional<Event> current = event;
    for (const Token token : tokens) {
        const auto found = handlers_.find(token);
        if (found == handlers_.end()) continue;
        const Handler handler = found->second.handler;
        current = handler(*current);
        if (!current) return std::nullopt;
    }
    return current;
}

void EventMonitors::installOnApplication() {
    if (qApp) qApp->installEventFilter(this);
}

bool EventMonitors::eventFilter(QObject* watched, QEvent* event) {
    // A press reaches the window first and then travels through its widgets, passing the
    // application's filter at every step; the monitors see it once, at the window.
    const bool isPress = event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress;
    if (!isPress || !watched->isWindowType()) return false;
    const std::optional<Event> translated = event->type() == QEvent::KeyPress
                                                ? translateKeyEvent(*static_cast<QKeyEvent*>(event))
                                                : translateMouseEvent(*static_cast<QMouseEvent*>(event));
    return translated && !dispatch(*translated);
}

} // namespace tessaril::appkit
