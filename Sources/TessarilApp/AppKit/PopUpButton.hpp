#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QColor>
#include <QComboBox>

#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/LayerStyle.hpp"

namespace tessaril::appkit {

// A pop-up button: a menu of titled items, each with an optional represented object (the key the
// action reads), and separators. Choosing an item sends the action, also when it was already
// selected; selecting in code sends nothing. Main thread only.
class PopUpButton : public QComboBox, public Control {
    Q_OBJECT
public:
    explicit PopUpButton(QWidget* parent = nullptr);

    QWidget& widget() override { return *this; }
    ControlKind kind() const override { return ControlKind::popup; }
    // The selected item's title, as the button shows it; empty without a selection.
    std::string selectedItemTitle() const;

    void addItem(const std::string& title, std::optional<std::string> representedObject = std::nullopt);
    void addSeparator();
    int numberOfItems() const { return count(); }
    bool isSeparator(int index) const;
    std::string itemTitle(int index) const;
    std::optional<std::string> representedObject(int index) const;
    // The first item (not a separator) with that title, or -1.
    int indexOfItem(const std::string& title) const;
    // The first item carrying that represented object, or -1.
    int indexOfItemWithRepresentedObject(const std::string& representedObject) const;

    // -1 when nothing is selected.
    int indexOfSelectedItem() const { return currentIndex(); }
    void selectItem(int index);
    std::optional<std::string> representedObjectOfSelectedItem() const;

    // What a user's choice does: the item becomes selected and the action runs.
    void chooseItem(int index);

    void setLayerStyle(const LayerStyle& layer);
    void setTitleColor(const QColor& color);
    void setTitleAlignment(Qt::Alignment alignment);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Where the selected item's title is drawn; a title wider than this ends in "…".
    QRect titleRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The wheel scrolls the page under the pointer; it never changes the choice behind the user's back.
    void wheelEvent(QWheelEvent* event) override;

private:
    LayerStyle layer_;
    QColor titleColor_;
    Qt::Alignment titleAlignment_ = Qt::AlignLeft;
};

} // namespace tessaril::appkit
