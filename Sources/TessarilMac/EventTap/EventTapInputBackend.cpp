#include "TessarilMac/EventTap/EventTapInputBackend.hpp"

#include <cstdio>
#include <semaphore>
#include <string>
#include <system_error>

#include "Platform/Logging/Logger.hpp"
#include "Platform/RunLoop/NamedThread.hpp"
#include "Platform/RunLoop/RunLoop.hpp"
#include "TessarilMac/EventTap/CGKeyCodeMapper.hpp"
#include "TessarilMac/EventTap/EventTapCallbackHealthWindow.hpp"
#include "TessarilMac/Pipeline/TessarilApplicationIdentity.hpp"

namespace tessaril {

namespace {

// What one start hands to the blocks it posts to the main queue. `stop` retires it, so a block that
// runs after a later stop or start does nothing, and no block ever reaches the freed callback context.
// `isCurrent` is written and read on the main thread; atomic all the same.
struct InterruptionRelay {
    std::function<void(EventTapInterruptionReason)> onInterruption;
    std::atomic<bool> isCurrent{true};
};

} // namespace

// The tap's user info for one start: everything the callback needs. Created and destroyed on the main
// thread while no tap thread runs; in between, its mutable fields are touched only on the tap thread.
class EventTapCallbackContext {
public:
    EventTapCallbackContext(EventTapMode tapMode, EventTapInputBackend::Handler keyHandler,
                            std::function<void()> reset, std::function<void(EventTapInterruptionReason)> interruption,
                            const EventTapInputBackend::Services& services)
        : mode(tapMode),
          handler(std::move(keyHandler)),
          resetBeforeReenable(std::move(reset)),
          relay(std::make_shared<InterruptionRelay>()),
          services_(services),
          healthLogger_(services.logSink, std::string(application_identity::bundleIdentifier), "input-health") {
        relay->onInterruption = std::move(interruption);
    }

    platform::Event* handle(platform::EventType type, platform::Event* event) noexcept {
        std::uint64_t start = services_.clock.uptimeNanoseconds();
        platform::Event* answer = event;
        if (auto input = keyCodeMapper.inputEvent(*event, type)) {
            KeyboardInputDecision decision = handler(*input);
            if (decision == KeyboardInputDecision::suppress && mode == EventTapMode::interceptKeyboardEvents) {
                answer = nullptr;
            }
        }
        std::uint64_t end = services_.clock.uptimeNanoseconds();
        if (auto snapshot = callbackHealth.record(end - start, end)) logHealth(*snapshot);
        return answer;
    }

    void handleTapDisabled(platform::EventType type) {
        bool byTimeout = type == platform::EventType::tapDisabledByTimeout;
        healthLogger_.notice(std::string("event tap disabled reason=") + (byTimeout ? "timeout" : "user-input"));
        if (services_.accessibility.isProcessTrusted(false)) {
            if (resetBeforeReenable) resetBeforeReenable();
            if (eventTap) services_.events.tapEnable(*eventTap, true);
            postInterruption(EventTapInterruptionReason::tapReenabledAfterInterruption);
        } else {
            if (eventTap) services_.events.tapEnable(*eventTap, false);
            reportAccessibilityRevocation();
        }
    }

    void reportAccessibilityRevocation() {
        if (didReportAccessibilityRevocation) return;
        didReportAccessibilityRevocation = true;
        postInterruption(EventTapInterruptionReason::accessibilityRevoked);
    }

    const EventTapMode mode;
    const EventTapInputBackend::Handler handler;
    const std::function<void()> resetBeforeReenable;
    const std::shared_ptr<InterruptionRelay> relay;
    std::shared_ptr<platform::EventTap> eventTap;
    bool didReportAccessibilityRevocation = false;
    CGKeyCodeMapper keyCodeMapper;
    EventTapCallbackHealthWindow callbackHealth;

private:
    void postInterruption(EventTapInterruptionReason reason) {
        services_.mainQueue.post([relay = relay, reason] {
            if (relay->isCurrent.load() && relay->onInterruption) relay->onInterruption(reason);
        });
    }

    void logHealth(const EventTapCallbackHealthSnapshot& snapshot) {
        char line[160];
        std::snprintf(line, sizeof line, "event tap callback window count=%llu over5ms=%llu over20ms=%llu maxUs=%llu",
                      static_cast<unsigned long long>(snapshot.callbackCount),
                      static_cast<unsigned long long>(snapshot.overFiveMillisecondsCount),
                      static_cast<unsigned long long>(snapshot.overTwentyMillisecondsCount),
                      static_cast<unsigned long long>(snapshot.maximumMicroseconds));
        healthLogger_.notice(line);
    }

    const EventTapInputBackend::Services& services_;
    platform::Logger healthLogger_;
};

// The tap's thread: runs a run loop holding the tap's source until `stop` asks it to leave. `started`
// is signalled once `runLoop` is set, `exited` once the loop has returned and the source is removed.
class EventTapThread {
public:
    explicit EventTapThread(std::shared_ptr<platform::RunLoopSource> tapSource) : source(std::move(tapSource)) {}

    // Throws std::system_error when no thread can be started.
    void start(platform::ThreadLauncher& threads) {
        thread_ = threads.launch(EventTapInputBackend::threadName(), [this] { main(); });
    }
    void join() { thread_.join(); }

    const std::shared_ptr<platform::RunLoopSource> source;
    std::binary_semaphore started{0};
    std::binary_semaphore exited{0};
    std::shared_ptr<platform::RunLoop> runLoop;

private:
    void main() {
        runLoop = platform::RunLoop::current();
        runLoop->addSource(source);
        started.release();
        runLoop->run();
        runLoop->removeSource(source);
        exited.release();
    }

    platform::NamedThread thread_;
};

platform::Event* eventTapCallback(platform::EventTapProxy, platform::EventType type, platform::Event* event,
                                  void* userInfo) noexcept {
    if (userInfo == nullptr) return event;
    auto* context = static_cast<EventTapCallbackContext*>(userInfo);
    if (type != platform::EventType::tapDisabledByTimeout && type != platform::EventType::tapDisabledByUserInput) {
        return context->handle(type, event);
    }
    context->handleTapDisabled(type);
    return event;
}

EventTapInputBackend::EventTapInputBackend(EventTapMode mode, Services services)
    : services_(std::move(services)), mode_(mode) {}

EventTapInputBackend::~EventTapInputBackend() { stop(); }

std::string EventTapInputBackend::threadName() {
    return std::string(application_identity::reverseDNSPrefix) + ".event-tap";
}

bool EventTapInputBackend::isAccessibilityTrusted(bool prompt) {
    return services_.accessibility.isProcessTrusted(prompt);
}

void EventTapInputBackend::start(Handler handler, std::function<void()> resetBeforeReenable,
                                 std::function<void(EventTapInterruptionReason)> onInterruption) {
    using Case = EventTapInputBackendError::Case;
    stop();
    if (!services_.accessibility.isProcessTrusted(false)) throw EventTapInputBackendError(Case::accessibilityNotTrusted);

    auto context = std::make_unique<EventTapCallbackContext>(mode_, std::move(handler), std::move(resetBeforeReenable),
                                                             std::move(onInterruption), services_);
    auto options = mode_ == EventTapMode::interceptKeyboardEvents ? platform::EventTapOptions::defaultTap
                                                                  : platform::EventTapOptions::listenOnly;
    auto tap = services_.events.tapCreate(platform::EventTapLocation::sessionEventTap,
                                          platform::EventTapPlacement::headInsertEventTap, options, eventMask,
                                          eventTapCallback, context.get());
    if (!tap) throw EventTapInputBackendError(Case::failedToCreateEventTap);
    context->eventTap = tap;

    auto source = services_.events.createRunLoopSource(tap, 0);
    if (!source) abandonTap(tap, Case::failedToCreateRunLoopSource);

    auto thread = std::make_unique<EventTapThread>(source);
    try {
        thread->start(services_.threads);
    } catch (const std::system_error&) {
        // Waiting for a thread that never runs would hang the main thread for good.
        abandonTap(tap, Case::failedToStartEventTapThread);
    }
    thread->started.acquire();

    eventTap_ = tap;
    callbackContext_ = std::move(context);
    tapThread_ = std::move(thread);
    services_.events.tapEnable(*tap, true);
    isRunning_.store(true);
}

void EventTapInputBackend::abandonTap(const std::shared_ptr<platform::EventTap>& tap,
                                      EventTapInputBackendError::Case reason) {
    services_.events.tapEnable(*tap, false);
    services_.events.invalidate(*tap);
    throw EventTapInputBackendError(reason);
}

void EventTapInputBackend::stop() {
    if (eventTap_) {
        services_.events.tapEnable(*eventTap_, false);
        services_.events.invalidate(*eventTap_);
    }
    if (tapThread_ && tapThread_->runLoop) {
        tapThread_->runLoop->performBlock([] { platform::RunLoop::current()->stop(); });
        tapThread_->runLoop->wakeUp();
        tapThread_->exited.acquire();
        tapThread_->join();
    }
    eventTap_.reset();
    tapThread_.reset();
    isRunning_.store(false);
    if (callbackContext_) callbackContext_->relay->isCurrent.store(false);
    callbackContext_.reset();
}

} // namespace tessaril
