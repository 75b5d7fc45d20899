#include "TessarilApp/AppKit/ScrollView.hpp"

#include <QScrollBar>
#include <QVBoxLayout>

namespace tessaril::appkit {

ScrollView::ScrollView(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(true);
    setFocusPolicy(Qt::NoFocus);
    // The page's own background shows through; the scroll view draws none.
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ScrollView::setScrollsHorizontally(bool scrolls) {
    setHorizontalScrollBarPolicy(scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void ScrollView::setDocumentView(QWidget* document, QWidget* content) {
    auto* box = new QVBoxLayout(document);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(content);
    box->addStretch(1);
    setWidget(document);
}

} // namespace tessaril::appkit
