#include <gtest/gtest.h>

#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Quartz/EventSystem.hpp"
#include "TessarilMac/Pipeline/MacKeyboardActionDispatcher.hpp"
#include "TessarilMac/EventTap/TessarilSyntheticEvent.hpp"

using namespace tessaril;
using platform::Event;
using platform::EventField;
using platform::EventType;

namespace {

struct Press {
    EventType type;
    std::int64_t keyCode;
    platform::EventFlags flags;
    std::u16string text;
    friend bool operator==(const Press&, const Press&) = default;
};

// The posted presses; every posted event must carry the marker.
std::vector<Press> pressesPosted(const platform::EventSystem& events) {
    std::vector<Press> result;
    for (const Event& event : events.postedEvents()) {
        EXPECT_TRUE(TessarilSyntheticEvent::isMarked(event));
        result.push_back({event.type(), event.integerValueField(EventField::keyboardEventKeycode), event.flags(),
                          event.keyboardUnicodeString()});
    }
    return result;
}

struct DispatcherFixture : ::testing::Test {
    std::vector<Press> posted() const { return pressesPosted(events); }

    platform::VirtualUptimeClock clock{7'000'000};
    platform::EventSystem events{clock};
    MacKeyboardActionDispatcher dispatcher{events};
};

std::vector<Press> pair(std::int64_t keyCode, platform::EventFlags flags, std::u16string text = {}) {
    return {{EventType::keyDown, keyCode, flags, text}, {EventType::keyUp, keyCode, flags, text}};
}

std::vector<Press> operator+(std::vector<Press> left, const std::vector<Press>& right) {
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

TEST_F(DispatcherFixture, InsertTextPostsOneMarkedPairCarryingTheWholeTextAsUTF16) {
    struct Case {
        std::string text;
        std::u16string units;
    };
    const Case cases[] = {
        {"x", u"x"},
        {"「定型文」", u"「定型文」"},
        {"a😀b", u"a\xD83D\xDE00" u"b"},  // length counted in code units: 4
        {"a\xFF" "b\xE3\x81", u"a\xFFFD" u"b\xFFFD"},
    };
    for (const auto& testCase : cases) {
        platform::EventSystem fresh(clock);
        MacKeyboardActionDispatcher local(fresh);
        local.insertText(testCase.text);
        auto postedEvents = fresh.postedEvents();
        ASSERT_EQ(postedEvents.size(), 2u) << testCase.text;
        for (const Event& event : postedEvents) {
            EXPECT_EQ(event.keyboardUnicodeString(), testCase.units) << testCase.text;
            EXPECT_EQ(event.integerValueField(EventField::keyboardEventKeycode), 0);
            EXPECT_EQ(event.flags(), 0u);
            EXPECT_EQ(event.integerValueField(EventField::eventSourceUserData), 0x544553534152494C);
        }
        EXPECT_EQ(postedEvents[0].type(), EventType::keyDown);
        EXPECT_EQ(postedEvents[1].type(), EventType::keyUp);
    }
}

TEST_F(DispatcherFixture, OperationsPostTheirPressesInOrder) {
    using Modifier = Shortcut::Modifier;
    struct Case {
        const char* name;
        std::function<void(MacKeyboardActionDispatcher&)> run;
        std::vector<Press> presses;
        std::size_t sources;
    };
    const Case cases[] = {
        {"text then one left arrow", [](auto& d) { d.insertTextAndMoveCursorLeft("「」", 1); },
         pair(0, 0, u"「」") + pair(123, 0), 2},
        {"text without cursor move", [](auto& d) { d.insertTextAndMoveCursorLeft("()", 0); }, pair(0, 0, u"()"), 1},
        {"two left arrows", [](auto& d) { d.moveCursorLeft(2); }, pair(123, 0) + pair(123, 0), 1},
        {"no move", [](auto& d) { d.moveCursorLeft(0); }, {}, 0},
        {"negative move", [](auto& d) { d.moveCursorLeft(-3); }, {}, 0},
        {"command shift Z", [](auto& d) { d.pressShortcut({{Modifier::command, Modifier::shift}, Shortcut::Key::character("Z")}); },
         pair(6, 0x120000), 1},
        {"option control double quote", [](auto& d) { d.pressShortcut({{Modifier::option, Modifier::control}, Shortcut::Key::character("\"")}); },
         pair(39, 0xC0000), 1},
        {"keypad period", [](auto& d) { d.pressShortcut({{}, Shortcut::Key::keypadPeriod()}); }, pair(65, 0), 1},
        {"command escape", [](auto& d) { d.pressShortcut({{Modifier::command}, Shortcut::Key::escape()}); },
         pair(53, 0x100000), 1},
        {"command C", [](auto& d) { d.pressCommandC(); }, pair(8, 0x100000), 1},
        {"command V", [](auto& d) { d.pressCommandV(); }, pair(9, 0x100000), 1},
    };
    for (const auto& testCase : cases) {
        platform::EventSystem fresh(clock);
        MacKeyboardActionDispatcher local(fresh);
        testCase.run(local);
        EXPECT_EQ(pressesPosted(fresh), testCase.presses) << testCase.name;
        EXPECT_EQ(fresh.createdEventSourceCount(), testCase.sources) << testCase.name;
    }
}

TEST_F(DispatcherFixture, FailuresAreThrownAndPostNothingOfTheFailedPress) {
    using Case = MacKeyboardActionDispatcherError::Case;
    // The status text shows the type's name; the description names the case for the logs.
    auto expectFailure = [](auto&& run, Case expected, const std::string& description) {
        try {
            run();
            ADD_FAILURE() << "no error";
        } catch (const MacKeyboardActionDispatcherError& error) {
            EXPECT_EQ(error.errorCase(), expected);
            EXPECT_EQ(error.description(), description);
            EXPECT_EQ(error.typeName(), "MacKeyboardActionDispatcherError");
        }
    };
    expectFailure([&] { dispatcher.insertText(""); }, Case::emptyText, "emptyText");
    expectFailure([&] { dispatcher.insertTextAndMoveCursorLeft("", 2); }, Case::emptyText, "emptyText");
    expectFailure([&] { dispatcher.pressShortcut({{Shortcut::Modifier::command}, Shortcut::Key::character("1")}); },
                  Case::eventCreationFailed, "eventCreationFailed");
    expectFailure([&] { dispatcher.pressShortcut({{Shortcut::Modifier::command}, Shortcut::Key::character("'")}); },
                  Case::eventCreationFailed, "eventCreationFailed");
    EXPECT_TRUE(posted().empty());
    EXPECT_EQ(events.createdEventSourceCount(), 0u);

    events.setRemainingEventCreations(1);  // the key-up of the press cannot be made
    expectFailure([&] { dispatcher.insertText("x"); }, Case::eventCreationFailed, "eventCreationFailed");
    EXPECT_TRUE(posted().empty());

    events.setRemainingEventCreations(5);  // text pair, one arrow pair, then the second arrow's key-up fails
    expectFailure([&] { dispatcher.insertTextAndMoveCursorLeft("x", 3); }, Case::eventCreationFailed,
                  "eventCreationFailed");
    EXPECT_EQ(posted(), pair(0, 0, u"x") + pair(123, 0));
}

TEST_F(DispatcherFixture, AMissingEventSourceStillPosts) {
    events.setEventSourceCreationFails(true);
    dispatcher.pressCommandC();
    EXPECT_EQ(posted(), pair(8, 0x100000));
}

TEST(TessarilSyntheticEvent, MarksOnlyWithTheExactValue) {
    Event event = Event::keyboard(EventType::keyDown, 0);
    EXPECT_FALSE(TessarilSyntheticEvent::isMarked(event));
    event.setIntegerValueField(EventField::eventSourceUserData, 0x544553534152494D);
    EXPECT_FALSE(TessarilSyntheticEvent::isMarked(event));
    TessarilSyntheticEvent::mark(event);
    EXPECT_TRUE(TessarilSyntheticEvent::isMarked(event));
    EXPECT_EQ(event.integerValueField(EventField::eventSourceUserData), 0x544553534152494C);
}

} // namespace
