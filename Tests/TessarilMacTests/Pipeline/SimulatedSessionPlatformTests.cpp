// The simulated session on its own: how it connects the stand-ins, with a real event tap thread but
// without the application's pipeline.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Platform/HID/VirtualHIDDeviceDelegate.hpp"
#include "Platform/Quartz/EventField.hpp"
#include "Platform/Session/SimulatedSession.hpp"
#include "TessarilMac/EventTap/EventTapInputBackend.hpp"
#include "TestSupport/ThrownError.hpp"

using namespace tessaril;
using platform::SessionObservation;
using Selector = SessionObservation::Selector;

namespace {

class SilentDelegate final : public platform::VirtualHIDDeviceDelegate {
public:
    void handleSetReport(platform::HIDReportType, std::uint8_t, std::span<const std::uint8_t>) override {}
    std::vector<std::uint8_t> handleGetReport(platform::HIDReportType, std::uint8_t, int) override { return {}; }
};

const std::string abc = "com.apple.keylayout.ABC";
const std::string hiragana = "com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese";
const std::string katakana = "com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.Katakana";

struct SimulatedSessionPlatform : ::testing::Test {
    explicit SimulatedSessionPlatform(platform::SessionConfiguration configuration = {}) : session(configuration) {
        session.setObserver([this](const SessionObservation& observation) { seen.push_back(observation); });
    }

    // A keyboard device of the session's HID service, active.
    std::shared_ptr<platform::VirtualHIDDevice> activeKeyboard() {
        auto device = session.hidDevices()->createDevice(platform::VirtualHIDDeviceProperties{});
        device->activate(std::make_shared<SilentDelegate>(), [] {});
        session.runReadyWork();
        return device;
    }

    void sendReport(platform::VirtualHIDDevice& device, std::vector<std::uint8_t> bytes) {
        device.dispatchInputReport(std::move(bytes), session.clock().uptimeNanoseconds(), [](std::exception_ptr) {});
        session.runReadyWork();
    }

    // Starts the application's kind of tap on its own thread; it swallows key code 12 (q).
    void startTap() {
        backend = std::make_unique<EventTapInputBackend>(
            EventTapMode::interceptKeyboardEvents,
            EventTapInputBackend::Services{session.events(), session.accessibility(), session.mainQueue(),
                                           session.clock(), session.threads(), session.logSink()});
        backend->start(
            [](const KeyboardInputEvent& event) {
                return event.keyCode == 12 ? KeyboardInputDecision::suppress : KeyboardInputDecision::passThrough;
            },
            [this] { ++resets; }, [this](EventTapInterruptionReason reason) { interruptions.push_back(reason); });
    }

    static SessionObservation answered(std::uint64_t at, std::uint16_t keyCode, bool suppressed) {
        return {at, SessionObservation::TapAnswered{keyCode, suppressed}};
    }
    static SessionObservation selected(std::uint64_t at, std::string sourceID, Selector by) {
        return {at, SessionObservation::InputSourceSelected{std::move(sourceID), by}};
    }
    static SessionObservation hidReport(std::uint64_t at, std::vector<std::uint8_t> bytes) {
        return {at, SessionObservation::HIDReportSent{std::move(bytes)}};
    }

    platform::SimulatedSession session;
    std::vector<SessionObservation> seen;
    std::unique_ptr<EventTapInputBackend> backend;
    int resets = 0;
    std::vector<EventTapInterruptionReason> interruptions;
};

TEST_F(SimulatedSessionPlatform, StartsWithTheFixtureSourcesAndHiraganaCurrent) {
    auto listed = session.inputSources().createInputSourceList(std::nullopt);
    ASSERT_TRUE(listed.has_value());
    std::vector<std::string> names;
    for (auto source : *listed) names.push_back(*session.inputSources().properties(source)->localizedName);
    EXPECT_EQ(names, (std::vector<std::string>{"ABC", "ひらがな", "カタカナ", "半角カタカナ", "全角英字", "英字"}));
    EXPECT_EQ(session.currentInputSourceID(), hiragana);
    EXPECT_TRUE(seen.empty());
}

TEST_F(SimulatedSessionPlatform, WithoutATapEveryHardwareEventPassesAndIsAnswered) {
    session.advanceTo(250);
    EXPECT_FALSE(session.flagsChanged({55, platform::event_flags::maskCommand}));
    EXPECT_FALSE(session.keyDown({12, platform::event_flags::maskCommand}));
    EXPECT_EQ(seen, (std::vector<SessionObservation>{answered(250, 55, false), answered(250, 12, false)}));
    ASSERT_EQ(session.events().deliveredEvents().size(), 2u);
    const auto delivered = session.events().deliveredEvents()[1];
    EXPECT_EQ(delivered.timestamp(), 250'000'000u);
    EXPECT_EQ(delivered.integerValueField(platform::EventField::keyboardEventKeyboardType), 40);
}

TEST_F(SimulatedSessionPlatform, KeyStrokeFieldsReachTheEvent) {
    session.keyDown({0, platform::event_flags::maskShift, 45, true});
    const auto delivered = session.events().deliveredEvents().at(0);
    EXPECT_EQ(delivered.type(), platform::EventType::keyDown);
    EXPECT_EQ(delivered.flags(), platform::event_flags::maskShift);
    EXPECT_EQ(delivered.integerValueField(platform::EventField::keyboardEventKeyboardType), 45);
    EXPECT_EQ(delivered.integerValueField(platform::EventField::keyboardEventAutorepeat), 1);
}

TEST_F(SimulatedSessionPlatform, VirtualKeyboardReportsBecomeLangKeysThatTheInputMethodFollows) {
    auto keyboard = activeKeyboard();
    session.advanceTo(100);
    sendReport(*keyboard, {0, 0, 0x91, 0, 0, 0, 0, 0});
    session.advanceTo(120);
    sendReport(*keyboard, {0, 0, 0, 0, 0, 0, 0, 0});
    sendReport(*keyboard, {0, 0, 0x90, 0, 0, 0, 0, 0});
    // かな again while ひらがな is already current changes nothing and is not reported.
    sendReport(*keyboard, {0, 0, 0, 0, 0, 0, 0, 0});
    sendReport(*keyboard, {0, 0, 0x90, 0, 0, 0, 0, 0});
    EXPECT_EQ(seen, (std::vector<SessionObservation>{
                        hidReport(100, {0, 0, 0x91, 0, 0, 0, 0, 0}),
                        answered(100, 102, false),
                        selected(100, abc, Selector::inputMethod),
                        hidReport(120, {0, 0, 0, 0, 0, 0, 0, 0}),
                        answered(120, 102, false),
                        hidReport(120, {0, 0, 0x90, 0, 0, 0, 0, 0}),
                        answered(120, 104, false),
                        selected(120, hiragana, Selector::inputMethod),
                        hidReport(120, {0, 0, 0, 0, 0, 0, 0, 0}),
                        answered(120, 104, false),
                        hidReport(120, {0, 0, 0x90, 0, 0, 0, 0, 0}),
                        answered(120, 104, false),
                    }));
    EXPECT_EQ(session.currentInputSourceID(), hiragana);
}

TEST_F(SimulatedSessionPlatform, UsagesOtherThanTheLangKeysAreReportedButTypeNothing) {
    auto keyboard = activeKeyboard();
    sendReport(*keyboard, {0, 0, 0x04, 0, 0, 0, 0, 0});
    EXPECT_EQ(seen, (std::vector<SessionObservation>{hidReport(0, {0, 0, 0x04, 0, 0, 0, 0, 0})}));
    EXPECT_TRUE(session.events().deliveredEvents().empty());
}

TEST_F(SimulatedSessionPlatform, EverySelectionThroughTheServiceIsReportedOnlyWhenAccepted) {
    auto sources = *session.inputSources().createInputSourceList(std::nullopt);
    session.advanceTo(40);
    session.inputSources().selectInputSource(sources[1]);  // already current: still a selection
    session.inputSources().selectInputSource(sources[2]);
    session.inputSources().setSelectionStatus(sources[0], -25);
    session.inputSources().selectInputSource(sources[0]);  // refused: nothing selected
    EXPECT_EQ(seen, (std::vector<SessionObservation>{selected(40, hiragana, Selector::dispatcher),
                                                     selected(40, katakana, Selector::dispatcher)}));
}

TEST_F(SimulatedSessionPlatform, TheUserPickingASourceIsNoObservation) {
    EXPECT_TRUE(session.selectInputSource(katakana));
    EXPECT_FALSE(session.selectInputSource("com.example.missing"));
    session.runReadyWork();
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(session.currentInputSourceID(), katakana);
}

TEST_F(SimulatedSessionPlatform, TheTapOnItsThreadAnswersEachEventBeforeTheNextOne) {
    startTap();
    session.advanceTo(10);
    EXPECT_TRUE(session.keyDown({12}));
    EXPECT_FALSE(session.keyUp({13}));
    EXPECT_TRUE(session.keyUp({12}));
    EXPECT_EQ(seen, (std::vector<SessionObservation>{answered(10, 12, true), answered(10, 13, false),
                                                     answered(10, 12, true)}));
    EXPECT_EQ(session.events().swallowedEvents().size(), 2u);
}

TEST_F(SimulatedSessionPlatform, PostedEventsAreReportedAtTheirTimeBeforeLaterObservations) {
    startTap();
    session.advanceTo(30);
    auto event = session.events().createKeyboardEvent(nullptr, 0, true);
    session.events().post(platform::EventTapLocation::hidEventTap, *event);
    session.advanceTo(45);
    session.keyDown({1});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (SessionObservation{30, SessionObservation::EventPosted{*event}}));
    EXPECT_EQ(seen[1], answered(45, 1, false));
}

TEST_F(SimulatedSessionPlatform, DisablingTheTapReachesItsThreadAndItComesBack) {
    startTap();
    session.disableTaps(platform::EventType::tapDisabledByTimeout);
    session.runReadyWork();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(interruptions, std::vector<EventTapInterruptionReason>{EventTapInterruptionReason::tapReenabledAfterInterruption});
    EXPECT_TRUE(session.keyDown({12}));

    session.setAccessibilityTrusted(false);
    session.disableTaps(platform::EventType::tapDisabledByUserInput);
    session.runReadyWork();
    EXPECT_EQ(interruptions.back(), EventTapInterruptionReason::accessibilityRevoked);
    // The disabled tap no longer sees events.
    EXPECT_FALSE(session.keyDown({12}));
}

TEST_F(SimulatedSessionPlatform, PointerButtonsCountFromTheVirtualClock) {
    session.advanceTo(1000);
    session.pointerButtonDown(platform::PointerButton::right);
    session.advanceTo(1250);
    EXPECT_DOUBLE_EQ(session.events().secondsSinceLastEventType(platform::EventSourceStateID::combinedSessionState,
                                                                platform::EventType::rightMouseDown),
                     0.25);
}

TEST(SimulatedSessionConfiguration, SourcesThatAreNotInstalledAreRefused) {
    struct Case {
        const char* name;
        platform::SessionConfiguration configuration;
    };
    platform::SessionConfiguration unknownCurrent;
    unknownCurrent.currentInputSource = "com.example.none";
    platform::SessionConfiguration unknownKana;
    unknownKana.langKeyTargets.kana = "com.example.none";
    platform::SessionConfiguration unknownEisu;
    unknownEisu.langKeyTargets.eisu = "com.example.none";
    for (const auto& testCase :
         {Case{"current", unknownCurrent}, Case{"kana", unknownKana}, Case{"eisu", unknownEisu}}) {
        EXPECT_EQ(test_support::thrownError([&] { platform::SimulatedSession{testCase.configuration}; }),
                  "InputSourceNotInstalledError: no input source \"com.example.none\" is installed")
            << testCase.name;
    }
}

TEST(SimulatedSessionConfiguration, TheInputMethodUsesItsOwnTargets) {
    platform::SessionConfiguration configuration;
    configuration.currentInputSource = abc;
    configuration.langKeyTargets = {katakana, "com.apple.inputmethod.Kotoeri.RomajiTyping.Roman"};
    platform::SimulatedSession session(configuration);
    session.keyDown({104});
    EXPECT_EQ(session.currentInputSourceID(), katakana);
    session.keyDown({102});
    EXPECT_EQ(session.currentInputSourceID(), "com.apple.inputmethod.Kotoeri.RomajiTyping.Roman");
    // A key-up of the key selects nothing.
    session.keyUp({104});
    EXPECT_EQ(session.currentInputSourceID(), "com.apple.inputmethod.Kotoeri.RomajiTyping.Roman");
}

} // namespace
