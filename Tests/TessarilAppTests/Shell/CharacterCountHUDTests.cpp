#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

#include "TessarilApp/Shell/CharacterCountHUD.hpp"

using namespace tessaril;
using Desktop = ScreenCoordinates::QtDesktop;

namespace {

// A 1440 × 900 main screen under a 25-point menu bar, and a second screen to its right, 200 higher.
const ScreenCoordinates::QtScreen mainScreen{QRect(0, 0, 1440, 900), QRect(0, 25, 1440, 875)};
const ScreenCoordinates::QtScreen rightScreen{QRect(1440, -200, 1920, 1080), QRect(1440, -200, 1920, 1080)};

TEST(CharacterCountHUD, PlacesThePanelInQtCoordinates) {
    const ScreenSize tall{292, 154};
    const ScreenSize shortPanel{292, 76};
    struct Case {
        const char* name;
        Desktop desktop;
        ScreenSize size;
        CharacterCountHUDPosition position;
        QPoint expected;
    } cases[] = {
        {"below and right of the pointer", {{mainScreen}, {100, 100}}, tall, CharacterCountHUDPosition::pointer, {118, 118}},
        {"above the pointer near the bottom", {{mainScreen}, {100, 880}}, tall, CharacterCountHUDPosition::pointer, {118, 708}},
        {"inside the right edge", {{mainScreen}, {1430, 300}}, tall, CharacterCountHUDPosition::pointer, {1140, 318}},
        {"on the pointer's screen", {{mainScreen, rightScreen}, {1500, -100}}, tall, CharacterCountHUDPosition::pointer, {1518, -82}},
        {"fixed under the menu bar", {{mainScreen, rightScreen}, {1500, -100}}, tall, CharacterCountHUDPosition::fixed, {574, 97}},
        {"fixed, short panel", {{mainScreen}, {0, 0}}, shortPanel, CharacterCountHUDPosition::fixed, {574, 97}},
        {"no screen", {{}, {0, 0}}, tall, CharacterCountHUDPosition::pointer, {18, 18}},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(CharacterCountHUD::placement(test.desktop, test.size, test.position), test.expected) << test.name;
    }
}

QStringList labelTexts(const QWidget& panel) {
    QStringList texts;
    for (const QLabel* label : panel.findChildren<QLabel*>()) texts << label->text();
    return texts;
}

// The delegate's fields, and a global monitor whose handler a test calls as another application's key.
struct HUDRig {
    QPointer<QWidget> panel;
    CharacterCountHUD::EventMonitorToken globalMonitor;
    CharacterCountHUD::EventMonitorToken localMonitor;
    std::function<void()> keyDownElsewhere;
    CharacterCountHUD hud{{panel, globalMonitor, localMonitor},
                          [this](std::function<void()> handler) {
                              keyDownElsewhere = std::move(handler);
                              return CharacterCountHUD::monitorToken([this] { keyDownElsewhere = nullptr; });
                          },
                          [] { return Desktop{{mainScreen}, {100, 100}}; }};

    bool showing() const { return panel && globalMonitor && localMonitor && keyDownElsewhere; }
    bool hidden() const { return !panel && !globalMonitor && !localMonitor && !keyDownElsewhere; }
};

TEST(CharacterCountHUD, ANewCountReplacesThePanelAndAKeyOrMousePressTakesItAway) {
    HUDRig rig;
    rig.hud.showCharacterCountHUD(std::nullopt, CharacterCountHUDPosition::pointer);
    QPointer<QWidget> first = rig.panel;
    ASSERT_TRUE(rig.showing());
    EXPECT_EQ(first->size(), QSize(292, 76));
    EXPECT_EQ(labelTexts(*first), (QStringList{"文字数チェック", "選択なし"}));

    rig.hud.showCharacterCountHUD(std::string("a\nb\n"), CharacterCountHUDPosition::pointer);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    ASSERT_TRUE(rig.showing());
    EXPECT_TRUE(rig.panel->isVisible());
    EXPECT_EQ(rig.panel->geometry(), QRect(118, 118, 292, 154));
    EXPECT_EQ(labelTexts(*rig.panel), (QStringList{"文字数チェック", "文字数", "4", "空白除く", "2", "行数", "3", "半角換算", "4"}));

    QWidget elsewhere;
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(&elsewhere, &key);
    EXPECT_TRUE(rig.hidden());

    rig.hud.showCharacterCountHUD(std::nullopt, CharacterCountHUDPosition::fixed);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&elsewhere, &press);
    EXPECT_TRUE(rig.hidden());
    QApplication::sendEvent(&elsewhere, &press);  // a released monitor sees nothing more

    rig.hud.showCharacterCountHUD(std::nullopt, CharacterCountHUDPosition::fixed);
    rig.keyDownElsewhere();
    EXPECT_TRUE(rig.hidden());
}

} // namespace
