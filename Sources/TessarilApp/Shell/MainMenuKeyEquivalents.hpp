#pragma once

#include <functional>
#include <string_view>

#include <QObject>

#include "TessarilApp/Shell/Menu.hpp"

class QKeyEvent;
class QWidget;

namespace tessaril {

// The main menu where the desktop shows none: the application's windows answer its key equivalents.
// A key press that matches an item's equivalent runs the item's action instead of reaching the focused
// control: "terminate:" asks the application to end, the edit actions ("undo:", "cut:", "selectAll:"
// and the others) act on the focused field or text view. A key with no editable control in focus goes
// on to the control, so dialogs keep their own keys. Main thread; installed on the Qt application.
class MainMenuKeyEquivalents final : public QObject {
public:
    MainMenuKeyEquivalents(Menu menu, std::function<void()> terminate);

    // The item whose key equivalent the event's key combination is, or none.
    const MenuItem* itemForKey(const QKeyEvent& event) const;
    // Runs an item's action; false when nothing could take it.
    bool perform(const MenuItem& item);
    // An edit action on a field (QLineEdit) or text view (QTextEdit); false for any other widget or
    // action. A read-only control only copies and selects.
    static bool performEditAction(QWidget* focused, std::string_view action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Menu menu_;
    std::function<void()> terminate_;
};

} // namespace tessaril
