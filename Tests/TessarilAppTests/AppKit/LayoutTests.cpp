#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/ViewRendering.hpp"
#include "TessarilApp/AppKit/Window.hpp"

namespace tessaril::appkit {
namespace {

QWidget* box(int width, int height) {
    auto* view = new View;
    view->setFixedSize(width, height);
    return view;
}

TEST(LayoutTests, AStackPlacesViewsAfterItsInsetsWithACustomGapReplacingTheUsualOne) {
    StackView stack(StackView::Orientation::vertical);
    stack.setAlignment(StackView::Alignment::leading);
    stack.setSpacing(14);
    stack.setEdgeInsets({50, 34, 36, 12}); // top, left, bottom, right
    QWidget* title = box(100, 30);
    QWidget* subtitle = box(200, 20);
    QWidget* section = box(300, 40);
    stack.addArrangedSubview(title);
    stack.addArrangedSubview(subtitle);
    stack.addArrangedSubview(section);
    stack.setCustomSpacing(24, subtitle);
    stack.resize(stack.sizeHint());
    layoutSubtree(stack);

    EXPECT_EQ(title->geometry(), QRect(34, 50, 100, 30));
    EXPECT_EQ(subtitle->geometry(), QRect(34, 50 + 30 + 14, 200, 20));
    EXPECT_EQ(section->geometry(), QRect(34, 50 + 30 + 14 + 20 + 24, 300, 40));
    EXPECT_EQ(stack.sizeHint(), QSize(34 + 300 + 12, 50 + 30 + 14 + 20 + 24 + 40 + 36));
    EXPECT_EQ(stack.spacingAfter(title), 14);
    EXPECT_EQ(stack.spacingAfter(subtitle), 24);
    EXPECT_EQ(stack.spacingAfter(section), -1);
}

TEST(LayoutTests, AFlexibleSpaceTakesTheSlackOfAFixedWidthRow) {
    StackView row(StackView::Orientation::horizontal);
    row.setSpacing(8);
    row.setFixedSize(84, 18);
    row.addArrangedSubview(View::makeFlexibleSpace());
    QWidget* label = box(28, 16);
    QWidget* toggle = box(34, 18);
    row.addArrangedSubview(label);
    row.addArrangedSubview(toggle);
    layoutSubtree(row);
    EXPECT_EQ(toggle->geometry(), QRect(84 - 34, 0, 34, 18));
    EXPECT_EQ(label->geometry(), QRect(84 - 34 - 8 - 28, 1, 28, 16));
}

TEST(LayoutTests, ReplacedContentHidesAtOnceAndIsDeletedOnlyFromTheEventLoop) {
    Window window({{400, 300}, {300, 200}, "Test", false, true, QColor(Qt::black)});
    auto* first = new View;
    window.setContentView(first);
    QPointer<QWidget> old(first);
    window.setContentView(new View);
    ASSERT_TRUE(old);
    EXPECT_FALSE(old->isVisibleTo(&window));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(old);
}

TEST(LayoutTests, APictureHasExactlyTheViewsSizeInPixels) {
    View view;
    view.setBackgroundColor(QColor(255, 204, 34));
    view.resize(194, 44);
    const QImage image = renderViewImage(view);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(194, 44));
    EXPECT_EQ(image.pixelColor(100, 20), QColor(255, 204, 34));
    ASSERT_TRUE(encodePNG(image).has_value());

    View empty;
    empty.resize(0, 10);
    EXPECT_TRUE(renderViewImage(empty).isNull());
}

} // namespace
} // namespace tessaril::appkit
