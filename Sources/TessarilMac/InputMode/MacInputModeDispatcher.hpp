#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Foundation/UserDefaults.hpp"
#include "Platform/Logging/LogSink.hpp"
#include "Platform/TextInputSources/InputSourceService.hpp"
#include "TessarilCore/Input/InputMode.hpp"
#include "TessarilMac/InputMode/MacInputModeDiagnostics.hpp"
#include "TessarilMac/InputMode/MacInputModeDispatcherError.hpp"
#include "TessarilMac/InputMode/MacInputSourceConfiguration.hpp"
#include "TessarilMac/InputMode/MacInputSourceIDs.hpp"
#include "TessarilMac/InputMode/MacInputSourceSelection.hpp"

namespace tessaril {

// Carries out a switch to an input mode: eisu and kana go to the mode-key sender (the virtual kana
// keyboard through the mode-key queue); the other modes select an input source, the one saved for the
// mode or else the resolver's choice. Also keeps the saved source per mode in the user defaults and
// answers the listing and the current source for the settings window.
// Threads: everything that touches input sources runs on the main thread (the caller's duty);
// `setInputMode` for eisu and kana and `modeKeySender` may be used from any thread. The sender sits
// behind its own lock, a leaf: it is copied out and called after the lock is released.
class MacInputModeDispatcher {
public:
    using ModeKeySender = std::function<void(InputMode)>;

    static constexpr std::string_view selectedInputSourceChangedNotification =
        platform::InputSourceService::selectedKeyboardInputSourceChangedNotification;

    MacInputModeDispatcher(MacInputSourceIDs sourceIDs, platform::UserDefaults& defaults,
                           platform::InputSourceService& inputSources, std::shared_ptr<platform::LogSink> logSink);
    MacInputModeDispatcher(const MacInputModeDispatcher&) = delete;
    MacInputModeDispatcher& operator=(const MacInputModeDispatcher&) = delete;

    const MacInputSourceIDs& sourceIDs() const { return sourceIDs_; }

    // Absent until the application installs it when it starts the virtual kana keyboard.
    std::optional<ModeKeySender> modeKeySender() const;
    void setModeKeySender(std::optional<ModeKeySender> sender);

    // Throws MacInputModeDispatcherError.
    void setInputMode(InputMode mode);

    // The saved source of a mode: "Tessaril.inputSource.<mode>.sourceID", ".inputModeID", ".localizedName".
    std::optional<MacInputSourceSelection> configuredInputSource(InputMode mode) const;
    // These three throw platform::UserDefaultsWriteError when the defaults cannot be written.
    void saveInputSource(const MacInputSourceSelection& selection, InputMode mode);
    void clearInputSource(InputMode mode);
    MacInputSourceSelection saveCurrentInputSource(InputMode mode);

    MacInputSourceSelection currentInputSource() const;
    // The enabled, selectable sources in the system's order.
    std::vector<MacInputSourceSelection> availableInputSources() const;
    std::optional<InputMode> currentInputMode() const;
    MacInputSourceConfiguration resolvedInputSourceConfiguration() const;

    // The user-defaults key of one field of a mode's saved source.
    static std::string defaultsKey(InputMode mode, std::string_view field);

private:
    std::optional<platform::InputSourceRef> findSource(const MacInputSourceSelection& selection) const;
    void select(platform::InputSourceRef source, InputMode mode);
    // A source as the listing and the current source give it: none without a source identifier, and
    // the identifier as its name when it has none.
    static std::optional<MacInputSourceSelection> selectionOf(const platform::InputSourceProperties& properties);

    const MacInputSourceIDs sourceIDs_;
    platform::UserDefaults& defaults_;
    platform::InputSourceService& inputSources_;
    const MacInputModeDiagnostics diagnostics_;
    mutable std::mutex senderMutex_;
    std::optional<ModeKeySender> modeKeySender_;
};

} // namespace tessaril
