#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Platform/Clock/UptimeClock.hpp"
#include "Platform/Dispatch/Executor.hpp"
#include "Platform/HID/VirtualHIDDeviceDelegate.hpp"
#include "Platform/HID/VirtualHIDDeviceProperties.hpp"
#include "Platform/HID/VirtualHIDDeviceService.hpp"
#include "Platform/Logging/LogSink.hpp"
#include "TessarilCore/Support/Error.hpp"
#include "TessarilCore/Input/InputMode.hpp"

namespace tessaril {

// A virtual HID keyboard of the application's own that switches the input mode the way a JIS keyboard
// does: it presses LANG2 (英数) for eisu and LANG1 (かな) for kana, holds the key for 20 ms and releases it.
// Thread: every operation runs on the serial executor given at creation (which must outlive it and its
// work); the public calls may come from any thread and answer through their completion on that
// executor. Taps run one at a time in call order; a start, stop or tap during an activation waits for
// it, so one activation creates one device. Operations already asked for keep the keyboard's state
// alive until they finish, so a key that was pressed is always released.
class KanaModeKeyboard {
public:
    // Null on success, else the error: KeyboardError, or the platform's VirtualHIDError of a report
    // (`inputDispatchErrorTypeName` names either for the status text).
    using Completion = std::function<void(std::exception_ptr error)>;

    class KeyboardError : public Error {
    public:
        enum class Kind { unsupportedMode, creationFailed };

        static KeyboardError unsupportedMode(InputMode mode) { return KeyboardError(Kind::unsupportedMode, mode); }
        static KeyboardError creationFailed() { return KeyboardError(Kind::creationFailed, std::nullopt); }

        Kind kind() const { return kind_; }
        std::optional<InputMode> mode() const { return mode_; }

        // The case and its mode ("unsupportedMode(katakana)"), for logs and test output.
        std::string description() const override;
        std::string typeName() const override { return "KeyboardError"; }

        friend bool operator==(const KeyboardError& left, const KeyboardError& right) {
            return left.kind_ == right.kind_ && left.mode_ == right.mode_;
        }

    private:
        KeyboardError(Kind kind, std::optional<InputMode> mode) : kind_(kind), mode_(mode) {}
        Kind kind_;
        std::optional<InputMode> mode_;
    };

    // Answers the host's report requests with constant data only; any thread, no lock.
    class Delegate final : public platform::VirtualHIDDeviceDelegate {
    public:
        void handleSetReport(platform::HIDReportType type, std::uint8_t reportID,
                             std::span<const std::uint8_t> data) override;
        std::vector<std::uint8_t> handleGetReport(platform::HIDReportType type, std::uint8_t reportID,
                                                  int maxSize) override;
    };

    using Report = std::array<std::uint8_t, 8>;

    // The boot-keyboard report descriptor, with 255 as the key array's logical and usage maximum.
    static constexpr std::array<std::uint8_t, 65> descriptor = {
        0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01, 0x75,
        0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x01, 0x95, 0x05, 0x75, 0x01, 0x05, 0x08,
        0x19, 0x01, 0x29, 0x05, 0x91, 0x02, 0x95, 0x01, 0x75, 0x03, 0x91, 0x01, 0x95, 0x06, 0x75, 0x08, 0x15,
        0x00, 0x26, 0xFF, 0x00, 0x05, 0x07, 0x19, 0x00, 0x2A, 0xFF, 0x00, 0x81, 0x00, 0xC0,
    };
    static constexpr Report releasedReport{};
    static constexpr std::uint8_t lang1Usage = 0x90; // かな
    static constexpr std::uint8_t lang2Usage = 0x91; // 英数
    static constexpr std::chrono::milliseconds holdDuration{20};

    // The report with the mode's key down; throws KeyboardError::unsupportedMode for the modes without a key.
    static Report pressedReport(InputMode mode);
    static platform::VirtualHIDDeviceProperties deviceProperties();

    KanaModeKeyboard(std::shared_ptr<platform::VirtualHIDDeviceService> service, platform::Executor& executor,
                     const platform::UptimeClock& clock, std::shared_ptr<platform::LogSink> logSink);
    KanaModeKeyboard(const KanaModeKeyboard&) = delete;
    KanaModeKeyboard& operator=(const KanaModeKeyboard&) = delete;

    // Whether a device is held. Any thread.
    bool isRunning() const;
    // Creates and activates the device unless one is held.
    void start(Completion completion = {});
    // Presses and releases the key of the mode after every earlier tap has finished; starts the keyboard
    // first when it is stopped.
    void tap(InputMode mode, Completion completion = {});
    // Releases the key and drops the device; a tap in progress still finishes on the device it pressed.
    void stop(std::function<void()> completion = {});

    struct State;

private:
    std::shared_ptr<State> state_;
};

} // namespace tessaril
