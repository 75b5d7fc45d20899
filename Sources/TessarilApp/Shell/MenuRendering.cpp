#include "TessarilApp/Shell/MenuRendering.hpp"

#include <QAction>
#include <QKeySequence>

#include "TessarilApp/AppKit/Font.hpp"

namespace tessaril {

namespace {

// "&" would mark a mnemonic; a title shows it as written.
QString literalTitle(const std::string& title) { return QString::fromStdString(title).replace('&', "&&"); }

} // namespace

QKeySequence keySequence(const std::string& keyEquivalent) {
    QString key = QString::fromStdString(keyEquivalent);
    if (key.size() != 1) return {};
    bool shifted = key.at(0).isUpper();
    return QKeySequence((shifted ? "Ctrl+Shift+" : "Ctrl+") + key.toUpper());
}

void renderMenu(const Menu& menu, QMenu& target, const StatusItem::MenuHandler& handler) {
    // The window's face, whether or not a window was opened yet: its fallbacks draw the ⌥ ⌃ symbols
    // and the coloured 🟢 🔴 of the Accessibility line. A submenu is a window of its own and takes
    // no font from its parent.
    target.setFont(appkit::systemFont(13));
    target.setTitle(literalTitle(menu.title));
    target.setToolTipsVisible(true);
    for (const MenuItem& item : menu.items) {
        if (item.isSeparator()) {
            target.addSeparator();
            continue;
        }
        if (item.submenu) {
            QMenu* submenu = target.addMenu(literalTitle(item.title));
            renderMenu(*item.submenu, *submenu, handler);
            submenu->setTitle(literalTitle(item.title));
            submenu->setEnabled(item.isEnabled);
            continue;
        }
        QAction* action = target.addAction(literalTitle(item.title));
        action->setEnabled(item.isEnabled);
        action->setCheckable(item.isOn);
        action->setChecked(item.isOn);
        action->setShortcut(keySequence(item.keyEquivalent));
        if (item.toolTip) action->setToolTip(QString::fromStdString(*item.toolTip));
        QObject::connect(action, &QAction::triggered, action, [handler, item] {
            if (handler) handler(item);
        });
    }
}

} // namespace tessaril
