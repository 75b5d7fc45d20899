#include "TessarilApp/AppKit/Automation/UIDriver.hpp"

#include <algorithm>
#include <limits>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "TessarilApp/AppKit/Automation/ControlReveal.hpp"
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

// Why a person could not use `control`, if they could not: it is not there, cannot be used, or cannot
// be brought wholly into view. A control they can use is brought into view.
std::optional<UIDriver::Outcome> refusal(Control* control) {
    if (!control) return UIDriver::Outcome::missing;
    if (!isUsable(control->widget())) return UIDriver::Outcome::disabled;
    if (!control_reveal::reveal(control->widget())) return UIDriver::Outcome::unreachable;
    return std::nullopt;
}

// The description with the part of the control that shows.
nlohmann::json describeAsShown(const Control& control) {
    auto description = UIDriver::describe(control);
    if (const auto frame = control_reveal::shownFrame(control.widget())) {
        description["frame"] = {frame->x(), frame->y(), frame->width(), frame->height()};
    }
    return description;
}

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
// Lays out what changed size. A view that grows asks its parent to lay out anew only when it is laid
// out itself, one level of views per round; a few more rounds than the windows' views are deep.
void settleLayouts() {
    for (int round = 0; round < 24; ++round) QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

std::vector<Control*> matchesInOrder(const ControlAddress& address, std::initializer_list<ControlKind> kinds,
                                     std::size_t limit) {
    settleLayouts();
    std::vector<Control*> matches;
    for (auto* window : UIDriver::visibleWindows()) {
        if (matches.size() >= limit) break;
        visitControlsInReadingOrder(*window, [&](Control& control) {
            if (isOfKind(control, kinds) && address.matches(control)) matches.push_back(&control);
            return matches.size() < limit;
        });
    }
    // Rows made on the way grow their list; where the controls show is known once that is laid out.
    settleLayouts();
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

UIDriver::Outcome UIDriver::reveal(const ControlAddress& address) {
    Control* control = find(address);
    if (!control) return Outcome::missing;
    // Behind a modal window nothing scrolls; what shows there is all a person sees.
    QWidget& widget = control->widget();
    const bool shown = isBlockedByModalWindow(widget) ? control_reveal::showsWhole(widget) : control_reveal::reveal(widget);
    return shown ? Outcome::performed : Outcome::unreachable;
}

UIDriver::Outcome UIDriver::click(const ControlAddress& address) {
    auto* button = dynamic_cast<Button*>(find(address, {ControlKind::button, ControlKind::switchButton, ControlKind::checkbox}));
    if (const auto refused = refusal(button)) return *refused;
    QPointer<QWidget> widget(button);
    if (!monitors_.dispatch(Event::mouseDown())) return Outcome::performed;
    if (canStillAct(widget)) button->click();
    return Outcome::performed;
}

UIDriver::Outcome UIDriver::choose(const ControlAddress& address, const std::string& itemTitle) {
    auto* popup = dynamic_cast<PopUpButton*>(find(address, {ControlKind::popup}));
    if (popup && popup->indexOfItem(itemTitle) < 0) return Outcome::missing;
    if (const auto refused = refusal(popup)) return *refused;
    QPointer<QWidget> widget(popup);
    if (!monitors_.dispatch(Event::mouseDown())) return Outcome::performed;
    if (canStillAct(widget)) popup->chooseItem(popup->indexOfItem(itemTitle));
    return Outcome::performed;
}

UIDriver::Outcome UIDriver::type(const ControlAddress& address, const std::string& text) {
    auto* field = dynamic_cast<TextField*>(find(address, {ControlKind::field}));
    if (const auto refused = refusal(field)) return *refused;
    field->setTypedText(QString::fromStdString(text));
    return Outcome::performed;
}

UIDriver::Outcome UIDriver::pressReturn(const ControlAddress& address) {
    auto* field = dynamic_cast<TextField*>(find(address, {ControlKind::field}));
    if (const auto refused = refusal(field)) return *refused;
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
    return {{"control", control ? describeAsShown(*control) : nlohmann::json(nullptr)}};
}

std::vector<nlohmann::json> UIDriver::queryAll(const ControlAddress& address) const {
    std::vector<nlohmann::json> lines;
    for (const Control* control : findAll(address)) lines.push_back({{"control", describeAsShown(*control)}});
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
