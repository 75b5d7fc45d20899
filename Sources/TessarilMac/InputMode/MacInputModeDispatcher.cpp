#include "TessarilMac/InputMode/MacInputModeDispatcher.hpp"

#include "TessarilMac/InputMode/MacInputSourceResolver.hpp"

namespace tessaril {

namespace {

constexpr std::string_view sourceIDField = "sourceID";
constexpr std::string_view inputModeIDField = "inputModeID";
constexpr std::string_view localizedNameField = "localizedName";

} // namespace

MacInputModeDispatcher::MacInputModeDispatcher(MacInputSourceIDs sourceIDs, platform::UserDefaults& defaults,
                                               platform::InputSourceService& inputSources,
                                               std::shared_ptr<platform::LogSink> logSink)
    : sourceIDs_(std::move(sourceIDs)), defaults_(defaults), inputSources_(inputSources),
      diagnostics_(std::move(logSink)) {}

std::optional<MacInputModeDispatcher::ModeKeySender> MacInputModeDispatcher::modeKeySender() const {
    std::lock_guard lock(senderMutex_);
    return modeKeySender_;
}

void MacInputModeDispatcher::setModeKeySender(std::optional<ModeKeySender> sender) {
    std::lock_guard lock(senderMutex_);
    modeKeySender_ = std::move(sender);
}

void MacInputModeDispatcher::setInputMode(InputMode mode) {
    if (mode == InputMode::eisu || mode == InputMode::kana) {
        const auto sender = modeKeySender();
        if (!sender || !*sender) throw MacInputModeDispatcherError::modeKeyUnavailable(mode);
        (*sender)(mode);
        diagnostics_.modeKeyQueued(mode);
        return;
    }
    // A saved source that is no longer enabled is passed over and the resolver decides.
    if (const auto saved = configuredInputSource(mode)) {
        if (const auto source = findSource(*saved)) {
            select(*source, mode);
            return;
        }
    }
    if (const auto candidate = MacInputSourceResolver::selection(mode, availableInputSources())) {
        if (const auto source = findSource(*candidate)) {
            select(*source, mode);
            return;
        }
    }
    throw MacInputModeDispatcherError::inputSourceNotFound(mode);
}

std::optional<MacInputSourceSelection> MacInputModeDispatcher::configuredInputSource(InputMode mode) const {
    auto sourceID = defaults_.string(defaultsKey(mode, sourceIDField));
    if (!sourceID) return std::nullopt;
    auto inputModeID = defaults_.string(defaultsKey(mode, inputModeIDField));
    auto localizedName = defaults_.string(defaultsKey(mode, localizedNameField)).value_or(*sourceID);
    return MacInputSourceSelection{std::move(*sourceID), std::move(inputModeID), std::move(localizedName)};
}

void MacInputModeDispatcher::saveInputSource(const MacInputSourceSelection& selection, InputMode mode) {
    defaults_.setString(defaultsKey(mode, sourceIDField), selection.sourceID);
    defaults_.setString(defaultsKey(mode, localizedNameField), selection.localizedName);
    if (selection.inputModeID) {
        defaults_.setString(defaultsKey(mode, inputModeIDField), *selection.inputModeID);
    } else {
        defaults_.removeObject(defaultsKey(mode, inputModeIDField));
    }
}

void MacInputModeDispatcher::clearInputSource(InputMode mode) {
    defaults_.removeObject(defaultsKey(mode, sourceIDField));
    defaults_.removeObject(defaultsKey(mode, inputModeIDField));
    defaults_.removeObject(defaultsKey(mode, localizedNameField));
}

MacInputSourceSelection MacInputModeDispatcher::saveCurrentInputSource(InputMode mode) {
    auto current = currentInputSource();
    saveInputSource(current, mode);
    return current;
}

MacInputSourceSelection MacInputModeDispatcher::currentInputSource() const {
    const auto source = inputSources_.copyCurrentKeyboardInputSource();
    const auto properties = source ? inputSources_.properties(*source) : std::nullopt;
    auto selection = properties ? selectionOf(*properties) : std::nullopt;
    if (!selection) throw MacInputModeDispatcherError::currentInputSourceUnavailable();
    return std::move(*selection);
}

std::vector<MacInputSourceSelection> MacInputModeDispatcher::availableInputSources() const {
    std::vector<MacInputSourceSelection> selections;
    const auto sources = inputSources_.createInputSourceList(std::nullopt);
    if (!sources) return selections;
    for (const auto source : *sources) {
        const auto properties = inputSources_.properties(source);
        if (!properties || !properties->isSelectCapable) continue;
        if (auto selection = selectionOf(*properties)) selections.push_back(std::move(*selection));
    }
    return selections;
}

std::optional<InputMode> MacInputModeDispatcher::currentInputMode() const {
    try {
        return MacInputSourceResolver::inputMode(currentInputSource());
    } catch (const MacInputModeDispatcherError&) {
        return std::nullopt;
    }
}

MacInputSourceConfiguration MacInputModeDispatcher::resolvedInputSourceConfiguration() const {
    auto configuration = MacInputSourceResolver::resolve(availableInputSources());
    if (!configuration) throw MacInputModeDispatcherError::inputSourceAutoConfigurationFailed();
    return std::move(*configuration);
}

std::string MacInputModeDispatcher::defaultsKey(InputMode mode, std::string_view field) {
    std::string key("Tessaril.inputSource.");
    key += rawValue(mode);
    key += '.';
    key += field;
    return key;
}

std::optional<platform::InputSourceRef> MacInputModeDispatcher::findSource(
    const MacInputSourceSelection& selection) const {
    const auto sources =
        inputSources_.createInputSourceList(platform::InputSourceFilter{selection.sourceID, selection.inputModeID});
    if (!sources || sources->empty()) return std::nullopt;
    return sources->front();
}

void MacInputModeDispatcher::select(platform::InputSourceRef source, InputMode mode) {
    const auto status = inputSources_.selectInputSource(source);
    const auto properties = inputSources_.properties(source);
    diagnostics_.selectFinished(mode, properties ? properties->sourceID : std::nullopt,
                                properties ? properties->inputModeID : std::nullopt, status);
    if (status != 0) throw MacInputModeDispatcherError::inputSourceSelectionFailed(mode, status);
}

std::optional<MacInputSourceSelection> MacInputModeDispatcher::selectionOf(
    const platform::InputSourceProperties& properties) {
    if (!properties.sourceID) return std::nullopt;
    return MacInputSourceSelection{*properties.sourceID, properties.inputModeID,
                                   properties.localizedName.value_or(*properties.sourceID)};
}

} // namespace tessaril
