// The keyboard pipeline end to end inside the simulated login session, driven through the C++ API as
// the replay tool drives it: hardware keys in, tap answers, HID reports, input-source selections,
// posted events, text actions and status lines out.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Platform/Session/SimulatedSession.hpp"
#include "Doubles/SessionShellRecorder.hpp"

using namespace tessaril;
using Lines = std::vector<std::string>;
namespace bits = platform::event_flags;

namespace {

const std::string abc = "com.apple.keylayout.ABC";
const std::string hiragana = "com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese";
const std::string katakana = "com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.Katakana";
const std::string halfWidthKana = "com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.HalfWidthKana";

constexpr std::uint16_t rightCommand = 54;
constexpr std::uint16_t leftCommand = 55;
constexpr std::uint16_t leftShift = 56;
constexpr std::uint16_t keyQ = 12;
constexpr std::uint16_t keypadPeriod = 65;

TessarilSettings settingsWith(const std::function<void(RuleEngineSettings&)>& edit) {
    TessarilSettings settings;
    settings.updateActiveRuleEngineSettings(edit);
    return settings;
}

// One launched application in one session; the transcript is read as the replay prints it.
struct SessionRun {
    explicit SessionRun(TessarilSettings settings = {}, platform::SessionConfiguration configuration = {})
        : session(configuration), shell(session, std::move(settings)) {}

    SessionRun& launch() {
        shell.launch();
        return *this;
    }
    void at(std::uint64_t milliseconds) { session.advanceTo(milliseconds); }
    void commandTap(std::uint16_t keyCode, std::uint64_t down, std::uint64_t up) {
        at(down);
        session.flagsChanged({keyCode, bits::maskCommand});
        session.runReadyWork();
        at(up);
        session.flagsChanged({keyCode, 0});
        session.runReadyWork();
    }
    Lines lines() const { return shell.jsonLines(); }

    platform::SimulatedSession session;
    SessionShellRecorder shell;
};

Lines langKeyTap(std::uint64_t at, const std::string& report, std::uint16_t keyCode,
                 const std::optional<std::string>& selected) {
    auto time = std::to_string(at);
    auto released = std::to_string(at + 20);
    auto code = std::to_string(keyCode);
    Lines lines{R"({"atMs":)" + time + R"(,"hidReport":")" + report + R"("})",
                R"({"atMs":)" + time + R"(,"decision":"pass","keyCode":)" + code + "}"};
    if (selected) {
        lines.push_back(R"({"atMs":)" + time + R"(,"by":"inputMethod","inputSourceSelected":")" + *selected + R"("})");
    }
    lines.push_back(R"({"atMs":)" + released + R"(,"hidReport":"00 00 00 00 00 00 00 00"})");
    lines.push_back(R"({"atMs":)" + released + R"(,"decision":"pass","keyCode":)" + code + "}");
    return lines;
}

Lines commandAnswers(std::uint16_t keyCode, std::uint64_t down, std::uint64_t up) {
    return {R"({"atMs":)" + std::to_string(down) + R"(,"decision":"pass","keyCode":)" + std::to_string(keyCode) + "}",
            R"({"atMs":)" + std::to_string(up) + R"(,"decision":"pass","keyCode":)" + std::to_string(keyCode) + "}"};
}

Lines joined(Lines first, const Lines& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(SimulatedSessionPipeline, LaunchingRecordsNothing) {
    SessionRun run;
    run.launch();
    run.at(5000);
    EXPECT_EQ(run.lines(), Lines{});
    EXPECT_EQ(run.shell.statusText(), std::nullopt);
    EXPECT_TRUE(run.shell.pipeline().inputBackend().isRunning());
}

TEST(SimulatedSessionPipeline, CommandTapsBecomeLangKeyTapsThatTheInputMethodFollows) {
    struct Case {
        const char* name;
        std::string current;
        std::uint16_t keyCode;
        std::uint64_t holdMilliseconds;
        std::function<void(RuleEngineSettings&)> edit;
        Lines expected;
    };
    const auto none = [](RuleEngineSettings&) {};
    const std::vector<Case> cases{
        {"left to eisu", hiragana, leftCommand, 120, none,
         joined(commandAnswers(leftCommand, 1000, 1120), langKeyTap(1120, "00 00 91 00 00 00 00 00", 102, abc))},
        {"right to kana", abc, rightCommand, 90, none,
         joined(commandAnswers(rightCommand, 1000, 1090),
                langKeyTap(1090, "00 00 90 00 00 00 00 00", 104, hiragana))},
        // The key is pressed even when the source already stands; the input method changes nothing then.
        {"kana while kana", hiragana, rightCommand, 90, none,
         joined(commandAnswers(rightCommand, 1000, 1090), langKeyTap(1090, "00 00 90 00 00 00 00 00", 104, std::nullopt))},
        {"held exactly one second", hiragana, leftCommand, 1000, none,
         joined(commandAnswers(leftCommand, 1000, 2000), langKeyTap(2000, "00 00 91 00 00 00 00 00", 102, abc))},
        {"held longer than a second", hiragana, leftCommand, 1001, none, commandAnswers(leftCommand, 1000, 2001)},
        {"left disabled", hiragana, leftCommand, 120,
         [](RuleEngineSettings& settings) { settings.setLeftCommandAction(CommandKeyAction::disabled); },
         commandAnswers(leftCommand, 1000, 1120)},
        {"left swapped to kana", abc, leftCommand, 120,
         [](RuleEngineSettings& settings) { settings.setLeftCommandAction(CommandKeyAction::kana); },
         joined(commandAnswers(leftCommand, 1000, 1120), langKeyTap(1120, "00 00 90 00 00 00 00 00", 104, hiragana))},
    };
    for (const auto& testCase : cases) {
        platform::SessionConfiguration configuration;
        configuration.currentInputSource = testCase.current;
        SessionRun run(settingsWith(testCase.edit), configuration);
        run.launch();
        run.commandTap(testCase.keyCode, 1000, 1000 + testCase.holdMilliseconds);
        run.at(3000);
        EXPECT_EQ(run.lines(), testCase.expected) << testCase.name;
    }
}

TEST(SimulatedSessionPipeline, GuardSwallowsTheFirstCommandQAndLetsTheSecondThrough) {
    TessarilSettings settings;
    settings.globalShortcutGuard = DoublePressGuardSettings(true, 700, DoublePressGuardSettings::defaultShortcuts());
    SessionRun run(settings);
    run.launch();
    run.at(1000);
    run.session.flagsChanged({leftCommand, bits::maskCommand});
    const std::vector<std::pair<std::uint64_t, bool>> presses{{1050, true}, {1400, false}, {2500, true}};
    for (const auto& [time, swallowed] : presses) {
        run.at(time);
        EXPECT_EQ(run.session.keyDown({keyQ, bits::maskCommand}), swallowed) << time;
        EXPECT_FALSE(run.session.keyUp({keyQ, bits::maskCommand})) << time;
    }
    run.at(2600);
    run.session.flagsChanged({leftCommand, 0});
    run.at(3000);
    // Command served as a modifier: its release switches nothing.
    EXPECT_EQ(run.lines(), (Lines{
                               R"({"atMs":1000,"decision":"pass","keyCode":55})",
                               R"({"atMs":1050,"decision":"suppress","keyCode":12})",
                               R"({"atMs":1050,"decision":"pass","keyCode":12})",
                               R"({"atMs":1400,"decision":"pass","keyCode":12})",
                               R"({"atMs":1400,"decision":"pass","keyCode":12})",
                               R"({"atMs":2500,"decision":"suppress","keyCode":12})",
                               R"({"atMs":2500,"decision":"pass","keyCode":12})",
                               R"({"atMs":2600,"decision":"pass","keyCode":55})",
                           }));
}

TEST(SimulatedSessionPipeline, AKeypadHackSwallowsItsKeyAndTypesItsTextAsPostedEvents) {
    TessarilSettings settings;
    settings.keypadShortcutHacks.period.isEnabled = true;
    settings.keypadShortcutHacks.period.outputText = "、";
    SessionRun run(settings);
    run.launch();
    run.at(500);
    run.session.flagsChanged({leftShift, bits::maskShift});
    run.at(520);
    EXPECT_TRUE(run.session.keyDown({keypadPeriod, bits::maskShift}));
    run.session.runReadyWork();
    // A reset before the main queue runs drops the typing.
    EXPECT_TRUE(run.session.keyDown({keypadPeriod, bits::maskShift}));
    run.shell.resetRuntimeState();
    run.session.runReadyWork();
    run.at(600);
    EXPECT_EQ(run.lines(), (Lines{
                               R"({"atMs":500,"decision":"pass","keyCode":56})",
                               R"({"atMs":520,"decision":"suppress","keyCode":65})",
                               R"({"atMs":520,"textAction":{"insertText":"、"}})",
                               R"({"atMs":520,"posted":{"flags":[],"keyCode":0,"text":"、","type":"keyDown"}})",
                               R"({"atMs":520,"posted":{"flags":[],"keyCode":0,"text":"、","type":"keyUp"}})",
                               R"({"atMs":520,"decision":"suppress","keyCode":65})",
                           }));
    // The posted events passed the tap untouched and reached the session.
    EXPECT_EQ(run.session.events().deliveredEvents().size(), 3u);
}

TEST(SimulatedSessionPipeline, StaleWorkNeverFires) {
    struct Case {
        const char* name;
        std::function<void(SessionRun&)> interruption;
    };
    const std::vector<Case> cases{
        {"reset", [](SessionRun& run) { run.shell.resetRuntimeState(); }},
        {"suspension", [](SessionRun& run) { run.shell.setSuspended(true, "shortcut-capture"); }},
        {"suspension ended at once",
         [](SessionRun& run) {
             run.shell.setSuspended(true, "shortcut-capture");
             run.shell.setSuspended(false, "shortcut-capture");
         }},
        {"settings saved",
         [](SessionRun& run) {
             run.shell.persistSettings(
                 settingsWith([](RuleEngineSettings& settings) { settings.leftCommandDelayMilliseconds = 300; }));
         }},
        {"another application", [](SessionRun& run) { run.shell.frontmostApplicationDidChange("com.example.editor"); }},
    };
    for (const auto& testCase : cases) {
        SessionRun run(settingsWith([](RuleEngineSettings& settings) { settings.leftCommandDelayMilliseconds = 300; }));
        run.launch();
        run.commandTap(leftCommand, 1000, 1100);
        run.at(1200);
        testCase.interruption(run);
        run.session.runReadyWork();
        run.at(2000);
        EXPECT_EQ(run.lines(), commandAnswers(leftCommand, 1000, 1100)) << testCase.name;
        EXPECT_EQ(run.session.currentInputSourceID(), hiragana) << testCase.name;
    }
}

TEST(SimulatedSessionPipeline, ADelayedSwitchFiresAfterItsDelay) {
    SessionRun run(settingsWith([](RuleEngineSettings& settings) { settings.leftCommandDelayMilliseconds = 300; }));
    run.launch();
    run.commandTap(leftCommand, 1000, 1100);
    run.at(1399);
    EXPECT_EQ(run.lines(), commandAnswers(leftCommand, 1000, 1100));
    run.at(2000);
    EXPECT_EQ(run.lines(),
              joined(commandAnswers(leftCommand, 1000, 1100), langKeyTap(1400, "00 00 91 00 00 00 00 00", 102, abc)));
}

TEST(SimulatedSessionPipeline, APointerClickDuringCommandKeepsItAModifier) {
    SessionRun run;
    run.launch();
    run.at(1000);
    run.session.flagsChanged({leftCommand, bits::maskCommand});
    run.at(1050);
    run.session.pointerButtonDown(platform::PointerButton::other);
    run.at(1100);
    run.session.flagsChanged({leftCommand, 0});
    // A click before the press does not count.
    run.commandTap(leftCommand, 2000, 2100);
    run.at(3000);
    EXPECT_EQ(run.lines(), joined(joined(commandAnswers(leftCommand, 1000, 1100), commandAnswers(leftCommand, 2000, 2100)),
                                  langKeyTap(2100, "00 00 91 00 00 00 00 00", 102, abc)));
}

TEST(SimulatedSessionPipeline, KatakanaIsSelectedByTheDispatcherFromTheSavedSourceOrTheResolver) {
    struct Case {
        const char* name;
        std::optional<MacInputSourceSelection> saved;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"resolver", std::nullopt, katakana},
        {"saved", MacInputSourceSelection{halfWidthKana, "com.apple.inputmethod.Japanese.HalfWidthKana", "半角カタカナ"},
         halfWidthKana},
        // A saved source that is not installed is passed over.
        {"saved but gone", MacInputSourceSelection{"com.example.gone", std::nullopt, "gone"}, katakana},
    };
    for (const auto& testCase : cases) {
        SessionRun run(settingsWith([](RuleEngineSettings& settings) {
            settings.setRightCommandAction(CommandKeyAction::katakana);
        }));
        if (testCase.saved) run.shell.pipeline().inputModeDispatcher().saveInputSource(*testCase.saved, InputMode::katakana);
        run.launch();
        run.commandTap(rightCommand, 1000, 1100);
        run.at(1500);
        EXPECT_EQ(run.lines(), joined(commandAnswers(rightCommand, 1000, 1100),
                                      {R"({"atMs":1100,"by":"dispatcher","inputSourceSelected":")" + testCase.expected +
                                       R"("})"}))
            << testCase.name;
        EXPECT_EQ(run.session.currentInputSourceID(), testCase.expected) << testCase.name;
    }
}

TEST(SimulatedSessionPipeline, AnInputErrorSetsTheStatusOnce) {
    platform::SessionConfiguration configuration;
    configuration.inputSources = {platform::SessionConfiguration::defaultInputSources()[0],
                                  platform::SessionConfiguration::defaultInputSources()[1]};
    SessionRun run(settingsWith([](RuleEngineSettings& settings) {
                       settings.setRightCommandAction(CommandKeyAction::katakana);
                   }),
                   configuration);
    run.launch();
    run.commandTap(rightCommand, 1000, 1100);
    run.commandTap(rightCommand, 1200, 1300);
    run.at(1500);
    EXPECT_EQ(run.lines(), joined(joined(commandAnswers(rightCommand, 1000, 1100),
                                         {R"({"atMs":1100,"status":"入力送信エラー: MacInputModeDispatcherError"})"}),
                                  commandAnswers(rightCommand, 1200, 1300)));
}

TEST(SimulatedSessionPipeline, AFailedKanaKeyReportSetsTheStatus) {
    SessionRun run;
    run.launch();
    // The press report is refused: the keyboard still releases the key, then reports the failure.
    run.session.hidDevices()->failDispatchAttempt(0, "device gone");
    run.commandTap(leftCommand, 1000, 1100);
    run.at(1500);
    EXPECT_EQ(run.lines(), joined(commandAnswers(leftCommand, 1000, 1100),
                                  {R"({"atMs":1100,"hidReport":"00 00 00 00 00 00 00 00"})",
                                   R"({"atMs":1100,"status":"入力送信エラー: VirtualHIDError"})"}));
}

TEST(SimulatedSessionPipeline, ARevokedPermissionStopsTheTapAndWaits) {
    SessionRun run;
    run.launch();
    run.session.setAccessibilityTrusted(false);
    run.at(1000);
    run.session.flagsChanged({leftCommand, bits::maskCommand});
    run.session.disableTaps(platform::EventType::tapDisabledByUserInput);
    run.session.runReadyWork();
    EXPECT_FALSE(run.shell.pipeline().inputBackend().isRunning());
    run.at(1100);
    run.session.flagsChanged({leftCommand, 0});
    run.at(2000);
    EXPECT_EQ(run.lines(), (Lines{R"({"atMs":1000,"decision":"pass","keyCode":55})",
                                  R"({"atMs":1000,"status":"アクセシビリティ権限待ち"})",
                                  R"({"atMs":1100,"decision":"pass","keyCode":55})"}));
}

TEST(SimulatedSessionPipeline, WithoutPermissionAtLaunchNothingIsTappedAndNoStatusIsPrinted) {
    platform::SessionConfiguration configuration;
    configuration.accessibilityTrusted = false;
    TessarilSettings settings;
    settings.globalShortcutGuard = DoublePressGuardSettings(true, 700, DoublePressGuardSettings::defaultShortcuts());
    SessionRun run(settings, configuration);
    run.launch();
    EXPECT_FALSE(run.shell.pipeline().inputBackend().isRunning());
    EXPECT_EQ(run.shell.statusText(), std::string(SessionShellRecorder::accessibilityWaitingStatus));
    run.at(100);
    EXPECT_FALSE(run.session.keyDown({keyQ, bits::maskCommand}));
    EXPECT_EQ(run.lines(), Lines{R"({"atMs":100,"decision":"pass","keyCode":12})"});
}

TEST(SimulatedSessionPipeline, ATimedOutTapIsReenabledWithItsStateReset) {
    SessionRun run;
    run.launch();
    run.at(500);
    run.session.flagsChanged({leftCommand, bits::maskCommand});
    run.session.disableTaps(platform::EventType::tapDisabledByTimeout);
    run.session.runReadyWork();
    EXPECT_TRUE(run.shell.pipeline().inputBackend().isRunning());
    run.at(600);
    run.session.flagsChanged({leftCommand, 0});
    run.at(1000);
    // The reset forgot the held Command, so its release switches nothing.
    EXPECT_EQ(run.lines(), commandAnswers(leftCommand, 500, 600));
}

// The count panel goes at the next key typed in any application, but not at the system's own keys.
TEST(SimulatedSessionPipeline, KeyDownsTypedOnAKeyboardReachTheObserverOnlyWhileThereIsOne) {
    SessionRun run;
    run.launch();
    int reported = 0;
    run.shell.pipeline().setKeyDownObserver([&] { ++reported; });
    run.session.keyDown({keyQ, 0});
    run.session.runReadyWork();
    run.shell.pipeline().insertText("x");
    run.session.runReadyWork();
    EXPECT_EQ(reported, 1);

    run.shell.pipeline().setKeyDownObserver(nullptr);
    run.session.keyDown({keyQ, 0});
    run.session.runReadyWork();
    EXPECT_EQ(reported, 1);
}

} // namespace
