// The delegate's text actions on the application's clipboard, with the keystrokes posted through the
// keyboard pipeline into the event system and the frontmost application answering ⌘C.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>

#include "Platform/Accessibility/SimulatedAccessibilityTrust.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/HID/VirtualHIDDeviceService.hpp"
#include "Platform/Logging/RecordingLogSink.hpp"
#include "Platform/Quartz/EventField.hpp"
#include "Platform/RunLoop/SystemThreadLauncher.hpp"
#include "Platform/Workspace/RecordingWorkspace.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilApp/Shell/SystemPasteboard.hpp"

using namespace tessaril;

namespace {

struct QuietApplication final : Application {
    void setDelegate(ApplicationDelegate*) override {}
    void setActivationPolicy(ActivationPolicy) override {}
    void setMainMenu(Menu) override {}
    void activate(bool) override {}
    bool hasVisibleWindows() const override { return false; }
    void terminate() override {}
    void exit(int) override {}
};

struct QuietStatusItem final : StatusItem {
    void setVisible(bool) override {}
    bool hasButton() const override { return true; }
    void setImage(std::optional<QImage>, bool, int) override {}
    void setTitle(const std::string&) override {}
    void setToolTip(const std::string&) override {}
    void setMenu(Menu, MenuHandler) override {}
};

void otherProgramCopies(const QString& html, const QString& text) {
    auto* data = new QMimeData;
    data->setHtml(html);
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}

struct DelegateRig {
    DelegateRig() {
        otherProgramCopies("<b>old</b>", "old");
        // The frontmost application copies its selection at each ⌘C.
        events.setDeliveryObserver([this](const platform::Event& event) {
            const bool commandC = event.type() == platform::EventType::keyDown &&
                                  event.integerValueField(platform::EventField::keyboardEventKeycode) == 8;
            if (commandC && selection) otherProgramCopies("<i>" + *selection + "</i>", *selection);
        });
    }
    ~DelegateRig() { events.setDeliveryObserver(nullptr); }

    std::vector<std::int64_t> postedKeyDowns() const {
        std::vector<std::int64_t> codes;
        for (const auto& event : events.postedEvents()) {
            if (event.type() == platform::EventType::keyDown) codes.push_back(event.integerValueField(platform::EventField::keyboardEventKeycode));
        }
        return codes;
    }
    const QMimeData& clipboard() const { return *QGuiApplication::clipboard()->mimeData(); }

    std::optional<QString> selection;
    platform::VirtualUptimeClock clock;
    platform::VirtualScheduler scheduler{clock};
    std::shared_ptr<platform::Executor> lane = scheduler.makeSerialExecutor("lane");
    platform::EventSystem events{clock};
    std::shared_ptr<platform::VirtualHIDDeviceService> hid = std::make_shared<platform::VirtualHIDDeviceService>(scheduler);
    platform::InputSourceService inputSources{scheduler};
    platform::UserDefaults defaults;
    platform::SimulatedAccessibilityTrust accessibility;
    platform::SystemThreadLauncher threads;
    QuietApplication application;
    platform::RecordingWorkspace workspace;
    platform::DistributedNotificationCenter notifications;
    AppDelegate delegate{AppDelegateServices{
        {},
        {},
        {},
        std::nullopt,
        application,
        workspace,
        notifications,
        KeyboardPipeline::Services{events, *hid, inputSources, defaults, scheduler, *lane, *lane, clock, accessibility,
                                   threads, std::make_shared<platform::RecordingLogSink>()},
        [this](const std::string&) -> platform::UserDefaults& { return defaults; },
        std::make_shared<SystemPasteboard>(*QGuiApplication::clipboard()),
        [] { return std::make_unique<QuietStatusItem>(); }}};
};

constexpr std::int64_t keyC = 8;
constexpr std::int64_t keyV = 9;

TEST(AppDelegateTextActions, PlainPasteWorksOnTheClipboard) {
    DelegateRig rig;
    rig.delegate.performPlainPaste();
    EXPECT_EQ(rig.postedKeyDowns(), (std::vector<std::int64_t>{keyV}));
    EXPECT_FALSE(rig.clipboard().hasHtml());
    EXPECT_EQ(rig.clipboard().text(), "old");
    rig.scheduler.advanceBy(220);
    EXPECT_EQ(rig.clipboard().html(), "<b>old</b>");

    rig.events.setRemainingEventCreations(0);
    rig.delegate.performPlainPaste();
    EXPECT_EQ(rig.delegate.lastStatus, "入力送信エラー: MacKeyboardActionDispatcherError");
    EXPECT_EQ(rig.clipboard().html(), "<b>old</b>");
}

TEST(AppDelegateTextActions, ACountShowsThePanelCopiesTheResultAndGoesAtTheNextKey) {
    DelegateRig rig;
    rig.delegate.settings.textTools.copiesCharacterCountResult = true;
    rig.selection = "ab";
    rig.delegate.performCharacterCountCheck();
    rig.scheduler.advanceBy(140);
    EXPECT_EQ(rig.postedKeyDowns(), (std::vector<std::int64_t>{keyC}));
    EXPECT_EQ(rig.clipboard().text(), "文字数\t2\n空白除く\t2\n行数\t1\n半角換算\t2");
    ASSERT_TRUE(rig.delegate.characterCountHUDPanel);
    EXPECT_EQ(rig.delegate.characterCountHUDPanel->size(), QSize(292, 154));
    EXPECT_TRUE(rig.delegate.characterCountHUDGlobalMonitor && rig.delegate.characterCountHUDLocalMonitor);

    QWidget elsewhere;
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(&elsewhere, &key);
    EXPECT_FALSE(rig.delegate.characterCountHUDPanel);
    EXPECT_FALSE(rig.delegate.characterCountHUDGlobalMonitor || rig.delegate.characterCountHUDLocalMonitor);
}

} // namespace
