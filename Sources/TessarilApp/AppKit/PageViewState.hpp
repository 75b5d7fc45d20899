#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QPoint>
#include <QString>

class QWidget;

namespace tessaril::appkit {

// What a person sees of a page that rebuilding it from the model would lose: how far it is scrolled
// (down, and sideways in a window narrower than the page), text typed into fields that wait for Return
// or their save button, which control has the keyboard focus and, in a focused field, where the
// cursor and selection are. Taken from the page before a rebuild and given to the page that replaces
// it, each control matched by what it is (kind, action, identifier, placeholder, restoration key) and
// its place among its equals. Main thread only.
struct PageViewState {
    struct TypedText {
        std::string control;
        QString text;
    };

    // In characters of the field's text; the selection runs from the anchor to the cursor.
    struct FieldCursor {
        int anchor = 0;
        int position = 0;
    };

    QPoint scrollOffset;
    std::vector<TypedText> typedTexts;
    std::optional<std::string> focusedControl;
    std::optional<FieldCursor> focusedFieldCursor;

    static PageViewState capture(QWidget& page);
    // Scrolls, makes the rows that scroll into view, refills the fields and gives back the focus, to a
    // field with its cursor and selection.
    void restore(QWidget& page) const;
};

} // namespace tessaril::appkit
