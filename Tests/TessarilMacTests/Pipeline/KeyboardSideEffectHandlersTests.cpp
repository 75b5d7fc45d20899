#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/Logging/RecordingLogSink.hpp"
#include "TessarilMac/Pipeline/KeyboardSideEffectHandlers.hpp"

namespace tessaril {
namespace {

using Strings = std::vector<std::string>;

struct HandlersHarness {
    platform::VirtualUptimeClock clock;
    platform::VirtualScheduler scheduler{clock};
    std::shared_ptr<platform::RecordingLogSink> logSink = std::make_shared<platform::RecordingLogSink>();
    Strings calls;
    bool current = true;
    std::shared_ptr<KeyboardSideEffectHandlers> handlers;
    KeyboardSideEffectHandlers::StalenessCheck isCurrent = [this] { return current; };
    KeyboardSideEffectHandlers::ModeSwitch modeSwitch = [this](InputMode mode) {
        calls.push_back("switch " + std::string(rawValue(mode)));
    };

    HandlersHarness() {
        KeyboardSideEffectHandlers::TextCallbacks callbacks{
            [this](const std::string& text) { calls.push_back("text " + text); },
            [this](const std::string& text, std::int64_t count) {
                calls.push_back("textAndLeft " + text + " " + std::to_string(count));
            },
            [this](const std::string& opening, const std::string& closing) {
                calls.push_back("pair " + opening + " " + closing);
            },
            [this](TextToolAction action) { calls.push_back("tool " + std::string(rawValue(action))); },
            [this](const FixedPhraseInsertion& insertion) { calls.push_back("phrase " + insertion.plainText); },
        };
        handlers = std::make_shared<KeyboardSideEffectHandlers>(std::move(callbacks), scheduler,
                                                                KeyboardEventDiagnostics(logSink));
    }

    void dispatch(const EngineAction& action) { handlers->dispatch(action, isCurrent, modeSwitch); }
    Strings take() {
        Strings taken;
        taken.swap(calls);
        return taken;
    }
};

TEST(KeyboardSideEffectHandlersTests, EachActionReachesItsCallback) {
    FixedPhraseInsertion phrase;
    phrase.plainText = "お世話になっております。";
    struct Case {
        EngineAction action;
        Strings expected;
    };
    const Case cases[] = {
        {EngineAction::setInputMode(InputMode::halfWidthKatakana), {"switch halfWidthKatakana"}},
        {EngineAction::insertText("「」"), {"text 「」"}},
        {EngineAction::insertTextAndMoveCursorLeft("」", 1), {"textAndLeft 」 1"}},
        {EngineAction::insertTextPair("『", "』"), {"pair 『 』"}},
        {EngineAction::performTextTool(TextToolAction::plainCopy), {"tool plainCopy"}},
        {EngineAction::performTextTool(TextToolAction::plainPaste), {"tool plainPaste"}},
        {EngineAction::performTextTool(TextToolAction::characterCount), {"tool characterCount"}},
        {EngineAction::insertFixedPhrase(phrase), {"phrase お世話になっております。"}},
        {EngineAction::beginCommandTracking(CommandKeySide::left), {}},
        {EngineAction::useCommandAsModifier(CommandKeySide::left), {}},
        {EngineAction::finishCommandTracking(CommandKeySide::right), {}},
        {EngineAction::suppressPhysicalKey(PhysicalKey::keypadEqual()), {}},
        {EngineAction::suppressShortcut(Shortcut::commandQ()), {}},
        {EngineAction::allowShortcut(Shortcut::commandQ()), {}},
        {EngineAction::cancelScheduledInputMode(CommandKeySide::right), {}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(std::string(rawValue(testCase.action.kind())));
        HandlersHarness harness;
        harness.dispatch(testCase.action);
        harness.scheduler.advanceBy(5000);
        EXPECT_EQ(harness.take(), testCase.expected);
        EXPECT_EQ(harness.logSink->records().size(), 0u);
    }
}

TEST(KeyboardSideEffectHandlersTests, GraceCorrectionWritesOneKeyboardLogLine) {
    HandlersHarness harness;
    harness.dispatch(EngineAction::recordModifierGraceCorrection(CommandKeySide::right, CompanionModifier::option,
                                                                 InputMode::fullWidthRoman, InputMode::kana, 35));
    auto records = harness.logSink->records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], (platform::LogRecord{"com.tessaril.Tessaril", "keyboard", platform::LogLevel::notice,
                                               "modifier grace correction side=right companion=option "
                                               "from=fullWidthRoman to=kana overlapMs=35"}));
    EXPECT_EQ(harness.take(), Strings{});
}

TEST(KeyboardSideEffectHandlersTests, DelayedSwitchesPerSide) {
    using Step = std::function<void(HandlersHarness&)>;
    auto schedule = [](InputMode mode, std::int64_t delay, CommandKeySide side) {
        return Step([=](HandlersHarness& h) { h.dispatch(EngineAction::scheduleInputMode(mode, delay, side)); });
    };
    auto cancel = [](CommandKeySide side) {
        return Step([=](HandlersHarness& h) { h.dispatch(EngineAction::cancelScheduledInputMode(side)); });
    };
    auto wait = [](std::uint64_t milliseconds) { return Step([=](HandlersHarness& h) { h.scheduler.advanceBy(milliseconds); }); };
    auto staleNow = Step([](HandlersHarness& h) { h.current = false; });
    auto cancelAll = Step([](HandlersHarness& h) { h.handlers->cancelAllScheduledActions(); });
    constexpr auto left = CommandKeySide::left;
    constexpr auto right = CommandKeySide::right;
    struct Case {
        const char* name;
        std::vector<Step> steps;
        Strings expected;
    };
    const Case cases[] = {
        {"fires after its delay", {schedule(InputMode::kana, 300, right), wait(299)}, {}},
        {"fires at its time", {schedule(InputMode::kana, 300, right), wait(300)}, {"switch kana"}},
        {"a newer one replaces the older", {schedule(InputMode::eisu, 300, left), wait(100), schedule(InputMode::katakana, 300, left), wait(1000)},
         {"switch katakana"}},
        {"sides are independent", {schedule(InputMode::eisu, 300, left), schedule(InputMode::kana, 100, right), wait(1000)},
         {"switch kana", "switch eisu"}},
        {"cancelled in the same batch", {schedule(InputMode::eisu, 300, left), cancel(left), wait(1000)}, {}},
        {"cancel of the other side", {schedule(InputMode::eisu, 300, left), cancel(right), wait(1000)}, {"switch eisu"}},
        {"cancel with nothing pending", {cancel(right), wait(1000)}, {}},
        {"stale when it fires", {schedule(InputMode::eisu, 300, left), staleNow, wait(1000)}, {}},
        {"cancel all", {schedule(InputMode::eisu, 300, left), schedule(InputMode::kana, 300, right), cancelAll, wait(1000)}, {}},
        {"rescheduled after firing", {schedule(InputMode::eisu, 100, left), wait(200), schedule(InputMode::kana, 100, left), wait(200)},
         {"switch eisu", "switch kana"}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        HandlersHarness harness;
        for (const auto& step : testCase.steps) step(harness);
        EXPECT_EQ(harness.take(), testCase.expected);
    }
}

TEST(KeyboardSideEffectHandlersTests, ReleasedHandlersStillSwitchThroughTheCheckedModeSwitch) {
    HandlersHarness harness;
    harness.dispatch(EngineAction::scheduleInputMode(InputMode::kana, 100, CommandKeySide::right));
    harness.handlers.reset();
    harness.scheduler.advanceBy(200);
    // The work item holds the handlers weakly; the switch itself carries its own checks.
    EXPECT_EQ(harness.take(), Strings{"switch kana"});
}

} // namespace
} // namespace tessaril
