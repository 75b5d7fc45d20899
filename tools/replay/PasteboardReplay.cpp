#include "PasteboardReplay.hpp"

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Doubles/RecordingKeystrokes.hpp"
#include "Doubles/ScriptedFrontmostApplication.hpp"
#include "Doubles/TextActionHostRecorder.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/Foundation/DataEncoding.hpp"
#include "Platform/Pasteboard/InMemoryPasteboard.hpp"
#include "Platform/Quartz/EventSystem.hpp"
#include "RequestReading.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertion.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilMac/TextActions/PasteboardTextActions.hpp"

namespace tessaril::replay {
namespace {

using namespace request_reading;

using Json = nlohmann::json;
using Items = std::vector<platform::PasteboardItem>;

struct AdvanceStep {
    std::uint64_t milliseconds;
};
struct PlainPasteStep {};
struct PlainCopyStep {};
struct CharacterCountStep {};
struct PairStep {
    std::string opening;
    std::string closing;
};
struct FixedPhraseStep {
    FixedPhraseInsertion insertion;
};
struct SelectionStep {
    std::optional<Items> selection;
};
struct UserCopiesStep {
    Items items;
};
struct FailNextKeystrokeStep {};
using Step = std::variant<AdvanceStep, PlainPasteStep, PlainCopyStep, CharacterCountStep, PairStep, FixedPhraseStep,
                          SelectionStep, UserCopiesStep, FailNextKeystrokeStep>;

// Read in full before anything runs, so that an unreadable request prints no partial output.
struct Request {
    TessarilSettings settings;
    std::int64_t changeCount = 0;
    Items items;
    std::vector<Step> steps;
};

platform::PasteboardItem readItem(const Json& value, const std::string& where) {
    if (!value.is_array()) unreadable(where, "an item must be an array of {\"type\", \"text\" or \"base64\"} pairs");
    platform::PasteboardItem item;
    for (std::size_t index = 0; index < value.size(); ++index) {
        const std::string at = where + "[" + std::to_string(index) + "]";
        const Json& pair = value[index];
        expectObject(pair, at);
        expectOnlyKeys(pair, {"type", "text", "base64"}, at);
        const Json* type = member(pair, "type");
        const Json* data = member(pair, "text");
        const Json* encoded = member(pair, "base64");
        if (type == nullptr || (data == nullptr) == (encoded == nullptr)) {
            unreadable(at, "needs a \"type\" and either \"text\" or \"base64\"");
        }
        platform::PasteboardData bytes;
        if (data != nullptr) {
            bytes = platform::pasteboardData(text(*data, at + ".text"));
        } else if (auto decoded = platform::data_encoding::base64Decoded(text(*encoded, at + ".base64"))) {
            bytes = std::move(*decoded);
        } else {
            unreadable(at + ".base64", "is not base64");
        }
        item.dataByType.push_back({text(*type, at + ".type"), std::move(bytes)});
    }
    return item;
}

Items readItems(const Json& value, const std::string& where) {
    if (!value.is_array()) unreadable(where, "must be an array of items");
    Items items;
    for (std::size_t index = 0; index < value.size(); ++index) {
        items.push_back(readItem(value[index], where + "[" + std::to_string(index) + "]"));
    }
    return items;
}

Step readStep(const Json& step, const std::string& where) {
    expectObject(step, where);
    if (step.size() != 1) unreadable(where, "a step is an object with exactly one member");
    const std::string& name = step.begin().key();
    const Json& value = step.begin().value();
    const std::string at = where + "." + name;
    if (name == "at") {
        return AdvanceStep{static_cast<std::uint64_t>(
            integer(value, at, 0, std::numeric_limits<std::int64_t>::max() / 1'000'000))};
    }
    if (name == "plainPaste") return expectTrue(value, at), Step{PlainPasteStep{}};
    if (name == "plainCopy") return expectTrue(value, at), Step{PlainCopyStep{}};
    if (name == "characterCount") return expectTrue(value, at), Step{CharacterCountStep{}};
    if (name == "failNextKeystroke") return expectTrue(value, at), Step{FailNextKeystrokeStep{}};
    if (name == "pair") {
        expectObject(value, at);
        expectOnlyKeys(value, {"opening", "closing"}, at);
        const Json* opening = member(value, "opening");
        const Json* closing = member(value, "closing");
        if (opening == nullptr || closing == nullptr) unreadable(at, "needs \"opening\" and \"closing\"");
        return PairStep{text(*opening, at + ".opening"), text(*closing, at + ".closing")};
    }
    if (name == "selection") {
        if (value.is_null()) return SelectionStep{std::nullopt};
        return SelectionStep{readItems(value, at)};
    }
    if (name == "userCopies") return UserCopiesStep{readItems(value, at)};
    if (name == "fixedPhrase") return FixedPhraseStep{coding::decode<FixedPhraseInsertion>(value)};
    unreadable(where, "unknown step \"" + name + "\"");
}

Request readRequest(const Json& document) {
    if (!document.is_object()) throw UnreadableRequest("the request must be a JSON object");
    expectOnlyKeys(document, {"settings", "pasteboard", "steps"}, "request");
    Request request;
    if (const Json* pasteboard = member(document, "pasteboard")) {
        expectObject(*pasteboard, "pasteboard");
        expectOnlyKeys(*pasteboard, {"changeCount", "items"}, "pasteboard");
        if (const Json* count = member(*pasteboard, "changeCount")) {
            request.changeCount = integer(*count, "pasteboard.changeCount", 0, std::numeric_limits<std::int32_t>::max());
        }
        if (const Json* items = member(*pasteboard, "items")) request.items = readItems(*items, "pasteboard.items");
    }
    const Json* steps = member(document, "steps");
    if (steps == nullptr || !steps->is_array()) throw UnreadableRequest("\"steps\" must be an array of steps");
    for (std::size_t index = 0; index < steps->size(); ++index) {
        request.steps.push_back(readStep((*steps)[index], "steps[" + std::to_string(index) + "]"));
    }
    // The settings are decoded last: a request the tool cannot read is reported before a document
    // the system rejects.
    if (const Json* settings = member(document, "settings")) request.settings = coding::decode<TessarilSettings>(*settings);
    return request;
}

Json itemJson(const platform::PasteboardItem& item) {
    Json pairs = Json::array();
    for (const auto& entry : item.dataByType) {
        if (platform::data_encoding::isValidUTF8(entry.data)) {
            pairs.push_back({{"type", entry.type}, {"text", std::string(entry.data.begin(), entry.data.end())}});
        } else {
            pairs.push_back({{"type", entry.type}, {"base64", platform::data_encoding::base64Encoded(entry.data)}});
        }
    }
    return pairs;
}

Json pasteboardJson(const platform::InMemoryPasteboard& pasteboard) {
    Json items = Json::array();
    for (const auto& item : pasteboard.items()) items.push_back(itemJson(item));
    return {{"changeCount", pasteboard.changeCount()}, {"items", items}};
}

Json keystrokeJson(const RecordingKeystrokes::Keystroke& keystroke) {
    using Kind = RecordingKeystrokes::Keystroke::Kind;
    Json line;
    switch (keystroke.kind) {
    case Kind::commandC: line["keystroke"] = "commandC"; break;
    case Kind::commandV: line["keystroke"] = "commandV"; break;
    case Kind::insertText: line["keystroke"] = {{"insertText", keystroke.text}}; break;
    case Kind::insertTextAndMoveCursorLeft:
        line["keystroke"] = {{"insertTextAndMoveCursorLeft", {{"text", keystroke.text}, {"count", keystroke.count}}}};
        break;
    }
    if (keystroke.failed) line["failed"] = true;
    return line;
}

Json hostEventJson(const TextActionHostRecorder::Event& event) {
    if (const auto* status = std::get_if<TextActionHostRecorder::StatusChanged>(&event)) return {{"status", status->text}};
    const auto* shown = std::get_if<TextActionHostRecorder::PanelShown>(&event);
    if (shown == nullptr) return {{"countPanel", nullptr}};
    Json rows = Json::array();
    for (const auto& [label, value] : shown->content.rows) rows.push_back({label, value});
    return {{"countPanel",
             {{"text", shown->content.hasText},
              {"width", static_cast<int>(shown->content.size.width)},
              {"height", static_cast<int>(shown->content.size.height)},
              {"rows", rows}}}};
}

// The main executor as the actions see it: the scheduler, with a look at the pasteboard after each task.
class ObservedMainExecutor final : public platform::Executor {
public:
    ObservedMainExecutor(platform::VirtualScheduler& scheduler, std::function<void()> afterTask)
        : scheduler_(scheduler), afterTask_(std::move(afterTask)) {}

    void post(Block block) override { scheduler_.post(wrap(std::move(block))); }
    platform::DelayedWorkItem postAfter(std::chrono::nanoseconds delay, Block block) override {
        return scheduler_.postAfter(delay, wrap(std::move(block)));
    }
    bool isCurrent() const override { return scheduler_.isCurrent(); }

private:
    Block wrap(Block block) {
        return [block = std::move(block), afterTask = afterTask_] {
            block();
            afterTask();
        };
    }

    platform::VirtualScheduler& scheduler_;
    std::function<void()> afterTask_;
};

// Everything one run needs, wired as the application wires the text actions, and the transcript.
class PasteboardRun {
public:
    PasteboardRun(const Request& request, const Invocation& invocation)
        : invocation_(invocation),
          pasteboard_(std::make_shared<platform::InMemoryPasteboard>(request.changeCount, request.items)),
          events_(clock_),
          frontmost_(events_, *pasteboard_),
          keystrokes_(events_),
          host_(request.settings.textTools),
          executor_(scheduler_, [this] { printPasteboardIfChanged(); }),
          actions_({pasteboard_, executor_, keystrokes_, host_}),
          printed_(pasteboardJson(*pasteboard_)) {
        keystrokes_.setObserver([this](const RecordingKeystrokes::Keystroke& keystroke) { print(keystrokeJson(keystroke)); });
        host_.setObserver([this](const TextActionHostRecorder::Event& event) { print(hostEventJson(event)); });
    }

    void run(const Step& step) {
        std::visit([this](const auto& item) { perform(item); }, step);
        scheduler_.runUntilIdle();
        printPasteboardIfChanged();
    }

private:
    void perform(const AdvanceStep& step) { scheduler_.advanceTo(step.milliseconds); }
    void perform(const PlainPasteStep&) { actions_.performPlainPaste(); }
    void perform(const PlainCopyStep&) { actions_.performPlainCopy(); }
    void perform(const CharacterCountStep&) { actions_.performCharacterCountCheck(); }
    void perform(const PairStep& step) { actions_.performTextPairInsertion(step.opening, step.closing); }
    void perform(const FixedPhraseStep& step) { actions_.performFixedPhraseInsertion(step.insertion); }
    void perform(const SelectionStep& step) { frontmost_.setSelection(step.selection); }
    void perform(const UserCopiesStep& step) {
        pasteboard_->clearContents();
        pasteboard_->writeObjects(step.items);
    }
    void perform(const FailNextKeystrokeStep&) { keystrokes_.failNextKeystroke(); }

    void print(Json line) {
        line["atMs"] = scheduler_.nowMilliseconds();
        invocation_.emit(line);
    }

    void printPasteboardIfChanged() {
        Json current = pasteboardJson(*pasteboard_);
        if (current == printed_) return;
        printed_ = current;
        print({{"pasteboard", current}});
    }

    const Invocation& invocation_;
    platform::VirtualUptimeClock clock_;
    platform::VirtualScheduler scheduler_{clock_};
    std::shared_ptr<platform::InMemoryPasteboard> pasteboard_;
    platform::EventSystem events_;
    ScriptedFrontmostApplication frontmost_;
    RecordingKeystrokes keystrokes_;
    TextActionHostRecorder host_;
    ObservedMainExecutor executor_;
    PasteboardTextActions actions_;
    Json printed_;
};

} // namespace

int runPasteboardReplay(const Invocation& invocation) {
    const Request request = readRequest(invocation.readRequest());
    PasteboardRun run(request, invocation);
    for (const auto& step : request.steps) run.run(step);
    return 0;
}

} // namespace tessaril::replay
