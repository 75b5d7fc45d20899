#include "TessarilApp/Shell/MainMenuKeyEquivalents.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextEdit>

#include "TessarilApp/Shell/MenuRendering.hpp"

namespace tessaril {

namespace {

// The enabled item, submenus included, whose key equivalent is `pressed`.
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

// A field and a text view answer the same edit slots; only deleting the selection differs.
template <typename Control, typename DeleteSelection>
bool performOn(Control& control, std::string_view action, DeleteSelection deleteSelection) {
    if (action == "copy:") control.copy();
    else if (action == "selectAll:") control.selectAll();
    else if (control.isReadOnly()) return false;
    else if (action == "undo:") control.undo();
    else if (action == "redo:") control.redo();
    else if (action == "cut:") control.cut();
    else if (action == "paste:") control.paste();
    else if (action == "delete:") deleteSelection();
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
    if (auto* field = qobject_cast<QLineEdit*>(focused)) return performOn(*field, action, [field] { field->del(); });
    // The viewport of a text view may hold the focus rather than the view itself.
    for (QWidget* widget = focused; widget != nullptr; widget = widget->parentWidget()) {
        if (auto* view = qobject_cast<QTextEdit*>(widget)) {
            return performOn(*view, action, [view] { view->textCursor().removeSelectedText(); });
        }
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
