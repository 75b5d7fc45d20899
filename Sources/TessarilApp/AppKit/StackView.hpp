#pragma once

#include <vector>

#include <QPointer>

#include "TessarilApp/AppKit/EdgeInsets.hpp"
#include "TessarilApp/AppKit/View.hpp"

class QBoxLayout;
class QSpacerItem;

namespace tessaril::appkit {

// A row or column of arranged views with a fixed gap, insets, a cross-axis alignment and, after a
// chosen view, a custom gap that replaces the usual one. Views keep their natural size along the
// main axis unless they are flexible; a stack laid out inside a taller or wider area keeps its views
// at its start. Main thread only.
class StackView : public View {
    Q_OBJECT
public:
    enum class Orientation { horizontal, vertical };
    // Cross-axis placement: leading/centerX/trailing for columns, top/centerY/bottom for rows;
    // fill stretches the views across.
    enum class Alignment { leading, centerX, trailing, top, centerY, bottom, fill };

    explicit StackView(Orientation orientation, QWidget* parent = nullptr);

    Orientation orientation() const { return orientation_; }
    void setAlignment(Alignment alignment);
    void setSpacing(int spacing);
    void setEdgeInsets(const EdgeInsets& insets);
    const EdgeInsets& edgeInsets() const { return insets_; }

    void addArrangedSubview(QWidget* view);
    const std::vector<QPointer<QWidget>>& arrangedSubviews() const { return views_; }
    // The gap after `view` becomes `spacing` instead of the stack's spacing.
    void setCustomSpacing(int spacing, QWidget* afterView);
    // The gap that follows `view`, or -1 when it is the last one or not arranged here.
    int spacingAfter(QWidget* view) const;

private:
    Qt::Alignment itemAlignment() const;
    void relayoutGaps();

    Orientation orientation_;
    Alignment alignment_;
    int spacing_ = 8;
    EdgeInsets insets_;
    QBoxLayout* layout_;
    std::vector<QPointer<QWidget>> views_;
    std::vector<int> customSpacingAfter_; // -1: the stack's spacing
    std::vector<QSpacerItem*> gaps_;       // gaps_[i] follows views_[i]
    QSpacerItem* tail_ = nullptr;
};

} // namespace tessaril::appkit
