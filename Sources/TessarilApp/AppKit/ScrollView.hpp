#pragma once

#include <QColor>
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
    // With it, a document wider than the view scrolls sideways too, where it would be cut.
    void setScrollsHorizontally(bool scrolls);
};

} // namespace tessaril::appkit
