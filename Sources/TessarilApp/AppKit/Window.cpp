#include "TessarilApp/AppKit/Window.hpp"

#include <QCloseEvent>
#include <QHideEvent>
#include <QMoveEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "TessarilApp/AppKit/ApplicationAppearance.hpp"
#include "TessarilApp/AppKit/WindowDelegate.hpp"
#include "TessarilApp/AppKit/WindowFrameView.hpp"
#include "TessarilApp/AppKit/WindowPlacement.hpp"

namespace tessaril::appkit {

namespace {

quint64 nextOrderFrontSequence() {
    static quint64 sequence = 0;
    return ++sequence;
}

} // namespace

Window::Window(const Configuration& configuration, WindowDelegate* delegate)
    : QWidget(nullptr, Qt::Window),
      title_(configuration.title),
      titleVisible_(configuration.titleVisible),
      titlebarTransparent_(configuration.titlebarAppearsTransparent),
      backgroundColor_(configuration.backgroundColor),
      delegate_(delegate),
      minimumContentSize_(configuration.minimumContentSize) {
    installApplicationAppearance();
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QString::fromStdString(configuration.title));
    setMinimumSize(configuration.minimumContentSize);
    resize(configuration.contentSize);
    setPalette(systemPalette(appearance_));
    if (backgroundColor_.isValid()) {
        QPalette colors = palette();
        colors.setColor(QPalette::Window, backgroundColor_);
        setPalette(colors);
        setAutoFillBackground(true);
    }
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
}

Window::~Window() = default;

WindowFrameView& Window::frameView() {
    if (!frameView_) frameView_ = std::make_unique<WindowFrameView>(*this);
    frameView_->updateSize();
    return *frameView_;
}

void Window::setContentView(QWidget* content) {
    if (content_ == content) return;
    if (content_) {
        QWidget* previous = content_;
        layout()->removeWidget(previous);
        previous->hide();
        previous->deleteLater();
    }
    content_ = content;
    if (content) {
        content->setParent(this);
        layout()->addWidget(content);
        content->show();
    }
}

void Window::setAppearance(Appearance appearance) {
    appearance_ = appearance;
    QPalette colors = systemPalette(appearance);
    if (backgroundColor_.isValid()) colors.setColor(QPalette::Window, backgroundColor_);
    setPalette(colors);
}

void Window::center() {
    placement_ = Placement::centred;
    placeOnScreen();
}

void Window::placeOnScreen() {
    const QWidget* onScreen = sheetParent_ ? static_cast<QWidget*>(sheetParent_) : this;
    const QScreen* screen = onScreen->screen() ? onScreen->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const std::optional<QMargins> frame = frameMargins();
    placeIn(screen->availableGeometry(), frame.value_or(placedFrameMargins_));
    awaitsFrame_ = !isVisible() || !frame;
}

void Window::placeIn(const QRect& availableArea, const QMargins& frameMargins) {
    WindowPlacement placement;
    if (placement_ == Placement::sheet && sheetParent_) {
        const QRect parent = sheetParent_->geometry();
        placement = WindowPlacement::hanging(size(), minimumContentSize_, availableArea, frameMargins,
                                             parent.left() + parent.width() / 2, parent.top());
    } else {
        placement = WindowPlacement::centred(size(), minimumContentSize_, availableArea, frameMargins);
    }
    // Settled before moving, so the move does not place the window again.
    placedFrameMargins_ = frameMargins;
    awaitsFrame_ = false;
    setMinimumSize(placement.minimumContentSize);
    if (isVisible() || !windowHandle()) {
        // A window's position is its frame's. Never shown, the window manager frames it there and
        // moves its content, and the move tells the frame.
        resize(placement.contentSize);
        move(placement.frameOrigin);
        return;
    }
    // Hidden after showing: placed by its content inside the frame counted with. A frame position
    // would be turned into the content's by the frame the toolkit knows as the window shows again,
    // and right after a close it may know none: the content would go where the frame should.
    setGeometry(QRect(placement.frameOrigin + QPoint(frameMargins.left(), frameMargins.top()), placement.contentSize));
}

std::optional<QMargins> Window::frameMargins() const {
    const QRect frame = reportedFrameGeometry();
    const QRect content = geometry();
    if (!frame.contains(content)) return std::nullopt;
    return QMargins(content.left() - frame.left(), content.top() - frame.top(), frame.right() - content.right(),
                    frame.bottom() - content.bottom());
}

void Window::makeKeyAndOrderFront() {
    show();
    raise();
    activateWindow();
}

void Window::orderOut() { hide(); }

void Window::performClose() { close(); }

void Window::beginSheet(Window& sheet) {
    if (attachedSheet_ && attachedSheet_ != &sheet) endSheet(*attachedSheet_);
    attachedSheet_ = &sheet;
    sheet.sheetParent_ = this;
    sheet.setParent(this, Qt::Dialog);
    sheet.setWindowModality(Qt::WindowModal);
    // A sheet hangs from the top of its window's content, centred across it.
    sheet.placement_ = Placement::sheet;
    sheet.placeOnScreen();
    sheet.makeKeyAndOrderFront();
}

void Window::endSheet(Window& sheet) {
    if (attachedSheet_ != &sheet) return;
    attachedSheet_ = nullptr;
    sheet.sheetParent_ = nullptr;
    sheet.hide();
}

void Window::closeEvent(QCloseEvent* event) {
    if ((attachedSheet_ && attachedSheet_->isVisible()) || (delegate_ && !delegate_->windowShouldClose(*this))) {
        event->ignore();
        return;
    }
    if (delegate_) delegate_->windowWillClose(*this);
    event->accept();
}

void Window::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) orderFrontSequence_ = nextOrderFrontSequence();
    QWidget::showEvent(event);
    // A platform that frames a window as it shows it moves nothing.
    placeAgainIfFramedOtherwise();
}

void Window::hideEvent(QHideEvent* event) {
    awaitsFrame_ = false;
    QWidget::hideEvent(event);
}

void Window::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    placeAgainIfFramedOtherwise();
}

void Window::placeAgainIfFramedOtherwise() {
    if (!awaitsFrame_ || !isVisible()) return;
    const std::optional<QMargins> frame = frameMargins();
    if (!frame || *frame == placedFrameMargins_) return;
    awaitsFrame_ = false;
    placeOnScreen();
}

void Window::paintTitleBar(QPainter& painter, int width) const {
    // A transparent title bar shows the window's background; the three window buttons sit at its left.
    QColor bar = appearance_ == Appearance::darkAqua ? QColor::fromRgbF(0.16f, 0.16f, 0.17f) : QColor::fromRgbF(0.92f, 0.92f, 0.92f);
    if (titlebarTransparent_ && backgroundColor_.isValid()) bar = backgroundColor_;
    painter.fillRect(QRect(0, 0, width, titleBarHeight), bar);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor buttons[] = {QColor(255, 95, 87), QColor(254, 188, 46), QColor(40, 200, 64)};
    qreal centreX = 20.0;
    for (const QColor& color : buttons) {
        painter.setPen(QPen(color.darker(125), 0.5));
        painter.setBrush(color);
        painter.drawEllipse(QPointF(centreX, titleBarHeight / 2.0), 6.0, 6.0);
        centreX += 20.0;
    }
    if (titleVisible_) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(0, 0, width, titleBarHeight), Qt::AlignCenter, QString::fromStdString(title_));
    }
    painter.restore();
}

} // namespace tessaril::appkit
