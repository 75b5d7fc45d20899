#pragma once

#include <string>

#include <QAbstractButton>
#include <QColor>
#include <QFont>

#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/EdgeInsets.hpp"
#include "TessarilApp/AppKit/LayerStyle.hpp"

namespace tessaril::appkit {

// A button drawn flat on its layer: a momentary push button, or a toggle whose click flips the state
// before the action runs, so the action reads the new state. Setting the state in code sends nothing.
// It may hold content views (icons, labels) instead of a title; they never take the click. Main
// thread only.
class Button : public QAbstractButton, public Control {
    Q_OBJECT
public:
    enum class ButtonType { momentaryPush, toggle };
    enum class State { off, on };

    explicit Button(ButtonType type = ButtonType::momentaryPush, QWidget* parent = nullptr);

    QWidget& widget() override { return *this; }
    ControlKind kind() const override { return kind_; }
    std::string title() const override { return title_; }

    // Switches and check boxes are toggles that read as such to the automation driver.
    void setKind(ControlKind kind) { kind_ = kind; }
    ButtonType buttonType() const { return type_; }

    void setTitle(std::string title);
    void setTitleFont(const QFont& font);
    void setTitleColor(const QColor& color);
    void setTitleAlignment(Qt::Alignment alignment);

    State state() const;
    void setState(State state);
    bool isOn() const { return state() == State::on; }

    void setLayerStyle(const LayerStyle& layer);
    const LayerStyle& layerStyle() const { return layer_; }
    // A borderless button (a link) sets its title flush with its edges; a bordered one keeps it 6 in
    // from each side.
    void setBordered(bool isBordered);
    // Where the title is drawn; a title wider than this ends in "…".
    QRect titleRect() const;
    // A view laid out inside the button at the given insets and alignment; it and its subviews (as
    // they are when added) let the mouse through to the button.
    void setContentView(QWidget* content, const EdgeInsets& insets = {}, Qt::Alignment alignment = {});

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ButtonType type_;
    ControlKind kind_ = ControlKind::button;
    std::string title_;
    QColor titleColor_;
    Qt::Alignment titleAlignment_ = Qt::AlignHCenter;
    LayerStyle layer_;
    bool isBordered_ = true;
};

} // namespace tessaril::appkit
