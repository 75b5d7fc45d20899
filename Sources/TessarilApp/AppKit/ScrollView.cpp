#include "TessarilApp/AppKit/ScrollView.hpp"

#include <algorithm>
#include <memory>

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

QPoint ScrollView::scrollOffset() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

void ScrollView::setScrollOffset(QPoint offset) {
    horizontalScrollBar()->setValue(offset.x());
    verticalScrollBar()->setValue(offset.y());
}

namespace {

void scrollOnceInRange(QScrollBar& bar, int offset) {
    if (offset <= 0) return;
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(&bar, &QScrollBar::rangeChanged, &bar, [&bar, offset, connection](int, int maximum) {
        bar.setValue(std::min(offset, maximum));
        if (maximum >= offset) QObject::disconnect(*connection);
    });
}

} // namespace

void ScrollView::setScrollOffsetOnceLaidOut(QPoint offset) {
    scrollOnceInRange(*horizontalScrollBar(), offset.x());
    scrollOnceInRange(*verticalScrollBar(), offset.y());
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
