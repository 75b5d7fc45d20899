#include "TessarilApp/AppKit/PageViewState.hpp"

#include <algorithm>
#include <map>
#include <utility>

#include <QApplication>
#include <QLineEdit>

#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/LazyRowsView.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/TextField.hpp"

namespace tessaril::appkit {

namespace {

std::string identity(QWidget& widget) {
    std::string identity = widget.metaObject()->className();
    identity += '\x1f';
    identity += widget.objectName().toStdString();
    if (const Control* control = Control::from(&widget)) {
        identity += '\x1f' + control->actionName();
    }
    if (const auto* field = qobject_cast<const TextField*>(&widget)) {
        identity += '\x1f' + field->placeholder() + '\x1f' + field->restorationKey();
    }
    return identity;
}

// Every widget that can hold the focus or typed text, named by its identity and its place among the
// widgets of the same identity, in the order they were made.
std::vector<std::pair<std::string, QWidget*>> namedWidgets(QWidget& page) {
    std::vector<std::pair<std::string, QWidget*>> named;
    std::map<std::string, int> seen;
    for (auto* widget : page.findChildren<QWidget*>()) {
        if (widget->focusPolicy() == Qt::NoFocus) continue;
        std::string name = identity(*widget);
        name += '#' + std::to_string(seen[name]++);
        named.emplace_back(std::move(name), widget);
    }
    return named;
}

ScrollView* pageScrollView(QWidget& page) {
    if (auto* scroll = qobject_cast<ScrollView*>(&page)) return scroll;
    return page.findChild<ScrollView*>();
}

PageViewState::FieldCursor fieldCursor(const QLineEdit& field) {
    const int position = field.cursorPosition();
    if (!field.hasSelectedText()) return {position, position};
    const int start = field.selectionStart();
    return {start == position ? field.selectionEnd() : start, position};
}

void setFieldCursor(QLineEdit& field, PageViewState::FieldCursor cursor) {
    const int length = static_cast<int>(field.text().size());
    const int anchor = std::clamp(cursor.anchor, 0, length);
    const int position = std::clamp(cursor.position, 0, length);
    if (anchor == position) {
        field.setCursorPosition(position);
    } else {
        field.setSelection(anchor, position - anchor);
    }
}

} // namespace

PageViewState PageViewState::capture(QWidget& page) {
    PageViewState state;
    if (ScrollView* scroll = pageScrollView(page)) state.scrollOffset = scroll->scrollOffset();
    const QWidget* focus = QApplication::focusWidget();
    for (const auto& [name, widget] : namedWidgets(page)) {
        if (widget == focus) {
            state.focusedControl = name;
            if (const auto* line = qobject_cast<const QLineEdit*>(widget)) state.focusedFieldCursor = fieldCursor(*line);
        }
        const auto* field = qobject_cast<const TextField*>(widget);
        if (field && field->waitsForCommit() && field->keepsTypedText()) state.typedTexts.push_back({name, field->text()});
    }
    return state;
}

void PageViewState::restore(QWidget& page) const {
    if (ScrollView* scroll = pageScrollView(page)) scroll->setScrollOffset(scrollOffset);
    LazyRowsView::makeVisibleRowsIn(page);
    for (const auto& entry : namedWidgets(page)) {
        // Named, not bound: clang 14 cannot capture a structured binding.
        const auto& name = entry.first;
        QWidget* widget = entry.second;
        if (auto* field = qobject_cast<TextField*>(widget)) {
            const auto typed = std::find_if(typedTexts.begin(), typedTexts.end(),
                                            [&name](const TypedText& each) { return each.control == name; });
            if (typed != typedTexts.end()) field->setTypedText(typed->text);
        }
        if (name == focusedControl && widget->isEnabled()) {
            widget->setFocus(Qt::OtherFocusReason);
            auto* line = qobject_cast<QLineEdit*>(widget);
            if (line && focusedFieldCursor) setFieldCursor(*line, *focusedFieldCursor);
        }
    }
}

} // namespace tessaril::appkit
