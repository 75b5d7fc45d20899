#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QColor>
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include "TessarilApp/AppKit/Appearance.hpp"

class QPainter;

namespace tessaril::appkit {

class WindowDelegate;
class WindowFrameView;

// A titled top-level window whose content view is replaced wholesale. Closing hides it and tells the
// delegate; the object lives on and shows again on the next order-front. A replaced content view is
// hidden at once and deleted later, from the event loop, so a control whose own action replaced the
// content is never deleted while that action runs. Main thread only.
class Window : public QWidget {
    Q_OBJECT
public:
    struct Configuration {
        QSize contentSize;
        QSize minimumContentSize;
        std::string title;
        bool titleVisible = true;
        bool titlebarAppearsTransparent = false;
        QColor backgroundColor;
    };

    // The height of the title bar drawn above the content in a picture of the whole frame.
    static constexpr int titleBarHeight = 28;

    explicit Window(const Configuration& configuration, WindowDelegate* delegate = nullptr);
    ~Window() override;

    const std::string& title() const { return title_; }
    void setDelegate(WindowDelegate* delegate) { delegate_ = delegate; }

    QWidget* contentView() const { return content_; }
    void setContentView(QWidget* content);

    Appearance appearance() const { return appearance_; }
    void setAppearance(Appearance appearance);

    // Horizontally and vertically centred on its screen's available area, frame included. A screen
    // too small for the window or its minimum size lowers both to what the area holds.
    void center();
    // Placed in `availableArea` as the window's role asks (centred, or a sheet hanging from its
    // window), its frame drawn `frameMargins` around the content; no larger than the area holds.
    void placeIn(const QRect& availableArea, const QMargins& frameMargins);
    // The window manager's title bar and borders around the content, as far as they are known: none
    // before the window was first framed, and nothing at all while a window just shown waits for its
    // frame (the toolkit then reports a frame smaller than the content).
    std::optional<QMargins> frameMargins() const;
    void makeKeyAndOrderFront();
    void orderOut();
    // What the close button does: the delegate hears of it, then the window hides. A window whose
    // delegate refuses, or that has a sheet attached, stays.
    void performClose();

    // Attaches `sheet` to this window: a window-modal child shown over the top of this one, which
    // cannot close while the sheet is attached. `endSheet` detaches and hides it.
    void beginSheet(Window& sheet);
    void endSheet(Window& sheet);
    Window* attachedSheet() const { return attachedSheet_; }
    Window* sheetParent() const { return sheetParent_; }

    // The title bar of the frame as the platform would draw it, at the top of `painter`'s area.
    void paintTitleBar(QPainter& painter, int width) const;

    // The frame around the content (title bar and content), for pictures of the whole window; made on
    // first use, never shown, and sized like the window at each call.
    WindowFrameView& frameView();

    // Incremented each time the window is shown; the automation driver orders windows by it.
    quint64 orderFrontSequence() const { return orderFrontSequence_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    // The frame's geometry as the toolkit reports it.
    virtual QRect reportedFrameGeometry() const { return frameGeometry(); }

private:
    enum class Placement { none, centred, sheet };
    // Placed on the available area of the screen it is on (a sheet: its window's).
    void placeOnScreen();
    // Placed again where the frame the window shows with is known now and not the one it was placed
    // with.
    void placeAgainIfFramedOtherwise();

    std::string title_;
    bool titleVisible_;
    bool titlebarTransparent_;
    QColor backgroundColor_;
    Appearance appearance_ = Appearance::darkAqua;
    WindowDelegate* delegate_;
    QPointer<QWidget> content_;
    std::unique_ptr<WindowFrameView> frameView_;
    quint64 orderFrontSequence_ = 0;
    QPointer<Window> attachedSheet_;
    QPointer<Window> sheetParent_;
    // The minimum content size asked for; a small screen lowers the window's own below it.
    QSize minimumContentSize_;
    Placement placement_ = Placement::none;
    // The frame the last placement counted with. A window manager frames a window only after it
    // shows, so a window placed before then is placed again when its frame turns out otherwise. Until
    // the frame is known, moves tell nothing about it: placing by them would count with a frame that
    // is not there.
    QMargins placedFrameMargins_;
    bool awaitsFrame_ = false;
};

} // namespace tessaril::appkit
