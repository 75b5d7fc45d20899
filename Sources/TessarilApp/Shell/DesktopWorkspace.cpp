#include "TessarilApp/Shell/DesktopWorkspace.hpp"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <QDesktopServices>
#include <QGuiApplication>
#include <QTimer>
#include <QUrl>
#include <xcb/xcb.h>

#include "TessarilApp/Shell/XcbReply.hpp"
#include "TessarilApp/Shell/XcbRootWindowEvents.hpp"

namespace tessaril {

namespace {

std::optional<std::uint32_t> firstWord(const std::optional<std::string>& value) {
    if (!value || value->size() < sizeof(std::uint32_t)) return std::nullopt;
    std::uint32_t word = 0;
    std::copy_n(value->data(), sizeof word, reinterpret_cast<char*>(&word));
    return word;
}

} // namespace

DesktopWorkspace::DesktopWorkspace(std::int64_t processIdentifier, platform::RunningApplication ownApplication)
    : processIdentifier_(processIdentifier), ownApplication_(std::move(ownApplication)) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return;
    connection_ = x11->connection();
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    if (screens.rem == 0) {
        connection_ = nullptr;
        return;
    }
    rootWindow_ = screens.data->root;
    auto activeWindow = atom("_NET_ACTIVE_WINDOW");
    if (!activeWindow) {
        connection_ = nullptr;
        return;
    }
    activeWindowAtom_ = *activeWindow;
    // Property changes of the root window tell when the active window changes.
    addRootWindowEvents(connection_, rootWindow_, XCB_EVENT_MASK_PROPERTY_CHANGE);
    lastFrontmost_ = frontmostApplication();
    QCoreApplication::instance()->installNativeEventFilter(this);
}

DesktopWorkspace::~DesktopWorkspace() {
    if (connection_ && QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::optional<std::uint32_t> DesktopWorkspace::atom(const char* name) const {
    XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 1, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    if (!reply || reply->atom == XCB_ATOM_NONE) return std::nullopt;
    return reply->atom;
}

std::optional<std::string> DesktopWorkspace::windowProperty(std::uint32_t window, std::uint32_t property,
                                                            std::uint32_t type) const {
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, property, type, 0, 1024), nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE) return std::nullopt;
    auto length = xcb_get_property_value_length(reply.get());
    if (length <= 0) return std::string();
    const char* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return std::string(bytes, static_cast<std::size_t>(length));
}

std::optional<platform::RunningApplication> DesktopWorkspace::frontmostApplication() const {
    if (!connection_) return std::nullopt;
    auto window = firstWord(windowProperty(rootWindow_, activeWindowAtom_, XCB_ATOM_WINDOW));
    if (!window || *window == XCB_WINDOW_NONE) return std::nullopt;
    if (auto pidAtom = atom("_NET_WM_PID")) {
        auto pid = firstWord(windowProperty(*window, *pidAtom, XCB_ATOM_CARDINAL));
        if (pid && static_cast<std::int64_t>(*pid) == processIdentifier_) return ownApplication_;
    }
    auto windowClass = windowProperty(*window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
    return windowClass ? applicationFromWindowClass(*windowClass) : std::nullopt;
}

std::optional<platform::RunningApplication> DesktopWorkspace::applicationFromWindowClass(std::string_view windowClass) {
    auto end = windowClass.find('\0');
    std::string_view instance = windowClass.substr(0, end);
    std::string_view className;
    if (end != std::string_view::npos) {
        auto rest = windowClass.substr(end + 1);
        className = rest.substr(0, rest.find('\0'));
    }
    std::string_view name = className.empty() ? instance : className;
    if (name.empty()) return std::nullopt;
    return platform::RunningApplication{std::string(name), std::string(name)};
}

std::size_t DesktopWorkspace::addObserver(platform::WorkspaceNotification notification, Observer observer) {
    auto token = nextToken_++;
    observers_.emplace(token, std::make_pair(notification, std::move(observer)));
    return token;
}

void DesktopWorkspace::removeObserver(std::size_t token) { observers_.erase(token); }

bool DesktopWorkspace::openURL(const std::string& url) {
    QUrl parsed(QString::fromStdString(url));
    return parsed.isValid() && QDesktopServices::openUrl(parsed);
}

bool DesktopWorkspace::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
    auto* property = reinterpret_cast<xcb_property_notify_event_t*>(event);
    if (property->window == rootWindow_ && property->atom == activeWindowAtom_) {
        // Not inside the event filter: reading the new window takes round trips to the server.
        QTimer::singleShot(0, context_.get(), [this] { activeWindowChanged(); });
    }
    return false;
}

void DesktopWorkspace::activeWindowChanged() {
    auto frontmost = frontmostApplication();
    if (!frontmost || frontmost == lastFrontmost_) return;
    lastFrontmost_ = frontmost;
    post(platform::WorkspaceNotification::didActivateApplication, frontmost);
}

void DesktopWorkspace::post(platform::WorkspaceNotification notification,
                            const std::optional<platform::RunningApplication>& application) {
    // An observer may remove itself or others while it runs.
    std::vector<Observer> matching;
    for (const auto& [token, entry] : observers_) {
        if (entry.first == notification) matching.push_back(entry.second);
    }
    for (const auto& observer : matching) observer(application);
}

} // namespace tessaril
