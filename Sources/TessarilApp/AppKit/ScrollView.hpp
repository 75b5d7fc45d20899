#pragma once

#include <QColor>
#include <QPoint>
#include <QScrollArea>

namespace tessaril::appkit {

// A vertically scrolling view: its document spans the visible width (or more when its content needs
// it), starts at the top and grows downwards. No horizontal scroller unless asked for, no border, no
// background of its own. Main thread only.
class ScrollView : public QScrollArea {
    Q_OBJECT
public:
    explicit ScrollView(QWidget* parent = nullptr);

    // The document view holds `content` at its top; the rest of its height is its own background.
    void setDocumentView(QWidget* document, QWidget* content);
    QWidget* documentView() const { return widget(); }
    // With it, a document wider than the view scrolls sideways too, where it would be cut, and shows
    // a horizontal scroller while it does.
    void setScrollsHorizontally(bool scrolls);

    // How far the document is scrolled: sideways in x, down in y.
    QPoint scrollOffset() const;
    // As far towards `offset` as the document reaches now.
    void setScrollOffset(QPoint offset);
    // For a view not laid out yet: each direction goes to its offset as soon as the document reaches
    // that far.
    void setScrollOffsetOnceLaidOut(QPoint offset);
};

} // namespace tessaril::appkit
