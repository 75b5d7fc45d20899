#include "TessarilApp/Shell/MainMenuKeyEquivalents.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextEdit>

#include "TessarilApp/Shell/MenuRendering.hpp"

namespace tessaril {

namespace {

// The items of the menu and its submenus, in order.
const MenuItem* findItem(const Menu& menu, const QKeySequence& pressed) {
    for (const MenuItem& item : menu.items) {
        if (item.submenu) {
            if (const MenuItem* found = findItem(*item.submenu, pressed)) return found;
        } else if (!item.isSeparator() && item.isEnabled && !item.keyEquivalent.empty() &&
                   keySequence(item.keyEquivalent) == pressed) {
            return &item;
        }
    }
    return nullptr;
}

bool performOnField(QLineEdit& field, std::string_view action) {
    const bool editable = !field.isReadOnly();
    if (action == "copy:") field.copy();
    else if (action == "selectAll:") field.selectAll();
    else if (!editable) return false;
    else if (action == "undo:") field.undo();
    else if (action == "redo:") field.redo();
    else if (action == "cut:") field.cut();
    else if (action == "paste:") field.paste();
    else if (action == "delete:") field.del();
    else return false;
    return true;
}

bool performOnTextView(QTextEdit& view, std::string_view action) {
    const bool editable = !view.isReadOnly();
    if (action == "copy:") view.copy();
    else if (action == "selectAll:") view.selectAll();
    else if (!editable) return false;
    else if (action == "undo:") view.undo();
    else if (action == "redo:") view.redo();
    else if (action == "cut:") view.cut();
    else if (action == "paste:") view.paste();
    else if (action == "delete:") view.textCursor().removeSelectedText();
    else return false;
    return true;
}

} // namespace

MainMenuKeyEquivalents::MainMenuKeyEquivalents(Menu menu, std::function<void()> terminate)
    : menu_(std::move(menu)), terminate_(std::move(terminate)) {}

const MenuItem* MainMenuKeyEquivalents::itemForKey(const QKeyEvent& event) const {
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!(modifiers & Qt::ControlModifier)) return nullptr;
    return findItem(menu_, QKeySequence(QKeyCombination(modifiers, Qt::Key(event.key()))));
}

bool MainMenuKeyEquivalents::perform(const MenuItem& item) {
    if (!item.action) return false;
    if (*item.action == "terminate:") {
        // A dialog waiting for an answer is answered first.
        if (QApplication::activeModalWidget() != nullptr || !terminate_) return false;
        terminate_();
        return true;
    }
    return performEditAction(QApplication::focusWidget(), *item.action);
}

bool MainMenuKeyEquivalents::performEditAction(QWidget* focused, std::string_view action) {
    if (auto* field = qobject_cast<QLineEdit*>(focused)) return performOnField(*field, action);
    // The viewport of a text view may hold the focus rather than the view itself.
    for (QWidget* widget = focused; widget != nullptr; widget = widget->parentWidget()) {
        if (auto* view = qobject_cast<QTextEdit*>(widget)) return performOnTextView(*view, action);
        if (widget->isWindow()) break;
    }
    return false;
}

bool MainMenuKeyEquivalents::eventFilter(QObject* watched, QEvent* event) {
    // A key reaches the platform window first and then the focused widget: it is taken there, once.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const MenuItem* item = itemForKey(*static_cast<QKeyEvent*>(event));
    return item != nullptr && perform(*item);
}

} // namespace tessaril
