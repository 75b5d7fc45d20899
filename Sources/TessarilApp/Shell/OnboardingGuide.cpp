#include "TessarilApp/Shell/OnboardingGuide.hpp"

#include <algorithm>
#include <string>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "Platform/Foundation/UserDefaultsWriteError.hpp"
#include "Platform/Logging/ProcessLog.hpp"
#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilApp/Shell/WidgetApplication.hpp"

namespace tessaril {

namespace {

namespace palette = settings_palette;
using appkit::FontWeight;
using appkit::StackView;
using platform::LoginItemStatus;

constexpr int textWidth = 324;
constexpr const char* skipLoginItemDefaultVariable = "TESSARIL_SKIP_LOGIN_ITEM_DEFAULT";
constexpr const char* registrationFailedStatus = "ログイン項目の登録に失敗";

// The popover's window: frameless, above other windows, never in the task bar; Escape closes it as
// a click elsewhere closes a popover. Deleted once closed.
class OnboardingPopover final : public QWidget {
public:
    OnboardingPopover() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle("Tessaril");
        WidgetApplication::markAsApplicationWindow(*this);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            close();
            return;
        }
        QWidget::keyPressEvent(event);
    }
};

appkit::Label* makeGuideText(const std::string& text, int size, const QColor& color) {
    auto* label = makeLabel(text, size, FontWeight::regular, color);
    label->setMaximumNumberOfLines(0);
    label->setFixedWidth(textWidth);
    return label;
}

appkit::Action guideAction(AppDelegate& delegate, const char* selector, void (OnboardingGuide::*method)()) {
    return appkit::Action{selector, [&delegate, method](appkit::Control&) { (OnboardingGuide(delegate).*method)(); }};
}

QRect screenAreaAround(const std::optional<QRect>& anchor) {
    QScreen* screen = anchor && !anchor->isEmpty() ? QGuiApplication::screenAt(anchor->center()) : nullptr;
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
}

} // namespace

void OnboardingGuide::showOnboardingGuideIfNeeded() {
    if (delegate_.disablesInputBackendForPreview) return;
    if (delegate_.services().pipeline.defaults.boolean(delegate_.onboardingGuideDefaultsKey)) return;
    delegate_.runOnMainQueue([](AppDelegate& delegate) {
        // The flag is written as the guide shows, never for a guide that was not shown (a quit before
        // this turn); it goes just before, so the guide is offered at most once even if showing it
        // fails, and when it cannot be kept the guide is not offered at all rather than on every launch.
        if (!OnboardingGuide(delegate).setFlag("onboarding guide", delegate.onboardingGuideDefaultsKey)) return;
        delegate.showOnboardingGuide();
    });
}

void OnboardingGuide::showOnboardingGuide() {
    // Without a status area, or where the tray does not tell where its icon is, the guide shows at the
    // top right of the screen.
    closeOnboardingGuide();
    const bool trusted = delegate_.eventTapBackend().isAccessibilityTrusted(false);
    auto* popover = new OnboardingPopover;
    auto* box = new QVBoxLayout(popover);
    box->setContentsMargins(0, 0, 0, 0);
    QWidget* content = makeOnboardingGuideView(trusted);
    box->addWidget(content);
    const QSize size = content->size();
    popover->setFixedSize(size);
    delegate_.onboardingPopover = popover;
    placeOnboardingGuide();
    // A tray places its icon a moment after it is shown, and one that starts after Tessaril later still:
    // the guide then moves to hang from the icon.
    delegate_.statusItem().setButtonMovedHandler([&delegate = delegate_] { OnboardingGuide(delegate).placeOnboardingGuide(); });
    popover->show();
}

void OnboardingGuide::placeOnboardingGuide() {
    QWidget* popover = delegate_.onboardingPopover.data();
    if (popover == nullptr) return;
    const auto anchor = delegate_.statusItem().buttonGeometry();
    popover->move(popoverTopLeft(anchor, popover->size(), screenAreaAround(anchor)));
}

QWidget* OnboardingGuide::makeOnboardingGuideView(bool isAccessibilityTrusted) {
    auto* view = new TessarilView;
    view->setBackgroundColor(palette::panelBackground());
    auto* stack = new StackView(StackView::Orientation::vertical);
    stack->setAlignment(StackView::Alignment::leading);
    stack->setSpacing(10);
    stack->setEdgeInsets({18, 18, 16, 18});
    stack->addArrangedSubview(makeLabel("Tessarilはここにあります", 18, FontWeight::bold, palette::white(0.96)));
    stack->addArrangedSubview(makeGuideText(
        "この吹き出しの先にあるメニューバーアイコンから、プリセット切り替え・詳細設定・権限状態を開けます。", 13,
        palette::white(0.78)));
    stack->addArrangedSubview(
        isAccessibilityTrusted
            ? makeGuideText("アクセシビリティは許可済みです。左⌘で英数、右⌘でかなへ切り替えられます。", 13, palette::white(0.78))
            : makeGuideText("許可は一気に進めません。まず場所を確認してから、必要なアクセシビリティだけを次のボタンで開きます。", 13,
                            palette::accentAmber()));
    stack->addArrangedSubview(
        makeGuideText("Tessarilはキーボード入力だけを監視します。マウスイベントは監視しません。", 12, palette::white(0.58)));
    stack->addArrangedSubview(makeOnboardingButtonRow(isAccessibilityTrusted));
    auto* box = new QVBoxLayout(view);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(stack);
    // A typeface with taller lines than the system's may need more than the fixed height: the guide
    // then grows rather than squeeze its text.
    const int height = std::max(isAccessibilityTrusted ? trustedHeight : untrustedHeight, box->totalHeightForWidth(width));
    view->setFixedSize(width, height);
    return view;
}

QWidget* OnboardingGuide::makeOnboardingButtonRow(bool isAccessibilityTrusted) {
    auto* row = new StackView(StackView::Orientation::horizontal);
    row->setAlignment(StackView::Alignment::centerY);
    row->setSpacing(8);
    const auto add = [this, row](const char* title, const char* selector, void (OnboardingGuide::*method)(),
                                 bool isPrimary, int buttonWidth) {
        auto* button = makeSmallButton(title, guideAction(delegate_, selector, method), isPrimary, true);
        button->setFixedWidth(buttonWidth);
        row->addArrangedSubview(button);
    };
    if (!isAccessibilityTrusted) {
        add("許可設定へ", "openAccessibilitySettingsFromOnboarding", &OnboardingGuide::openAccessibilitySettingsFromOnboarding,
            true, 104);
    }
    add("詳細設定", "openSettingsFromOnboarding", &OnboardingGuide::openSettingsFromOnboarding, false, 92);
    add("閉じる", "closeOnboardingGuide", &OnboardingGuide::closeOnboardingGuide, false, 78);
    return row;
}

void OnboardingGuide::openAccessibilitySettingsFromOnboarding() {
    closeOnboardingGuide();
    delegate_.openAccessibilitySettings();
    delegate_.scheduleAccessibilityRetry();
}

void OnboardingGuide::openSettingsFromOnboarding() {
    closeOnboardingGuide();
    delegate_.openSettingsWindow();
}

void OnboardingGuide::closeOnboardingGuide() {
    if (QWidget* popover = delegate_.onboardingPopover.data()) {
        popover->hide();
        popover->deleteLater();
    }
    delegate_.onboardingPopover = nullptr;
}

QPoint OnboardingGuide::popoverTopLeft(const std::optional<QRect>& anchor, QSize size, const QRect& screenArea) {
    QPoint origin;
    if (anchor && !anchor->isEmpty()) {
        origin = {anchor->center().x() - size.width() / 2, anchor->bottom() + 1};
        // A panel at the bottom of the screen: the popover hangs above the icon instead.
        if (origin.y() + size.height() > screenArea.bottom() + 1) origin.setY(anchor->top() - size.height());
    } else {
        origin = {screenArea.right() + 1 - size.width(), screenArea.top()};
    }
    const int right = std::max(screenArea.left(), screenArea.right() + 1 - size.width());
    const int bottom = std::max(screenArea.top(), screenArea.bottom() + 1 - size.height());
    return {std::clamp(origin.x(), screenArea.left(), right), std::clamp(origin.y(), screenArea.top(), bottom)};
}

void OnboardingGuide::applyDefaultLoginItemRegistrationIfNeeded() {
    if (delegate_.services().processInfo.environmentValue(skipLoginItemDefaultVariable) == "1") return;
    auto& items = delegate_.services().loginItems;
    if (!items.isInstalled()) return;
    if (delegate_.services().pipeline.defaults.boolean(delegate_.loginItemDefaultAppliedDefaultsKey)) return;
    const LoginItemStatus status = items.status();
    if (status != LoginItemStatus::notRegistered && status != LoginItemStatus::notFound) {
        setFlag("login item", delegate_.loginItemDefaultAppliedDefaultsKey);
        return;
    }
    try {
        items.registerItem();
    } catch (const Error&) {
        // Tried again at the next launch: the flag stays unset.
        delegate_.lastStatus = registrationFailedStatus;
        delegate_.updateStatusItem();
        return;
    }
    setFlag("login item", delegate_.loginItemDefaultAppliedDefaultsKey);
}

bool OnboardingGuide::setFlag(const char* purpose, const std::string& key) {
    try {
        delegate_.services().pipeline.defaults.setBool(key, true);
        return true;
    } catch (const platform::UserDefaultsWriteError& error) {
        platform::ProcessLog(delegate_.services().pipeline.logSink)
            .write(std::string("Tessaril could not record its ") + purpose + " flag: " + error.description());
        return false;
    }
}

} // namespace tessaril
