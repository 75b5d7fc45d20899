#include "TessarilApp/AppKit/Automation/UIDriver.hpp"

#include <algorithm>
#include <limits>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "TessarilApp/AppKit/Automation/ReadingOrder.hpp"
#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/EventMonitors.hpp"
#include "TessarilApp/AppKit/KeyEventTranslation.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/AppKit/Window.hpp"

namespace tessaril::appkit {

namespace {

bool isOfKind(const Control& control, std::initializer_list<ControlKind> kinds) {
    return kinds.size() == 0 || std::find(kinds.begin(), kinds.end(), control.kind()) != kinds.end();
}

quint64 showSequence(const QWidget* window) {
    const auto* ours = qobject_cast<const Window*>(window);
    return ours ? ours->orderFrontSequence() : 0;
}

// Still on screen and usable after the monitors had their say.
bool canStillAct(const QPointer<QWidget>& widget) { return widget && widget->isVisible() && widget->isEnabled(); }

// A modal window shows: a sheet blocks the window it is attached to (and that window's parents), an
// application-modal window every other window.
bool isBlockedByModalWindow(const QWidget& control) {
    const QWidget* modal = QApplication::activeModalWidget();
    const QWidget* window = control.window();
    if (!modal || !modal->isVisible() || window == modal) return false;
    if (modal->windowModality() == Qt::ApplicationModal) return true;
    for (const QWidget* parent = modal->parentWidget(); parent; parent = parent->parentWidget()) {
        if (parent == window) return true;
    }
    return false;
}

// Usable by a person: enabled and not behind a modal window.
bool isUsable(const QWidget& control) { return control.isEnabled() && !isBlockedByModalWindow(control); }

} // namespace

UIDriver::UIDriver(EventMonitors& monitors) : monitors_(monitors) {}

std::vector<QWidget*> UIDriver::visibleWindows() {
    std::vector<QWidget*> windows;
    for (auto* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->isWindow() && !(widget->windowType() == Qt::ToolTip || widget->windowType() == Qt::Popup)) {
            windows.push_back(widget);
        }
    }
    std::stable_sort(windows.begin(), windows.end(),
                     [](const QWidget* left, const QWidget* right) { return showSequence(left) > showSequence(right); });
    return windows;
}

namespace {

// The matches in order, up to `limit` of them: a long list is scrolled through only as far as needed.
std::vector<Control*> matchesInOrder(const ControlAddress& address, std::initializer_list<ControlKind> kinds,
                                     std::size_t limit) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    std::vector<Control*> matches;
    for (auto* window : UIDriver::visibleWindows()) {
        if (matches.size() >= limit) break;
        visitControlsInReadingOrder(*window, [&](Control& control) {
            if (isOfKind(control, kinds) && address.matches(control)) matches.push_back(&control);
            return matches.size() < limit;
        });
    }
    return matches;
}

} // namespace

std::vector<Control*> UIDriver::findAll(const ControlAddress& address, std::initializer_list<ControlKind> kinds) const {
    return matchesInOrder(address, kinds, std::numeric_limits<std::size_t>::max());
}

Control* UIDriver::find(const ControlAddress& address, std::initializer_list<ControlKind> kinds) const {
    const auto matches = matchesInOrder(address, kinds, address.index + 1);
    return address.index < matches.size() ? matches[address.index] : nullptr;
}

UIDriver::Outcome UIDriver::click(const ControlAddress& address) {
    auto* button = dynamic_cast<Button*>(find(address, {ControlKind::button, ControlKind::switchButton, ControlKind::checkbox}));
    if (!button) return Outcome::missing;
    if (!isUsable(*button)) return Outcome::disabled;
    QPointer<QWidget> widget(button);
    if (!monitors_.dispatch(Event::mouseDown())) return Outcome::performed;
    if (canStillAct(widget)) button->click();
    return Outcome::performed;
}

UIDriver::Outcome UIDriver::choose(const ControlAddress& address, const std::string& itemTitle) {
    auto* popup = dynamic_cast<PopUpButton*>(find(address, {ControlKind::popup}));
    if (!popup || popup->indexOfItem(itemTitle) < 0) return Outcome::missing;
    if (!isUsable(*popup)) return Outcome::disabled;
    QPointer<QWidget> widget(popup);
    if (!monitors_.dispatch(Event::mouseDown())) return Outcome::performed;
    if (canStillAct(widget)) popup->chooseItem(popup->indexOfItem(itemTitle));
    return Outcome::performed;
}

UIDriver::Outcome UIDriver::type(const ControlAddress& address, const std::string& text) {
    auto* field = dynamic_cast<TextField*>(find(address, {ControlKind::field}));
    if (!field) return Outcome::missing;
    if (!isUsable(*field)) return Outcome::disabled;
    field->setTypedText(QString::fromStdString(text));
    return Outcome::performed;
}

UIDriver::Outcome UIDriver::pressReturn(const ControlAddress& address) {
    auto* field = dynamic_cast<TextField*>(find(address, {ControlKind::field}));
    if (!field) return Outcome::missing;
    if (!isUsable(*field)) return Outcome::disabled;
    field->commit();
    return Outcome::performed;
}

bool UIDriver::key(const Event& event) {
    const auto passed = monitors_.dispatch(event);
    if (!passed) return false;
    // What the monitors let through reaches the front window's focused view, as a typed key would.
    const auto windows = visibleWindows();
    QWidget* focus = windows.empty() ? nullptr : windows.front()->focusWidget();
    if (auto press = keyPressFor(*passed); press && focus && !isBlockedByModalWindow(*focus)) {
        QCoreApplication::sendEvent(focus, press.get());
    }
    return true;
}

void UIDriver::mouseDown() { monitors_.dispatch(Event::mouseDown()); }

nlohmann::json UIDriver::query(const ControlAddress& address) const {
    const Control* control = find(address);
    return {{"control", control ? describe(*control) : nlohmann::json(nullptr)}};
}

std::vector<nlohmann::json> UIDriver::queryAll(const ControlAddress& address) const {
    std::vector<nlohmann::json> lines;
    for (const Control* control : findAll(address)) lines.push_back({{"control", describe(*control)}});
    return lines;
}

nlohmann::json UIDriver::describe(const Control& control) {
    nlohmann::json description = nlohmann::json::object();
    description["kind"] = std::string(rawValue(control.kind()));
    if (!control.actionName().empty()) description["action"] = control.actionName();
    if (!control.identifier().empty()) description["identifier"] = control.identifier();
    if (!control.title().empty()) description["title"] = control.title();
    description["enabled"] = control.widget().isEnabled();
    if (const auto* button = dynamic_cast<const Button*>(&control); button && button->buttonType() == Button::ButtonType::toggle) {
        description["state"] = button->isOn() ? "on" : "off";
    }
    if (const auto* popup = dynamic_cast<const PopUpButton*>(&control)) {
        auto items = nlohmann::json::array();
        for (int index = 0; index < popup->numberOfItems(); ++index) {
            items.push_back(popup->isSeparator(index) ? std::string("-") : popup->itemTitle(index));
        }
        description["items"] = items;
        if (popup->indexOfSelectedItem() >= 0) description["selected"] = popup->selectedItemTitle();
    }
    if (const auto* field = dynamic_cast<const TextField*>(&control)) {
        description["value"] = field->stringValue();
    } else if (control.accessibilityValue()) {
        description["value"] = *control.accessibilityValue();
    }
    if (const auto tip = control.toolTipText(); !tip.empty()) description["tooltip"] = tip;
    if (const auto label = control.accessibilityLabel(); !label.empty()) description["label"] = label;
    return description;
}

void UIDriver::runPendingWork() {
    // Queued calls may post more work (a deferred rebuild schedules deletions); a few rounds drain
    // the chains the window makes.
    for (int round = 0; round < 8; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

} // namespace tessaril::appkit
