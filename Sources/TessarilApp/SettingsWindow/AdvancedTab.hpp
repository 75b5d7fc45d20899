#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QLineEdit>
#include <QPointer>

#include "TessarilApp/AppKit/Action.hpp"
#include "TessarilCore/Input/InputMode.hpp"
#include "TessarilMac/InputMode/MacInputSourceSelection.hpp"

class QWidget;

namespace tessaril {

namespace appkit {
class PopUpButton;
class TextField;
} // namespace appkit

class AppDelegate;

// The advanced page ("アドバンス"): the built-in preset names, the Command keys of the active preset
// with their delays and the grace window, the input source of each advanced mode, the state of the
// permission, the kana keyboard and the event tap, and the settings file and reset entries. Built
// from the current values on every rebuild; the delay fields are registered on the delegate as they
// are made. Keeps no state; main thread only.
class AdvancedTab {
public:
    explicit AdvancedTab(AppDelegate& delegate) : delegate_(delegate) {}

    // The whole page in its scroll view.
    QWidget* makeAdvancedTab();
    // The four cells of one input-source row.
    std::vector<QWidget*> inputSourceTableRow(InputMode mode, const std::vector<MacInputSourceSelection>& inputSources);
    // "自動検出", then the listed sources; a saved source the system no longer lists is added with
    // "（未検出）" after its name and stays selected.
    appkit::PopUpButton* makeInputSourcePopup(InputMode mode, const std::vector<MacInputSourceSelection>& inputSources,
                                              const std::optional<MacInputSourceSelection>& selected);

private:
    QWidget* makeCommandKeyTable();
    QWidget* makeInputSourceTable();
    QWidget* makeStatusTable();
    QWidget* makeSettingsFileTable();
    // A seconds field showing `milliseconds`, kept in `reference` until the next rebuild; Return in it
    // does what the row's "保存" does.
    appkit::TextField* makeSecondsField(std::int64_t milliseconds, QPointer<QLineEdit>& reference,
                                        appkit::Action returnAction);

    AppDelegate& delegate_;
};

} // namespace tessaril
