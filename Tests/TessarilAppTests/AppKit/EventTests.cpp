#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWindow>

#include "TessarilApp/AppKit/EventMonitors.hpp"
#include "TessarilApp/AppKit/KeyEventTranslation.hpp"

namespace tessaril::appkit {
namespace {

TEST(EventTests, AMonitorThatSwallowsStopsTheRestAndOneRemovedMidDispatchDoesNotRun) {
    EventMonitors monitors;
    std::vector<std::string> seen;
    EventMonitors::Token second = 0;
    monitors.addLocalMonitor(Event::leftMouseDownMask | Event::keyDownMask, [&](const Event& event) {
        seen.push_back("first");
        monitors.removeMonitor(second);
        return std::optional<Event>(event);
    });
    second = monitors.addLocalMonitor(Event::leftMouseDownMask, [&](const Event& event) {
        seen.push_back("second");
        return std::optional<Event>(event);
    });
    monitors.addLocalMonitor(Event::keyDownMask, [&](const Event&) {
        seen.push_back("swallower");
        return std::optional<Event>();
    });
    monitors.addLocalMonitor(Event::keyDownMask, [&](const Event& event) {
        seen.push_back("after");
        return std::optional<Event>(event);
    });

    EXPECT_TRUE(monitors.dispatch(Event::mouseDown()).has_value());
    EXPECT_FALSE(monitors.dispatch(Event::keyDown(12, Event::commandFlag, "q")).has_value());
    EXPECT_EQ(seen, (std::vector<std::string>{"first", "first", "swallower"}));
    EXPECT_EQ(monitors.monitorCount(), 3u);
}

TEST(EventTests, ARealKeyPressReachesTheMonitorsOnceAndASwallowedOneNeverReachesTheField) {
    EventMonitors monitors;
    monitors.installOnApplication();
    int calls = 0;
    monitors.addLocalMonitor(Event::keyDownMask, [&](const Event&) {
        ++calls;
        return std::optional<Event>();
    });
    QLineEdit field;
    field.setAttribute(Qt::WA_DontShowOnScreen);
    field.show();
    field.setFocus();
    ASSERT_NE(field.windowHandle(), nullptr);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(field.windowHandle(), &press);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(field.text().isEmpty());
}

TEST(EventTests, KeyPressesBecomeVirtualKeyCodesFlagsAndUnmodifiedCharacters) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        Event::Type type;
        std::uint16_t keyCode;
        std::uint64_t flags;
        std::optional<std::string> characters;
    };
    const std::vector<Case> cases{
        {Qt::Key_Q, Qt::ControlModifier, "\x11", Event::Type::keyDown, 12, Event::commandFlag, "q"},
        {Qt::Key_Exclam, Qt::ShiftModifier | Qt::ControlModifier, "!", Event::Type::keyDown, 18,
         Event::shiftFlag | Event::commandFlag, "1"},
        {Qt::Key_Period, Qt::KeypadModifier | Qt::AltModifier, ".", Event::Type::keyDown, 65, Event::optionFlag, "."},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", Event::Type::keyDown, 53, 0, "\x1b"},
        {Qt::Key_Space, Qt::MetaModifier, " ", Event::Type::keyDown, 49, Event::controlFlag, " "},
        {Qt::Key_Shift, Qt::ShiftModifier, "", Event::Type::flagsChanged, 0, Event::shiftFlag, std::nullopt},
    };
    for (const auto& entry : cases) {
        const QKeyEvent event(QEvent::KeyPress, entry.key, entry.modifiers, QString::fromUtf8(entry.text));
        const auto translated = translateKeyEvent(event);
        ASSERT_TRUE(translated.has_value()) << entry.key;
        EXPECT_EQ(translated->type, entry.type) << entry.key;
        EXPECT_EQ(translated->keyCode, entry.keyCode) << entry.key;
        EXPECT_EQ(translated->modifierFlags, entry.flags) << entry.key;
        EXPECT_EQ(translated->charactersIgnoringModifiers, entry.characters) << entry.key;
    }
}

} // namespace
} // namespace tessaril::appkit
