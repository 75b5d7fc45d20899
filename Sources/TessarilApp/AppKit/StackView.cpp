#include "TessarilApp/AppKit/StackView.hpp"

#include <algorithm>

#include <QBoxLayout>
#include <QSpacerItem>

namespace tessaril::appkit {

namespace {

bool isFlexibleAlong(const QWidget& view, StackView::Orientation orientation) {
    const auto policy = orientation == StackView::Orientation::horizontal ? view.sizePolicy().horizontalPolicy()
                                                                          : view.sizePolicy().verticalPolicy();
    return (policy & QSizePolicy::ExpandFlag) != 0;
}

} // namespace

StackView::StackView(Orientation orientation, QWidget* parent)
    : View(parent),
      orientation_(orientation),
      alignment_(orientation == Orientation::horizontal ? Alignment::centerY : Alignment::centerX),
      layout_(new QBoxLayout(orientation == Orientation::horizontal ? QBoxLayout::LeftToRight
                                                                    : QBoxLayout::TopToBottom,
                             this)) {
    layout_->setSpacing(0);
    layout_->setContentsMargins(0, 0, 0, 0);
    tail_ = new QSpacerItem(0, 0, orientation == Orientation::horizontal ? QSizePolicy::Expanding : QSizePolicy::Minimum,
                            orientation == Orientation::horizontal ? QSizePolicy::Minimum : QSizePolicy::Expanding);
    layout_->addItem(tail_);
}

void StackView::setAlignment(Alignment alignment) {
    alignment_ = alignment;
    for (const auto& view : views_) {
        if (view) layout_->setAlignment(view, itemAlignment());
    }
}

void StackView::setSpacing(int spacing) {
    spacing_ = spacing;
    relayoutGaps();
}

void StackView::setEdgeInsets(const EdgeInsets& insets) {
    insets_ = insets;
    layout_->setContentsMargins(insets.left, insets.top, insets.right, insets.bottom);
}

void StackView::addArrangedSubview(QWidget* view) {
    // The tail spacer keeps the views at the start; it leaves once a view takes the slack itself.
    const int tailIndex = layout_->indexOf(tail_);
    if (tailIndex >= 0) layout_->takeAt(tailIndex);
    if (!views_.empty()) {
        auto* gap = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
        gaps_.push_back(gap);
        layout_->addItem(gap);
    }
    views_.emplace_back(view);
    customSpacingAfter_.push_back(-1);
    layout_->addWidget(view, 0, itemAlignment());
    const bool anyFlexible = std::any_of(views_.begin(), views_.end(), [&](const QPointer<QWidget>& arranged) {
        return arranged && isFlexibleAlong(*arranged, orientation_);
    });
    if (anyFlexible) {
        delete tail_;
        tail_ = nullptr;
    } else if (tail_) {
        layout_->addItem(tail_);
    }
    relayoutGaps();
}

void StackView::setCustomSpacing(int spacing, QWidget* afterView) {
    for (std::size_t index = 0; index < views_.size(); ++index) {
        if (views_[index] == afterView) {
            customSpacingAfter_[index] = spacing;
            relayoutGaps();
            return;
        }
    }
}

int StackView::spacingAfter(QWidget* view) const {
    for (std::size_t index = 0; index + 1 < views_.size(); ++index) {
        if (views_[index] == view) return customSpacingAfter_[index] >= 0 ? customSpacingAfter_[index] : spacing_;
    }
    return -1;
}

Qt::Alignment StackView::itemAlignment() const {
    switch (alignment_) {
    case Alignment::leading: return Qt::AlignLeft;
    case Alignment::centerX: return Qt::AlignHCenter;
    case Alignment::trailing: return Qt::AlignRight;
    case Alignment::top: return Qt::AlignTop;
    case Alignment::centerY: return Qt::AlignVCenter;
    case Alignment::bottom: return Qt::AlignBottom;
    case Alignment::fill: return {};
    }
    return {};
}

void StackView::relayoutGaps() {
    for (std::size_t index = 0; index < gaps_.size(); ++index) {
        const int gap = customSpacingAfter_[index] >= 0 ? customSpacingAfter_[index] : spacing_;
        if (orientation_ == Orientation::horizontal) {
            gaps_[index]->changeSize(gap, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
        } else {
            gaps_[index]->changeSize(0, gap, QSizePolicy::Minimum, QSizePolicy::Fixed);
        }
    }
    layout_->invalidate();
}

} // namespace tessaril::appkit
