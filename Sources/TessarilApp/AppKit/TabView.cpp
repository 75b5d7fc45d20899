#include "TessarilApp/AppKit/TabView.hpp"

#include <algorithm>

#include <QHBoxLayout>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Font.hpp"

namespace tessaril::appkit {

namespace {

constexpr int tabHeight = 24;

QColor grey(double level) { return QColor::fromRgbF(static_cast<float>(level), static_cast<float>(level), static_cast<float>(level)); }

void styleTab(Button& tab, bool isSelected) {
    tab.setState(isSelected ? Button::State::on : Button::State::off);
    tab.setLayerStyle({isSelected ? grey(0.36) : grey(0.16), grey(0.3), 1});
    tab.setTitleColor(isSelected ? grey(0.98) : grey(0.8));
}

} // namespace

TabView::TabView(QWidget* parent) : View(parent), tabRow_(new View), box_(new View), pages_(new QStackedLayout) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto* row = new QHBoxLayout(tabRow_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addStretch(1);
    row->addStretch(1);
    tabRow_->setFixedHeight(tabHeight);
    column->addWidget(tabRow_);
    box_->setLayerStyle({grey(0.09), grey(0.22), 1});
    box_->setLayout(pages_);
    column->addWidget(box_, 1);
}

void TabView::addTabViewItem(const std::string& identifier, const std::string& label, QWidget* view) {
    auto* tab = new Button(Button::ButtonType::toggle);
    tab->setIdentifier(identifier);
    tab->setTitle(label);
    tab->setTitleFont(systemFont(13));
    tab->setFixedHeight(tabHeight);
    tab->setMinimumWidth(std::max(tab->sizeHint().width(), 72));
    const int index = static_cast<int>(tabs_.size());
    connect(tab, &QAbstractButton::clicked, this, [this, index] { selectTabViewItem(index); });
    // Between the two stretches, after the tabs already there.
    static_cast<QHBoxLayout*>(tabRow_->layout())->insertWidget(1 + index, tab);
    tabs_.push_back(tab);
    pages_->addWidget(view);
    styleTab(*tab, index == pages_->currentIndex());
}

int TabView::indexOfSelectedTabViewItem() const { return tabs_.empty() ? -1 : pages_->currentIndex(); }

void TabView::selectTabViewItem(int index) {
    if (index < 0 || index >= numberOfTabViewItems()) return;
    pages_->setCurrentIndex(index);
    for (int each = 0; each < numberOfTabViewItems(); ++each) styleTab(*tabs_[static_cast<std::size_t>(each)], each == index);
}

} // namespace tessaril::appkit
