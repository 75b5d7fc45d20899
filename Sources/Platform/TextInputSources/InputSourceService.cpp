#include "Platform/TextInputSources/InputSourceService.hpp"

namespace tessaril::platform {

namespace {

bool matches(const InputSourceProperties& properties, const InputSourceFilter& filter) {
    if (filter.sourceID && properties.sourceID != filter.sourceID) return false;
    if (filter.inputModeID && properties.inputModeID != filter.inputModeID) return false;
    return true;
}

} // namespace

InputSourceService::InputSourceService(Executor& mainExecutor) : mainExecutor_(mainExecutor) {}

std::optional<std::vector<InputSourceRef>> InputSourceService::createInputSourceList(
    const std::optional<InputSourceFilter>& filter, bool includeAllInstalled) const {
    std::lock_guard lock(mutex_);
    if (listUnavailable_) return std::nullopt;
    std::vector<InputSourceRef> listed;
    for (const auto& [reference, source] : sources_) {
        if (!includeAllInstalled && !source.properties.isEnabled) continue;
        if (filter && !matches(source.properties, *filter)) continue;
        listed.push_back(reference);
    }
    return listed;
}

std::optional<InputSourceRef> InputSourceService::copyCurrentKeyboardInputSource() const {
    std::lock_guard lock(mutex_);
    if (currentUnavailable_) return std::nullopt;
    return current_;
}

std::optional<InputSourceProperties> InputSourceService::properties(InputSourceRef source) const {
    std::lock_guard lock(mutex_);
    const auto* found = find(source);
    if (found == nullptr) return std::nullopt;
    return found->properties;
}

std::int32_t InputSourceService::selectInputSource(InputSourceRef source) {
    std::vector<std::shared_ptr<const Observer>> toNotify;
    std::int32_t status = 0;
    InputSourceSelectionRecord record;
    std::shared_ptr<const SelectionListener> listener;
    {
        std::lock_guard lock(mutex_);
        const auto* found = find(source);
        if (found == nullptr) {
            status = parameterErrorStatus;
        } else {
            record.sourceID = found->properties.sourceID;
            record.inputModeID = found->properties.inputModeID;
            if (found->selectionStatus) {
                status = *found->selectionStatus;
            } else if (!found->properties.isEnabled || !found->properties.isSelectCapable) {
                status = parameterErrorStatus;
            }
        }
        record.status = status;
        selections_.push_back(record);
        if (status == 0) toNotify = changeCurrentLocked(source);
        listener = selectionListener_;
    }
    notify(std::move(toNotify));
    if (listener) (*listener)(record);
    return status;
}

std::size_t InputSourceService::addSelectedSourceChangedObserver(Observer observer) {
    std::lock_guard lock(mutex_);
    const auto token = nextObserverToken_++;
    observers_.emplace(token, std::make_shared<const Observer>(std::move(observer)));
    return token;
}

void InputSourceService::removeSelectedSourceChangedObserver(std::size_t token) {
    std::lock_guard lock(mutex_);
    observers_.erase(token);
}

void InputSourceService::setSelectionListener(SelectionListener listener) {
    std::lock_guard lock(mutex_);
    selectionListener_ = listener ? std::make_shared<const SelectionListener>(std::move(listener)) : nullptr;
}

InputSourceRef InputSourceService::install(InputSourceProperties properties) {
    std::lock_guard lock(mutex_);
    const InputSourceRef reference{nextIdentity_++};
    sources_.emplace_back(reference, Source{std::move(properties), std::nullopt});
    return reference;
}

void InputSourceService::setEnabled(InputSourceRef source, bool enabled) {
    std::lock_guard lock(mutex_);
    for (auto& [reference, entry] : sources_) {
        if (reference == source) entry.properties.isEnabled = enabled;
    }
}

void InputSourceService::makeCurrent(InputSourceRef source) {
    std::vector<std::shared_ptr<const Observer>> toNotify;
    {
        std::lock_guard lock(mutex_);
        if (find(source) == nullptr) return;
        toNotify = changeCurrentLocked(source);
    }
    notify(std::move(toNotify));
}

void InputSourceService::setListUnavailable(bool unavailable) {
    std::lock_guard lock(mutex_);
    listUnavailable_ = unavailable;
}

void InputSourceService::setCurrentUnavailable(bool unavailable) {
    std::lock_guard lock(mutex_);
    currentUnavailable_ = unavailable;
}

void InputSourceService::setSelectionStatus(InputSourceRef source, std::optional<std::int32_t> status) {
    std::lock_guard lock(mutex_);
    for (auto& [reference, entry] : sources_) {
        if (reference == source) entry.selectionStatus = status;
    }
}

std::vector<InputSourceSelectionRecord> InputSourceService::selections() const {
    std::lock_guard lock(mutex_);
    return selections_;
}

std::optional<InputSourceRef> InputSourceService::currentSource() const {
    std::lock_guard lock(mutex_);
    return current_;
}

const InputSourceService::Source* InputSourceService::find(InputSourceRef source) const {
    for (const auto& [reference, entry] : sources_) {
        if (reference == source) return &entry;
    }
    return nullptr;
}

std::vector<std::shared_ptr<const InputSourceService::Observer>> InputSourceService::changeCurrentLocked(
    InputSourceRef source) {
    if (current_ == source) return {};
    current_ = source;
    std::vector<std::shared_ptr<const Observer>> toNotify;
    for (const auto& [token, observer] : observers_) toNotify.push_back(observer);
    return toNotify;
}

void InputSourceService::notify(std::vector<std::shared_ptr<const Observer>> observers) {
    for (auto& observer : observers) {
        mainExecutor_.post([observer = std::move(observer)] { (*observer)(); });
    }
}

} // namespace tessaril::platform
