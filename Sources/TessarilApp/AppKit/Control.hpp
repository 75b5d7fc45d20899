#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "TessarilApp/AppKit/Action.hpp"
#include "TessarilApp/AppKit/ControlKind.hpp"

class QWidget;

namespace tessaril::appkit {

// What every control of the layer carries beside its widget: the identifier its action reads (kept
// as the widget's object name too), the action, and what assistive technology reads. Mixed into the
// concrete widget classes; main thread only.
class Control {
public:
    virtual ~Control() = default;

    virtual QWidget& widget() = 0;
    const QWidget& widget() const { return const_cast<Control*>(this)->widget(); }
    virtual ControlKind kind() const = 0;
    // The full title, also where the screen shows it shortened; empty for controls without one.
    virtual std::string title() const { return {}; }

    const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string_view identifier);

    const std::optional<Action>& action() const { return action_; }
    void setAction(std::optional<Action> action) { action_ = std::move(action); }
    // The action's selector, empty without an action.
    std::string actionName() const { return action_ ? action_->selector : std::string(); }

    std::string accessibilityLabel() const;
    void setAccessibilityLabel(std::string_view label);
    const std::optional<std::string>& accessibilityValue() const { return accessibilityValue_; }
    void setAccessibilityValue(std::optional<std::string> value);

    std::string toolTipText() const;
    void setToolTipText(std::string_view toolTip);

    // Runs the action with this control as sender; does nothing without one.
    void sendAction();

    // The control a widget is, if it is one.
    static Control* from(QWidget* widget);

private:
    std::string identifier_;
    std::optional<Action> action_;
    std::optional<std::string> accessibilityValue_;
};

} // namespace tessaril::appkit
