#include "Doubles/SessionShellRecorder.hpp"

#include <utility>

#include "Platform/Quartz/EventField.hpp"
#include "TessarilCore/Engine/EngineAction.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Support/Unicode.hpp"
#include "TessarilMac/EventTap/EventTapInputBackendError.hpp"

namespace tessaril {

namespace {

using Json = nlohmann::json;
using Observation = platform::SessionObservation;

std::string hexBytes(const std::vector<std::uint8_t>& bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    for (auto byte : bytes) {
        if (!text.empty()) text += ' ';
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

Json flagNames(platform::EventFlags flags) {
    namespace bits = platform::event_flags;
    Json names = Json::array();
    if (flags & bits::maskCommand) names.push_back("command");
    if (flags & bits::maskShift) names.push_back("shift");
    if (flags & bits::maskAlternate) names.push_back("option");
    if (flags & bits::maskControl) names.push_back("control");
    return names;
}

Json postedEvent(const platform::Event& event) {
    Json posted = Json::object();
    posted["type"] = event.type() == platform::EventType::keyUp ? "keyUp" : "keyDown";
    posted["keyCode"] = event.integerValueField(platform::EventField::keyboardEventKeycode);
    posted["flags"] = flagNames(event.flags());
    if (!event.keyboardUnicodeString().empty()) posted["text"] = unicode::fromUTF16(event.keyboardUnicodeString());
    return posted;
}

Json textAction(const SessionShellRecorder::TextAction& action) {
    return std::visit(
        [](const auto& call) -> Json {
            using Call = std::decay_t<decltype(call)>;
            if constexpr (std::is_same_v<Call, EngineAction::InsertText>) {
                return Json{{"insertText", call.text}};
            } else if constexpr (std::is_same_v<Call, EngineAction::InsertTextAndMoveCursorLeft>) {
                return Json{{"insertTextAndMoveCursorLeft", {{"text", call.text}, {"count", call.count}}}};
            } else if constexpr (std::is_same_v<Call, EngineAction::InsertTextPair>) {
                return Json{{"insertTextPair", {{"opening", call.opening}, {"closing", call.closing}}}};
            } else if constexpr (std::is_same_v<Call, EngineAction::PerformTextTool>) {
                return Json{{"textTool", coding::encode(call.action)}};
            } else {
                return Json{{"fixedPhrase", coding::encode(call.insertion)}};
            }
        },
        action);
}

} // namespace

SessionShellRecorder::SessionShellRecorder(platform::SimulatedSession& session, TessarilSettings settings)
    : session_(session),
      kanaKeyboardExecutor_(session.mainQueue().makeSerialExecutor("kana-keyboard")),
      modeKeyWorkerExecutor_(session.mainQueue().makeSerialExecutor("mode-key-queue")) {
    session_.setObserver([this](const Observation& observation) {
        std::visit([&](const auto& payload) { entries_.push_back(Entry{observation.atMilliseconds, payload}); },
                   observation.payload);
    });
    pipeline_ = std::make_unique<KeyboardPipeline>(
        *this, std::move(settings),
        KeyboardPipeline::Services{session.events(), *session.hidDevices(), session.inputSources(), session.defaults(),
                                   session.mainQueue(), *kanaKeyboardExecutor_, *modeKeyWorkerExecutor_,
                                   session.clock(), session.accessibility(), session.threads(), session.logSink()});
}

SessionShellRecorder::~SessionShellRecorder() {
    // The tap thread and the queued work must not outlive what they call into.
    pipeline_.reset();
    session_.setObserver({});
}

void SessionShellRecorder::launch() {
    isLaunching_ = true;
    pipeline_->startKanaModeKeyboard();
    pipeline_->startObservingInputSources();
    pipeline_->eventController().updateFrontmostApplicationBundleIdentifier(frontmostApplication_);
    try {
        pipeline_->startInputBackend();
    } catch (const EventTapInputBackendError& error) {
        if (error.errorCase() == EventTapInputBackendError::Case::accessibilityNotTrusted) {
            setStatusText(std::string(accessibilityWaitingStatus));
        } else {
            pipeline_->recordInputDispatchError(std::current_exception());
        }
    }
    session_.runReadyWork();
    isLaunching_ = false;
}

void SessionShellRecorder::frontmostApplicationDidChange(std::optional<std::string> bundleIdentifier) {
    frontmostApplication_ = std::move(bundleIdentifier);
    pipeline_->eventController().updateFrontmostApplicationBundleIdentifier(frontmostApplication_);
}

void SessionShellRecorder::persistSettings(TessarilSettings settings) {
    pipeline_->eventController().updateSettings(std::move(settings));
    pipeline_->eventController().updateFrontmostApplicationBundleIdentifier(frontmostApplication_);
}

void SessionShellRecorder::setSuspended(bool isSuspended, std::string_view reason) {
    pipeline_->eventController().setSuspended(isSuspended, reason);
}

void SessionShellRecorder::resetRuntimeState() { pipeline_->eventController().resetRuntimeState(); }

void SessionShellRecorder::setStatusText(const std::string& text) {
    if (statusText_ == text) return;
    statusText_ = text;
    if (!isLaunching_) record(StatusTextChanged{text});
}

void SessionShellRecorder::performTextPairInsertion(const std::string& opening, const std::string& closing) {
    record(EngineAction::InsertTextPair{opening, closing});
}

void SessionShellRecorder::performPlainCopy() { record(EngineAction::PerformTextTool{TextToolAction::plainCopy}); }

void SessionShellRecorder::performPlainPaste() { record(EngineAction::PerformTextTool{TextToolAction::plainPaste}); }

void SessionShellRecorder::performCharacterCountCheck() { record(EngineAction::PerformTextTool{TextToolAction::characterCount}); }

void SessionShellRecorder::performFixedPhraseInsertion(const FixedPhraseInsertion& insertion) {
    record(EngineAction::InsertFixedPhrase{insertion});
}

void SessionShellRecorder::dispatchTextInsertion(const std::string& text) {
    record(EngineAction::InsertText{text});
    pipeline_->insertText(text);
}

void SessionShellRecorder::dispatchTextInsertionAndCursorMove(const std::string& text, std::int64_t count) {
    record(EngineAction::InsertTextAndMoveCursorLeft{text, count});
    pipeline_->insertTextAndMoveCursorLeft(text, count);
}

void SessionShellRecorder::finishAccessibilityRevocation() {
    pipeline_->eventController().resetRuntimeState();
    setStatusText(std::string(accessibilityWaitingStatus));
}

void SessionShellRecorder::record(Entry::Payload payload) {
    // Events posted before this call belong before it in the transcript.
    session_.reportPendingObservations();
    entries_.push_back(Entry{session_.nowMilliseconds(), std::move(payload)});
}

nlohmann::json SessionShellRecorder::json(const Entry& entry) {
    Json line{{"atMs", entry.atMilliseconds}};
    std::visit(
        [&](const auto& payload) {
            using Payload = std::decay_t<decltype(payload)>;
            if constexpr (std::is_same_v<Payload, Observation::TapAnswered>) {
                line["decision"] = payload.suppressed ? "suppress" : "pass";
                line["keyCode"] = payload.keyCode;
            } else if constexpr (std::is_same_v<Payload, Observation::HIDReportSent>) {
                line["hidReport"] = hexBytes(payload.bytes);
            } else if constexpr (std::is_same_v<Payload, Observation::InputSourceSelected>) {
                line["inputSourceSelected"] = payload.sourceID;
                line["by"] = payload.by == Observation::Selector::dispatcher ? "dispatcher" : "inputMethod";
            } else if constexpr (std::is_same_v<Payload, Observation::EventPosted>) {
                line["posted"] = postedEvent(payload.event);
            } else if constexpr (std::is_same_v<Payload, TextAction>) {
                line["textAction"] = textAction(payload);
            } else {
                line["status"] = payload.text;
            }
        },
        entry.payload);
    return line;
}

std::vector<std::string> SessionShellRecorder::jsonLines() const {
    std::vector<std::string> lines;
    lines.reserve(entries_.size());
    for (const auto& entry : entries_) lines.push_back(json(entry).dump(-1, ' ', false, Json::error_handler_t::replace));
    return lines;
}

} // namespace tessaril
