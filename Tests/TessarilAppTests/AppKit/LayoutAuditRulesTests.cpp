// The layout audit's own rules, each on a small tree with the fault and on the same tree without it:
// an audit that cannot see a fault would let every page pass.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/ViewRendering.hpp"
#include "TessarilApp/AppKit/View.hpp"
#include "TessarilAppTests/AppKit/LayoutFaults.hpp"

namespace tessaril::appkit {
namespace {

QWidget* place(QWidget* widget, QWidget* parent, const QRect& frame) {
    widget->setParent(parent);
    widget->setGeometry(frame);
    return widget;
}

Label* label(const std::string& text, int lines = 1) {
    auto* made = new Label(text);
    made->setMaximumNumberOfLines(lines);
    return made;
}

// A view of a scroll view's document as wide and tall as asked, in a 200 x 100 scroll view.
void scrolled(QWidget* root, QSize document) {
    auto* scroll = static_cast<ScrollView*>(place(new ScrollView, root, {0, 0, 200, 100}));
    auto* content = new View;
    content->setBackgroundColor(Qt::gray);
    content->setFixedSize(document);
    scroll->setDocumentView(new View, content);
}

struct Case {
    const char* name;
    std::function<void(QWidget* root)> build;
    // A part of each expected fault line, in order; none for a clean tree.
    std::vector<std::string> faults;
};

TEST(LayoutAuditRules, NamesEachKindOfFaultAndNothingInAFittingTree) {
    const std::string cut = "デフォルト準拠";
    const std::vector<Case> cases = {
        {"a control inside its parent", [](QWidget* root) { place(new Button, place(new View, root, {0, 0, 78, 18}), {44, 0, 34, 18}); }, {}},
        {"a switch 2 past its cell",
         [](QWidget* root) { place(new Button, place(new View, root, {10, 10, 76, 18}), {44, 0, 34, 18}); },
         {"tessaril::appkit::Button at 54,10 34x18: reaches past the visible 10,10 76x18 of tessaril::appkit::View"}},
        {"only the innermost widget reaching out is named",
         [](QWidget* root) {
             QWidget* row = place(new View, root, {0, 0, 100, 30});
             place(new Label("OK"), place(new View, row, {90, 0, 40, 30}), {0, 0, 30, 20});
         },
         {"tessaril::appkit::Label \"OK\" at 90,0 30x20: reaches past the visible 90,0 10x30"}},
        {"a hidden control outside", [](QWidget* root) { place(new Button, root, {300, 0, 34, 18})->hide(); }, {}},
        {"a cut label", [&cut](QWidget* root) { place(label(cut), root, {0, 0, 40, 24}); }, {"shows \"デ"}},
        {"a cut label whose tool tip holds its text",
         [&cut](QWidget* root) { place(label(cut), root, {0, 0, 40, 24})->setToolTip(QString::fromStdString(cut)); }, {}},
        {"a cut label in a button whose tool tip holds its text",
         [&cut](QWidget* root) {
             QWidget* button = place(new Button, root, {0, 0, 60, 40});
             button->setToolTip(QString::fromStdString(cut + "\n1アプリ"));
             place(label(cut), button, {0, 0, 40, 24});
         },
         {}},
        {"a whole label", [&cut](QWidget* root) { place(label(cut), root, {0, 0, 120, 24}); }, {}},
        {"a wrapped label too short for its lines",
         [&cut](QWidget* root) { place(label(cut + cut + cut, 2), root, {0, 0, 160, 20}); },
         {"reach past its top or bottom"}},
        {"a button title wider than its title area",
         [](QWidget* root) {
             auto* button = new Button;
             button->setTitle("セット編集");
             place(button, root, {0, 0, button->sizeHint().width() - 20, 30});
         },
         {"title shows"}},
        {"a borderless title flush with its edges",
         [](QWidget* root) {
             auto* link = new Button;
             link->setTitle("example.org");
             link->setBordered(false);
             place(link, root, {0, 0, link->sizeHint().width(), 20});
         },
         {}},
        {"a pop-up title wider than its title area",
         [](QWidget* root) {
             auto* popup = new PopUpButton;
             popup->addItem("使用する入力ソース");
             place(popup, root, {0, 0, 60, 24});
         },
         {"title shows"}},
        {"overlapping siblings",
         [](QWidget* root) {
             place(new Button, root, {0, 0, 40, 18});
             place(new Button, root, {39, 0, 40, 18});
         },
         {"overlaps tessaril::appkit::Button at 39,0"}},
        {"touching siblings",
         [](QWidget* root) {
             place(new Button, root, {0, 0, 40, 18});
             place(new Button, root, {40, 0, 40, 18});
         },
         {}},
        {"a document taller than its scroll view", [](QWidget* root) { scrolled(root, {180, 400}); }, {}},
        {"a document wider than a scroll view that scrolls only vertically",
         [](QWidget* root) { scrolled(root, {260, 40}); },
         {"tessaril::appkit::View at 0,0 260x40: reaches past the visible 0,0 200x100"}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        auto root = std::make_unique<View>();
        root->resize(320, 200);
        testCase.build(root.get());
        root->show();
        QCoreApplication::processEvents();
        layoutSubtree(*root);
        const auto faults = layoutFaults(*root);
        ASSERT_EQ(faults.size(), testCase.faults.size()) << ::testing::PrintToString(faults);
        for (std::size_t index = 0; index < faults.size(); ++index) {
            EXPECT_NE(faults[index].find(testCase.faults[index]), std::string::npos) << faults[index];
        }
    }
}

} // namespace
} // namespace tessaril::appkit
