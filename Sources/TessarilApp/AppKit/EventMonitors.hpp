#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include <QObject>

#include "TessarilApp/AppKit/Event.hpp"

class QEvent;

namespace tessaril::appkit {

// The application's local event monitors: handlers that see key and mouse presses addressed to the
// application's windows before any control does, and may swallow them. Installed as the
// application's event filter, it hands them the real presses; the automation driver hands them its
// synthetic ones. Handlers run in the order they were added. Main thread only.
class EventMonitors : public QObject {
    Q_OBJECT
public:
    // Answers the event to let it go on, or none to swallow it.
    using Handler = std::function<std::optional<Event>(const Event&)>;
    using Token = std::uint64_t;

    explicit EventMonitors(QObject* parent = nullptr);

    Token addLocalMonitor(std::uint64_t mask, Handler handler);
    // Removing a token that is gone does nothing.
    void removeMonitor(Token token);
    std::size_t monitorCount() const { return handlers_.size(); }

    // Runs the monitors that take this event; none when one of them swallowed it.
    std::optional<Event> dispatch(const Event& event);

    // Watches the application's real key and mouse presses.
    void installOnApplication();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        std::uint64_t mask;
        Handler handler;
    };

    std::map<Token, Entry> handlers_;
    Token nextToken_ = 1;
};

} // namespace tessaril::appkit
