#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Platform/Accessibility/SimulatedAccessibilityTrust.hpp"
#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/Logging/RecordingLogSink.hpp"
#include "Platform/Quartz/EventField.hpp"
#include "Platform/RunLoop/SystemThreadLauncher.hpp"
#include "TessarilMac/Pipeline/KeyboardPipeline.hpp"
#include "TessarilMacTests/Pipeline/KeyboardEventControllerTestHarness.hpp"

namespace tessaril::testing {
namespace {

using Strings = std::vector<std::string>;

// Records every call; types texts through the pipeline, as the application does.
struct RecordingHost final : KeyboardPipelineHost {
    Strings calls;
    KeyboardPipeline* pipeline = nullptr;
    void setStatusText(const std::string& text) override { calls.push_back("status " + text); }
    void dispatchTextInsertion(const std::string& text) override {
        calls.push_back("text " + text);
        pipeline->insertText(text);
    }
    void dispatchTextInsertionAndCursorMove(const std::string& text, std::int64_t count) override {
        calls.push_back("text " + text + " left " + std::to_string(count));
        pipeline->insertTextAndMoveCursorLeft(text, count);
    }
    void performTextPairInsertion(const std::string& opening, const std::string& closing) override {
        calls.push_back("pair " + opening + " " + closing);
    }
    void performPlainCopy() override { calls.push_back("plainCopy"); }
    void performPlainPaste() override { calls.push_back("plainPaste"); }
    void performCharacterCountCheck() override { calls.push_back("characterCount"); }
    void performFixedPhraseInsertion(const FixedPhraseInsertion& insertion) override {
        calls.push_back("phrase " + insertion.plainText);
    }
    void finishAccessibilityRevocation() override { calls.push_back("revoked"); }
};

// The pipeline on virtual time, with the controller driven directly (no tap thread).
struct PipelineHarness {
    platform::VirtualUptimeClock clock;
    platform::VirtualScheduler scheduler{clock};
    std::shared_ptr<platform::Executor> kanaKeyboardLane = scheduler.makeSerialExecutor("kana-keyboard");
    std::shared_ptr<platform::Executor> modeKeyLane = scheduler.makeSerialExecutor("mode-key-worker");
    platform::EventSystem events{clock};
    std::shared_ptr<platform::VirtualHIDDeviceService> hid = std::make_shared<platform::VirtualHIDDeviceService>(scheduler);
    platform::InputSourceService inputSources{scheduler};
    platform::UserDefaults defaults;
    platform::SimulatedAccessibilityTrust accessibility;
    platform::SystemThreadLauncher threads;
    std::shared_ptr<platform::RecordingLogSink> logSink = std::make_shared<platform::RecordingLogSink>();
    RecordingHost host;
    std::unique_ptr<KeyboardPipeline> pipeline;

    explicit PipelineHarness(TessarilSettings settings = TessarilSettings()) {
        inputSources.install({"com.apple.keylayout.ABC", std::nullopt, "ABC"});
        auto hiragana = inputSources.install(
            {"com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese", "com.apple.inputmethod.Japanese", "ひらがな"});
        inputSources.install({"com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.Katakana",
                              "com.apple.inputmethod.Japanese.Katakana", "カタカナ"});
        inputSources.makeCurrent(hiragana);
        pipeline = std::make_unique<KeyboardPipeline>(
            host, std::move(settings),
            KeyboardPipeline::Services{events, *hid, inputSources, defaults, scheduler, *kanaKeyboardLane,
                                       *modeKeyLane, clock, accessibility, threads, logSink});
        host.pipeline = pipeline.get();
    }

    KeyboardInputDecision send(KeyboardInputEvent::Kind kind, std::uint16_t keyCode, Modifiers modifiers,
                               std::int64_t timeMilliseconds) {
        scheduler.advanceTo(static_cast<std::uint64_t>(timeMilliseconds));
        auto keyboard = KeyboardIdentifier::keyboardType(40);
        return pipeline->eventController().handle(
            KeyboardInputEvent{kind, keyCode, modifiers, timeMilliseconds, false, keyboard, false, std::nullopt});
    }
    void tap(std::uint16_t keyCode, std::int64_t timeMilliseconds) {
        send(KeyboardInputEvent::Kind::modifierFlagsChanged, keyCode, Modifiers::command(), timeMilliseconds);
        send(KeyboardInputEvent::Kind::modifierFlagsChanged, keyCode, noModifiers, timeMilliseconds + 100);
    }

    Strings reports() const {
        Strings lines;
        for (const auto& report : hid->reports()) {
            std::string line;
            for (auto byte : report.bytes) {
                char text[4];
                std::snprintf(text, sizeof text, "%02X", byte);
                if (!line.empty()) line += ' ';
                line += text;
            }
            lines.push_back(line + " @" + std::to_string(report.timestampNanoseconds / 1'000'000));
        }
        return lines;
    }
    Strings selectedSources() const {
        Strings lines;
        for (const auto& record : inputSources.selections()) lines.push_back(record.sourceID.value_or("?"));
        return lines;
    }
    Strings takeHostCalls() {
        Strings taken;
        taken.swap(host.calls);
        return taken;
    }
};

TessarilSettings leftCommandDoes(CommandKeyAction action) {
    TessarilSettings settings;
    settings.profiles.laptop.leftCommandAction = action;
    return settings;
}

TEST(KeyboardPipelineTests, CommandTapsPressTheVirtualKanaKeyboard) {
    PipelineHarness harness;
    harness.pipeline->startKanaModeKeyboard();
    harness.tap(key_code::leftCommand, 1000);  // eisu at 1100
    harness.tap(key_code::rightCommand, 2000);  // kana at 2100
    harness.scheduler.advanceTo(3000);
    EXPECT_EQ(harness.reports(), (Strings{"00 00 91 00 00 00 00 00 @1100", "00 00 00 00 00 00 00 00 @1120",
                                          "00 00 90 00 00 00 00 00 @2100", "00 00 00 00 00 00 00 00 @2120"}));
    EXPECT_EQ(harness.selectedSources(), Strings{});
    EXPECT_EQ(harness.takeHostCalls(), Strings{});
}

TEST(KeyboardPipelineTests, ModesWithoutAKeySelectAnInputSourceOnTheMainThread) {
    PipelineHarness harness(leftCommandDoes(CommandKeyAction::katakana));
    harness.tap(key_code::leftCommand, 1000);
    harness.scheduler.advanceTo(2000);
    EXPECT_EQ(harness.selectedSources(), Strings{"com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.Katakana"});
    EXPECT_EQ(harness.reports(), Strings{});
}

TEST(KeyboardPipelineTests, FailuresOfTheSwitchGoIntoTheStatusText) {
    struct Case {
        const char* name;
        CommandKeyAction action;
        std::function<void(PipelineHarness&)> prepare;
        const char* status;
    };
    const Case cases[] = {
        {"no source for the mode", CommandKeyAction::halfWidthKatakana, [](PipelineHarness&) {},
         "status 入力送信エラー: MacInputModeDispatcherError"},
        {"no virtual keyboard", CommandKeyAction::standard,
         [](PipelineHarness& h) { h.hid->setCreationFails(true); }, "status 入力送信エラー: KeyboardError"},
        {"report refused", CommandKeyAction::standard,
         [](PipelineHarness& h) { h.hid->failDispatchAttempt(0, "busy"); }, "status 入力送信エラー: VirtualHIDError"},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        PipelineHarness harness(leftCommandDoes(testCase.action));
        testCase.prepare(harness);
        harness.tap(key_code::leftCommand, 1000);
        harness.scheduler.advanceTo(2000);
        EXPECT_EQ(harness.takeHostCalls(), Strings{testCase.status});
    }
}

TEST(KeyboardPipelineTests, KanaKeyboardStartFailureGoesIntoTheStatusText) {
    PipelineHarness harness;
    harness.hid->setCreationFails(true);
    harness.pipeline->startKanaModeKeyboard();
    harness.scheduler.advanceTo(1000);
    EXPECT_EQ(harness.takeHostCalls(), Strings{"status 入力送信エラー: KeyboardError"});
    EXPECT_TRUE(harness.hid->reports().empty());
}

TEST(KeyboardPipelineTests, AResetBeforeTheWorkerRunsSendsNothing) {
    PipelineHarness harness;
    harness.send(KeyboardInputEvent::Kind::modifierFlagsChanged, key_code::leftCommand, Modifiers::command(), 1000);
    harness.send(KeyboardInputEvent::Kind::modifierFlagsChanged, key_code::leftCommand, noModifiers, 1100);
    harness.pipeline->eventController().resetRuntimeState();
    harness.scheduler.advanceTo(2000);
    EXPECT_TRUE(harness.hid->reports().empty());
}

TEST(KeyboardPipelineTests, TextActionsReachTheHostWhichTypesThroughThePipeline) {
    TessarilSettings settings;
    settings.textTools.plainCopy.isEnabled = true;
    settings.textTools.plainPaste.isEnabled = true;
    settings.textTools.characterCount.isEnabled = true;
    settings.keypadShortcutHacks.period.isEnabled = true;
    settings.keypadShortcutHacks.period.outputText = "、";
    PipelineHarness harness(settings);
    const Modifiers commandControl{Modifiers::command(), Modifiers::control()};
    harness.send(KeyboardInputEvent::Kind::keyDown, key_code::c, commandControl, 1000);
    harness.send(KeyboardInputEvent::Kind::keyDown, 9, commandControl, 1100);   // v
    harness.send(KeyboardInputEvent::Kind::keyDown, 46, commandControl, 1200);  // m
    harness.scheduler.advanceTo(1300);
    EXPECT_EQ(harness.takeHostCalls(), (Strings{"plainCopy", "plainPaste", "characterCount"}));

    harness.send(KeyboardInputEvent::Kind::modifierFlagsChanged, key_code::leftShift, Modifiers::shift(), 2000);
    harness.send(KeyboardInputEvent::Kind::keyDown, key_code::keypadPeriod, Modifiers::shift(), 2100);
    harness.scheduler.advanceTo(2200);
    auto posted = harness.events.postedEvents();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].keyboardUnicodeString(), u"、");
    EXPECT_EQ(harness.takeHostCalls(), Strings{"text 、"});
}

// A pair rule for kana input only: whether its shortcut inserts the pair follows the selected source.
TEST(KeyboardPipelineTests, ObservedInputModeFollowsTheSelectedSource) {
    TessarilSettings settings;
    Shortcut trigger{ShortcutModifierSet{ShortcutModifier::option}, Shortcut::Key::character("8")};
    settings.writingAssist.pairAssistRules = {
        PairAssistRule("RULE", "括弧", true, WritingAssistInputModeCondition::kanaOnly, trigger, "「", "」")};
    PipelineHarness harness(settings);
    harness.pipeline->startObservingInputSources();  // ひらがな is current
    auto optionEight = [&](std::int64_t time) {
        return harness.send(KeyboardInputEvent::Kind::keyDown, 28, Modifiers::option(), time);
    };
    EXPECT_EQ(optionEight(1000), KeyboardInputDecision::suppress);
    harness.scheduler.advanceTo(1100);
    EXPECT_EQ(harness.takeHostCalls(), Strings{"pair 「 」"});

    auto sources = harness.inputSources.createInputSourceList(std::nullopt);
    ASSERT_TRUE(sources && !sources->empty());
    harness.inputSources.makeCurrent(sources->front());  // ABC
    harness.scheduler.advanceTo(1200);
    EXPECT_EQ(optionEight(1300), KeyboardInputDecision::passThrough);
    harness.scheduler.advanceTo(1400);
    EXPECT_EQ(harness.takeHostCalls(), Strings{});

    // A change still queued when the pipeline goes finds nothing to update.
    harness.inputSources.makeCurrent(sources->back());
    harness.pipeline.reset();
    EXPECT_EQ(harness.scheduler.runUntilIdle(), 1u);
}

} // namespace
} // namespace tessaril::testing
