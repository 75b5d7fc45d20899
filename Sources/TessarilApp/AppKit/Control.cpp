#include "TessarilApp/AppKit/Control.hpp"

#include <QString>
#include <QWidget>

#include "TessarilApp/AppKit/TextField.hpp"

namespace tessaril::appkit {

namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

void Control::setIdentifier(std::string_view identifier) {
    identifier_ = std::string(identifier);
    widget().setObjectName(toQString(identifier));
}

std::string Control::accessibilityLabel() const { return widget().accessibleName().toStdString(); }

void Control::setAccessibilityLabel(std::string_view label) { widget().setAccessibleName(toQString(label)); }

void Control::setAccessibilityValue(std::optional<std::string> value) {
    widget().setAccessibleDescription(value ? toQString(*value) : QString());
    accessibilityValue_ = std::move(value);
}

std::string Control::toolTipText() const { return widget().toolTip().toStdString(); }

void Control::setToolTipText(std::string_view toolTip) { widget().setToolTip(toQString(toolTip)); }

void Control::sendAction() {
    if (!action_ || !action_->perform) return;
    // The action may rebuild the window, which only schedules this control's deletion; a copy keeps
    // the callable alive even if a later step replaces the action.
    const auto perform = action_->perform;
    // Fields the actions commit stop waiting only while the outermost action runs.
    static int running = 0;
    struct Running {
        Running() { ++running; }
        ~Running() {
            if (--running == 0) TextField::endCommits();
        }
    } scope;
    perform(*this);
}

Control* Control::from(QWidget* widget) { return dynamic_cast<Control*>(widget); }

} // namespace tessaril::appkit
