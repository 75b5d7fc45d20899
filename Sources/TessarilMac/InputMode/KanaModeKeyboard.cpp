#include "TessarilMac/InputMode/KanaModeKeyboard.hpp"

#include <algorithm>
#include <atomic>
#include <deque>
#include <utility>
#include <vector>

#include "Platform/Logging/Logger.hpp"
#include "TessarilMac/InputMode/MacInputModeDiagnostics.hpp"
#include "TessarilMac/Pipeline/TessarilApplicationIdentity.hpp"

namespace tessaril {

// Everything below is touched only on the keyboard's executor, except `running` (read from any thread).
struct KanaModeKeyboard::State {
    struct PendingTap {
        InputMode mode;
        Completion completion;
    };

    State(std::shared_ptr<platform::VirtualHIDDeviceService> hidService, platform::Executor& serialExecutor,
          const platform::UptimeClock& uptimeClock, platform::Logger inputModeLogger)
        : service(std::move(hidService)), executor(serialExecutor), clock(uptimeClock),
          logger(std::move(inputModeLogger)) {}

    const std::shared_ptr<platform::VirtualHIDDeviceService> service;
    platform::Executor& executor;
    const platform::UptimeClock& clock;
    const platform::Logger logger;
    const std::shared_ptr<Delegate> delegate = std::make_shared<Delegate>();

    std::shared_ptr<platform::VirtualHIDDevice> device;
    std::atomic<bool> running{false};
    bool activating = false;
    // Operations that arrived during an activation, run again in order once it has finished.
    std::vector<std::function<void()>> afterActivation;
    std::deque<PendingTap> taps;
    bool tapInProgress = false;
};

namespace {

using State = KanaModeKeyboard::State;
using Completion = KanaModeKeyboard::Completion;

std::string modeName(InputMode mode) { return std::string(rawValue(mode)); }

void complete(const Completion& completion, std::exception_ptr error) {
    if (completion) completion(std::move(error));
}

void dispatchReport(const std::shared_ptr<State>& state, const std::shared_ptr<platform::VirtualHIDDevice>& device,
                    const KanaModeKeyboard::Report& report, std::function<void(std::exception_ptr)> onExecutor) {
    device->dispatchInputReport(std::vector<std::uint8_t>(report.begin(), report.end()),
                                state->clock.uptimeNanoseconds(),
                                [state, onExecutor = std::move(onExecutor)](std::exception_ptr error) {
                                    state->executor.post([onExecutor, error] { onExecutor(error); });
                                });
}

void start(const std::shared_ptr<State>& state, Completion completion) {
    if (state->device) return complete(completion, nullptr);
    if (state->activating) {
        state->afterActivation.push_back([state, completion] { start(state, completion); });
        return;
    }
    auto device = state->service->createDevice(KanaModeKeyboard::deviceProperties());
    if (!device) {
        state->logger.error("kana keyboard creation failed");
        return complete(completion, std::make_exception_ptr(KanaModeKeyboard::KeyboardError::creationFailed()));
    }
    state->activating = true;
    device->activate(state->delegate, [state, device, completion] {
        state->executor.post([state, device, completion] {
            state->device = device;
            state->running = true;
            state->activating = false;
            state->logger.notice("kana keyboard active");
            complete(completion, nullptr);
            auto waiting = std::exchange(state->afterActivation, {});
            for (auto& operation : waiting) operation();
        });
    });
}

void stop(const std::shared_ptr<State>& state, std::function<void()> completion) {
    if (state->activating) {
        state->afterActivation.push_back([state, completion] { stop(state, completion); });
        return;
    }
    const auto device = std::exchange(state->device, nullptr);
    state->running = false;
    if (!device) {
        if (completion) completion();
        return;
    }
    dispatchReport(state, device, KanaModeKeyboard::releasedReport, [completion](std::exception_ptr) {
        if (completion) completion();
    });
}

// A press or release failed: release once more (its own failure is ignored), then report the first error.
void failTap(const std::shared_ptr<State>& state, const std::shared_ptr<platform::VirtualHIDDevice>& device,
             InputMode mode, std::exception_ptr firstError, Completion done) {
    dispatchReport(state, device, KanaModeKeyboard::releasedReport, [state, mode, firstError, done](std::exception_ptr) {
        state->logger.error("kana keyboard tap failed mode=" + modeName(mode));
        complete(done, firstError);
    });
}

void pressAndRelease(const std::shared_ptr<State>& state, std::shared_ptr<platform::VirtualHIDDevice> device,
                     InputMode mode, const KanaModeKeyboard::Report& pressed, Completion done) {
    // The tap keeps the device it pressed, so a stop during the hold cannot keep the release from it.
    dispatchReport(state, device, pressed, [state, device, mode, done](std::exception_ptr pressError) {
        if (pressError) return failTap(state, device, mode, pressError, done);
        state->logger.notice("mode key report dispatched mode=" + modeName(mode));
        state->executor.postAfter(KanaModeKeyboard::holdDuration, [state, device, mode, done] {
            dispatchReport(state, device, KanaModeKeyboard::releasedReport,
                           [state, device, mode, done](std::exception_ptr releaseError) {
                               if (releaseError) return failTap(state, device, mode, releaseError, done);
                               complete(done, nullptr);
                           });
        });
    });
}

void performTap(const std::shared_ptr<State>& state, InputMode mode, Completion done) {
    KanaModeKeyboard::Report pressed;
    try {
        pressed = KanaModeKeyboard::pressedReport(mode);
    } catch (const KanaModeKeyboard::KeyboardError&) {
        return complete(done, std::current_exception());
    }
    if (state->device) return pressAndRelease(state, state->device, mode, pressed, std::move(done));
    start(state, [state, mode, pressed, done](std::exception_ptr error) {
        if (error) return complete(done, error);
        if (!state->device) {
            return complete(done, std::make_exception_ptr(KanaModeKeyboard::KeyboardError::creationFailed()));
        }
        pressAndRelease(state, state->device, mode, pressed, done);
    });
}

void runNextTap(const std::shared_ptr<State>& state) {
    if (state->tapInProgress || state->taps.empty()) return;
    auto next = std::move(state->taps.front());
    state->taps.pop_front();
    state->tapInProgress = true;
    performTap(state, next.mode, [state, completion = std::move(next.completion)](std::exception_ptr error) {
        state->tapInProgress = false;
        complete(completion, error);
        runNextTap(state);
    });
}

} // namespace

std::string KanaModeKeyboard::KeyboardError::description() const {
    if (kind_ == Kind::creationFailed) return "creationFailed";
    return "unsupportedMode(" + modeName(*mode_) + ")";
}

void KanaModeKeyboard::Delegate::handleSetReport(platform::HIDReportType, std::uint8_t, std::span<const std::uint8_t>) {
    // The host's LED reports mean nothing to a keyboard that only presses mode keys.
}

std::vector<std::uint8_t> KanaModeKeyboard::Delegate::handleGetReport(platform::HIDReportType, std::uint8_t,
                                                                      int maxSize) {
    const auto count = std::min<std::size_t>(static_cast<std::size_t>(std::max(maxSize, 0)), releasedReport.size());
    return std::vector<std::uint8_t>(releasedReport.begin(), releasedReport.begin() + static_cast<std::ptrdiff_t>(count));
}

KanaModeKeyboard::Report KanaModeKeyboard::pressedReport(InputMode mode) {
    Report report{};
    switch (mode) {
    case InputMode::eisu: report[2] = lang2Usage; return report;
    case InputMode::kana: report[2] = lang1Usage; return report;
    case InputMode::fullWidthRoman:
    case InputMode::katakana:
    case InputMode::halfWidthKatakana: break;
    }
    throw KeyboardError::unsupportedMode(mode);
}

platform::VirtualHIDDeviceProperties KanaModeKeyboard::deviceProperties() {
    platform::VirtualHIDDeviceProperties properties;
    properties.descriptor.assign(descriptor.begin(), descriptor.end());
    properties.vendorID = 0x5453;
    properties.productID = 1;
    properties.product = "Tessaril Kana Keyboard";
    properties.manufacturer = "Tessaril";
    properties.uniqueID = std::string(application_identity::reverseDNSPrefix) + ".kana-keyboard";
    properties.localizationCode = platform::HIDLocalizationCode::japan;
    return properties;
}

KanaModeKeyboard::KanaModeKeyboard(std::shared_ptr<platform::VirtualHIDDeviceService> service,
                                   platform::Executor& executor, const platform::UptimeClock& clock,
                                   std::shared_ptr<platform::LogSink> logSink)
    : state_(std::make_shared<State>(std::move(service), executor, clock,
                                     MacInputModeDiagnostics::makeLogger(std::move(logSink)))) {}

bool KanaModeKeyboard::isRunning() const { return state_->running.load(); }

void KanaModeKeyboard::start(Completion completion) {
    state_->executor.post([state = state_, completion = std::move(completion)] { tessaril::start(state, completion); });
}

void KanaModeKeyboard::tap(InputMode mode, Completion completion) {
    state_->executor.post([state = state_, mode, completion = std::move(completion)] {
        state->taps.push_back(State::PendingTap{mode, completion});
        runNextTap(state);
    });
}

void KanaModeKeyboard::stop(std::function<void()> completion) {
    state_->executor.post([state = state_, completion = std::move(completion)] { tessaril::stop(state, completion); });
}

} // namespace tessaril
