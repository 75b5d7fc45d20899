#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Platform/Accessibility/AccessibilityTrust.hpp"
#include "Platform/Clock/UptimeClock.hpp"
#include "Platform/Dispatch/Executor.hpp"
#include "Platform/Foundation/UserDefaults.hpp"
#include "Platform/HID/VirtualHIDDeviceService.hpp"
#include "Platform/Logging/LogSink.hpp"
#include "Platform/Quartz/EventSystem.hpp"
#include "Platform/RunLoop/ThreadLauncher.hpp"
#include "Platform/TextInputSources/InputSourceService.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilMac/EventTap/EventTapInputBackend.hpp"
#include "TessarilMac/InputMode/KanaModeKeyboard.hpp"
#include "TessarilMac/Pipeline/KeyboardEventController.hpp"
#include "TessarilMac/Pipeline/KeyboardPipelineHost.hpp"
#include "TessarilMac/InputMode/MacInputModeDispatcher.hpp"
#include "TessarilMac/Pipeline/MacKeyboardActionDispatcher.hpp"
#include "TessarilMac/InputMode/ModeKeyDispatchQueue.hpp"

namespace tessaril {

// The keyboard pipeline wired as the application runs it: the input-mode dispatcher, the virtual kana
// keyboard, the synthetic-key dispatcher, the intercepting event tap, the mode-key queue and the event
// controller, with the controller's callbacks and the queue's send operation connected to them and to
// the application shell through `KeyboardPipelineHost`.
// Threads: constructed, used and destroyed on the main thread; the tap thread, the queue's worker and
// the kana keyboard's executor reach it only through callbacks that hold it weakly and hand anything for
// the host to the main executor. Lock order is that of the controller: its lock, then the queue's.
class KeyboardPipeline {
public:
    // The platform services the pipeline runs on; all must outlive it.
    struct Services {
        platform::EventSystem& events;
        platform::VirtualHIDDeviceService& hid;
        platform::InputSourceService& inputSources;
        platform::UserDefaults& defaults;
        platform::Executor& mainExecutor;
        // The virtual kana keyboard's serial executor, and the executor of the mode-key queue's worker.
        platform::Executor& kanaKeyboardExecutor;
        platform::Executor& modeKeyWorkerExecutor;
        const platform::UptimeClock& clock;
        platform::AccessibilityTrust& accessibility;
        platform::ThreadLauncher& threads;
        std::shared_ptr<platform::LogSink> logSink;
    };

    static constexpr std::string_view inputDispatchErrorPrefix = "入力送信エラー: ";

    KeyboardPipeline(KeyboardPipelineHost& host, TessarilSettings settings, Services services);
    // Stops the event tap first, so no callback runs into a half-destroyed pipeline.
    ~KeyboardPipeline();
    KeyboardPipeline(const KeyboardPipeline&) = delete;
    KeyboardPipeline& operator=(const KeyboardPipeline&) = delete;

    // Installs the dispatcher's mode-key sender (enqueue, always current) and starts the virtual kana
    // keyboard; a start failure goes into the status text. `finished` then runs on the main executor
    // with the failure, or null once the keyboard is ready, unless the pipeline is gone by then.
    void startKanaModeKeyboard(std::function<void(std::exception_ptr error)> finished = {});
    // Keeps the controller's observed input mode in step with the selected input source, now and on
    // every change.
    void startObservingInputSources();
    void syncObservedInputMode();
    // Starts the intercepting tap with the controller as its handler and resets the controller's runtime
    // state. Throws EventTapInputBackendError (nothing runs then).
    void startInputBackend();
    void stopInputBackend();
    // Calls `observer` on the main executor after each key-down typed on a keyboard (never one the
    // system posted itself) that reaches the event tap; none stops the reports. Main thread. Nothing is
    // handed to the main executor while there is no observer.
    void setKeyDownObserver(std::function<void()> observer);

    // The status text "入力送信エラー: " and the name of the error's type; the error's own text is not shown.
    void recordInputDispatchError(const std::exception_ptr& error);
    // Types a text through marked synthetic events (then moves the caret left `count` times); a failure
    // goes into the status text. For the host's text actions.
    void insertText(const std::string& text);
    void insertTextAndMoveCursorLeft(const std::string& text, std::int64_t count);

    KeyboardEventController& eventController() { return *eventController_; }
    MacInputModeDispatcher& inputModeDispatcher() { return inputModeDispatcher_; }
    KanaModeKeyboard& kanaModeKeyboard() { return *kanaModeKeyboard_; }
    MacKeyboardActionDispatcher& keyboardActionDispatcher() { return keyboardActionDispatcher_; }
    EventTapInputBackend& inputBackend() { return inputBackend_; }
    ModeKeyDispatchQueue& modeKeyDispatchQueue() { return *modeKeyDispatchQueue_; }

private:
    // What the callbacks hold weakly: the pipeline and its host, gone together.
    struct Link {
        KeyboardPipeline& pipeline;
        KeyboardPipelineHost& host;
    };

    KeyboardEventController::Callbacks controllerCallbacks();
    ModeKeyDispatchQueue::Send modeKeySend();
    // Runs `body` with the link on the main executor, unless the pipeline is gone by then.
    static void onMain(platform::Executor& mainExecutor, const std::weak_ptr<Link>& link,
                       std::function<void(Link&)> body);

    Services services_;
    std::shared_ptr<Link> link_;
    MacInputModeDispatcher inputModeDispatcher_;
    std::shared_ptr<KanaModeKeyboard> kanaModeKeyboard_;
    MacKeyboardActionDispatcher keyboardActionDispatcher_;
    EventTapInputBackend inputBackend_;
    std::shared_ptr<ModeKeyDispatchQueue> modeKeyDispatchQueue_;
    std::shared_ptr<KeyboardEventController> eventController_;
    std::optional<std::size_t> inputSourceObserverToken_;
    // Read on the tap thread; the observer itself is only touched on the main thread.
    std::shared_ptr<std::atomic<bool>> reportsKeyDowns_ = std::make_shared<std::atomic<bool>>(false);
    std::function<void()> keyDownObserver_;
};

} // namespace tessaril
