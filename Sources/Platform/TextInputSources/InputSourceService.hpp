#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "Platform/Dispatch/Executor.hpp"
#include "Platform/TextInputSources/InputSourceFilter.hpp"
#include "Platform/TextInputSources/InputSourceProperties.hpp"
#include "Platform/TextInputSources/InputSourceRef.hpp"
#include "Platform/TextInputSources/InputSourceSelectionRecord.hpp"

namespace tessaril::platform {

// The Text Input Sources service, simulated: the installed sources in the system's order, the current
// keyboard source, selection with a status, and the selected-source-changed notification, delivered to
// observers on the main executor (which must outlive the service). The system's side (installing,
// enabling, making a source current as an input method does) is driven by tests and the simulated
// session; every selection is recorded, and listing, reading the current source and selecting can be
// told to fail. Any thread; one lock, never held while an observer runs.
class InputSourceService {
public:
    using Observer = std::function<void()>;

    // The name of the notification posted when the selected keyboard input source changes.
    static constexpr std::string_view selectedKeyboardInputSourceChangedNotification =
        "com.apple.Carbon.TISNotifySelectedKeyboardInputSourceChanged";
    // The status of a selection the system refuses for a bad argument (disabled, not selectable, unknown).
    static constexpr std::int32_t parameterErrorStatus = -50;

    explicit InputSourceService(Executor& mainExecutor);
    InputSourceService(const InputSourceService&) = delete;
    InputSourceService& operator=(const InputSourceService&) = delete;

    // The sources that match the filter in the system's order: enabled ones only unless
    // `includeAllInstalled`. None when the listing is unavailable.
    std::optional<std::vector<InputSourceRef>> createInputSourceList(const std::optional<InputSourceFilter>& filter,
                                                                     bool includeAllInstalled = false) const;
    // The current keyboard input source; none when unavailable.
    std::optional<InputSourceRef> copyCurrentKeyboardInputSource() const;
    // None for a handle this service never gave out.
    std::optional<InputSourceProperties> properties(InputSourceRef source) const;
    // 0 when the source is now selected, else the refusal's status (nothing changes then).
    std::int32_t selectInputSource(InputSourceRef source);

    std::size_t addSelectedSourceChangedObserver(Observer observer);
    void removeSelectedSourceChangedObserver(std::size_t token);

    using SelectionListener = std::function<void(const InputSourceSelectionRecord&)>;
    // Told of every `selectInputSource` as it happens, on the selecting thread, outside the lock (the
    // simulated session reports selections in order with everything else).
    void setSelectionListener(SelectionListener listener);

    // The system's side.
    InputSourceRef install(InputSourceProperties properties);
    void setEnabled(InputSourceRef source, bool enabled);
    // Makes a source current whatever its flags say, as the user or an input method does; observers
    // are notified when the current source changes.
    void makeCurrent(InputSourceRef source);
    void setListUnavailable(bool unavailable);
    void setCurrentUnavailable(bool unavailable);
    // Every later selection of this source answers `status` (none restores normal selection).
    void setSelectionStatus(InputSourceRef source, std::optional<std::int32_t> status);
    std::vector<InputSourceSelectionRecord> selections() const;
    // The current source as the system knows it, even while reading it is made to fail.
    std::optional<InputSourceRef> currentSource() const;

private:
    struct Source {
        InputSourceProperties properties;
        std::optional<std::int32_t> selectionStatus;
    };

    const Source* find(InputSourceRef source) const;
    // Under the lock: makes the source current and answers the observers to notify (none if unchanged).
    std::vector<std::shared_ptr<const Observer>> changeCurrentLocked(InputSourceRef source);
    void notify(std::vector<std::shared_ptr<const Observer>> observers);

    Executor& mainExecutor_;
    mutable std::mutex mutex_;
    std::vector<std::pair<InputSourceRef, Source>> sources_;
    std::optional<InputSourceRef> current_;
    bool listUnavailable_ = false;
    bool currentUnavailable_ = false;
    std::vector<InputSourceSelectionRecord> selections_;
    std::map<std::size_t, std::shared_ptr<const Observer>> observers_;
    std::shared_ptr<const SelectionListener> selectionListener_;
    std::size_t nextObserverToken_ = 1;
    std::uint64_t nextIdentity_ = 1;
};

} // namespace tessaril::platform
