#pragma once

#include <functional>

#include <QLineEdit>
#include <QPointer>

#include "TessarilCore/Rules/KeypadShortcutHackKey.hpp"
#include "TessarilCore/Rules/KeypadShortcutHackSettings.hpp"

namespace tessaril {

namespace appkit {
class Control;
}

class AppDelegate;

// The edits of the keypad-hack page, applied to the page's target (the default, the application's
// set or its own entry) and saved with a rebuild. Keeps no state; main thread only.
class KeypadHackActions {
public:
    explicit KeypadHackActions(AppDelegate& delegate) : delegate_(delegate) {}

    void toggleKeypadHack(KeypadShortcutHackKey key);
    void toggleKeypadEqualCombo();
    // Nothing for a pop-up without a recognised modifier.
    void updateKeypadHackModifier(KeypadShortcutHackKey key, appkit::Control& popup);
    // Reads the key's output field; an output that is empty once cleaned is refused with an alert.
    void updateKeypadHackOutput(KeypadShortcutHackKey key);
    void toggleKeypadHackPresetScope(appkit::Control& sender);

    // The delegate's output field of a key, filled while the page is built.
    static QPointer<QLineEdit>& outputField(AppDelegate& delegate, KeypadShortcutHackKey key);

private:
    void update(const std::function<void(KeypadShortcutHackSettings&)>& edit);

    AppDelegate& delegate_;
};

} // namespace tessaril
