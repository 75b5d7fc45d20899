// The Qt application as the delegate's application object.
#include <gtest/gtest.h>

#include <QWidget>

#include "TessarilApp/Shell/WidgetApplication.hpp"

using namespace tessaril;

namespace {

// Ends the application from inside its launch, as the status menu's quit does.
struct QuittingDelegate final : ApplicationDelegate {
    explicit QuittingDelegate(WidgetApplication& owner) : application(owner) {}
    void applicationDidFinishLaunching() override {
        launched = true;
        application.terminate();
    }
    bool applicationShouldHandleReopen(bool hasVisibleWindows) override {
        reopenedWithVisibleWindows.push_back(hasVisibleWindows);
        return true;
    }
    TerminateReply applicationShouldTerminate() override {
        asked = true;
        return TerminateReply::terminateNow;
    }
    WidgetApplication& application;
    bool launched = false;
    bool asked = false;
    std::vector<bool> reopenedWithVisibleWindows;
};

} // namespace

TEST(WidgetApplication, TheLoopTellsTheDelegateItLaunchedAndEndsWhenTheDelegateAgreesToTerminate) {
    WidgetApplication application(*qApp);
    QuittingDelegate delegate(application);
    application.setDelegate(&delegate);
    application.setActivationPolicy(ActivationPolicy::accessory);
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
    EXPECT_EQ(application.run(), 0);
    EXPECT_TRUE(delegate.launched);
    EXPECT_TRUE(delegate.asked);

    application.reopen();
    QWidget window;
    window.show();
    application.reopen();
    EXPECT_EQ(delegate.reopenedWithVisibleWindows, (std::vector<bool>{false, true}));
    application.setActivationPolicy(ActivationPolicy::regular);
}
