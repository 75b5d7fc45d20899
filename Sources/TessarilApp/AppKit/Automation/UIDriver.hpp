#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "TessarilApp/AppKit/Automation/ControlAddress.hpp"
#include "TessarilApp/AppKit/ControlKind.hpp"
#include "TessarilApp/AppKit/Event.hpp"

class QWidget;

namespace tessaril::appkit {

class Control;
class EventMonitors;

// Drives the application's real widgets as a user would, for tests and the replay tool: finds
// controls in the visible windows (the most recently shown window first, each in reading order: top
// to bottom, then left to right), clicks, chooses, types and presses keys, with the application's
// event monitors seeing every press first, and describes controls as JSON. Main thread only.
class UIDriver {
public:
    // A control that is disabled, or in a window behind a modal one (a window under its sheet),
    // cannot be used. One that cannot be brought wholly into view through the scroll bars that are
    // shown is out of reach. Before acting on a control the driver brings it into view.
    enum class Outcome { performed, missing, disabled, unreachable };

    explicit UIDriver(EventMonitors& monitors);

    // Every control that matches, in order; `kinds` limits the search (empty: any control).
    std::vector<Control*> findAll(const ControlAddress& address, std::initializer_list<ControlKind> kinds = {}) const;
    // The match the address's index picks, or nullptr.
    Control* find(const ControlAddress& address, std::initializer_list<ControlKind> kinds = {}) const;

    // Brings the control wholly into view as a person would, by moving the scroll bars that are shown;
    // nothing scrolls in a window behind a modal one.
    Outcome reveal(const ControlAddress& address);
    // A mouse click on a button, switch or check box: the monitors see the press, then the control
    // acts if it is still there and usable.
    Outcome click(const ControlAddress& address);
    // The user picks the item with that title from a pop-up button, also the one already selected.
    // An item that does not exist counts as a missing control.
    Outcome choose(const ControlAddress& address, const std::string& itemTitle);
    // Replaces a field's text as typing would, without Return.
    Outcome type(const ControlAddress& address, const std::string& text);
    // Return in a field.
    Outcome pressReturn(const ControlAddress& address);
    // A key press the application sees: the monitors first, then the front window's focused view.
    // Answers whether it went past the monitors.
    bool key(const Event& event);
    // A mouse press on no control.
    void mouseDown();

    // {"control": description} of the addressed control, or {"control": null}; the description has
    // "frame", the part of the control that shows on screen, where any does.
    nlohmann::json query(const ControlAddress& address) const;
    // One such line per match, in order.
    std::vector<nlohmann::json> queryAll(const ControlAddress& address) const;
    // The JSON description of one control.
    static nlohmann::json describe(const Control& control);

    // Runs what the event loop has ready: queued calls, deferred rebuilds and deferred deletions.
    static void runPendingWork();

    // The visible top-level windows, the most recently shown first.
    static std::vector<QWidget*> visibleWindows();

private:
    EventMonitors& monitors_;
};

} // namespace tessaril::appkit
