#pragma once

#include <string>
#include <vector>

#include "TessarilApp/AppKit/View.hpp"

class QStackedLayout;

namespace tessaril::appkit {

class Button;

// Items of which one shows at a time, chosen by a row of tabs along the top edge of a bezelled box.
// Each tab is a toggle button titled with the item's label and carrying its identifier, on exactly
// while its item shows; the first item added shows until another is chosen. Main thread only.
class TabView : public View {
    Q_OBJECT
public:
    explicit TabView(QWidget* parent = nullptr);

    void addTabViewItem(const std::string& identifier, const std::string& label, QWidget* view);
    int numberOfTabViewItems() const { return static_cast<int>(tabs_.size()); }
    int indexOfSelectedTabViewItem() const;
    void selectTabViewItem(int index);

private:
    View* tabRow_;
    View* box_;
    QStackedLayout* pages_;
    std::vector<Button*> tabs_;
};

} // namespace tessaril::appkit
