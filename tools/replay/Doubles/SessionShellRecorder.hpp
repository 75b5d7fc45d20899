#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "Platform/Dispatch/Executor.hpp"
#include "Platform/Session/SessionObservation.hpp"
#include "Platform/Session/SimulatedSession.hpp"
#include "TessarilCore/Engine/EngineAction.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertion.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilCore/Rules/TextToolAction.hpp"
#include "TessarilMac/Pipeline/KeyboardPipeline.hpp"
#include "TessarilMac/Pipeline/KeyboardPipelineHost.hpp"

namespace tessaril {

// Stands in for the application delegate inside a simulated login session: owns the keyboard pipeline
// wired on the session's stand-ins, launches it as the application does, makes the application's calls
// (frontmost application, settings, suspension, reset) and answers the pipeline's calls into the shell.
// Text actions are recorded; typing a text and moving the caret are also carried out, so their
// posted events follow. An input error becomes the status "入力送信エラー: " and the error type's name; a withdrawn
// permission resets the controller and sets "アクセシビリティ権限待ち". It keeps one transcript of
// everything the session observed and everything the shell was asked, in order, with virtual times.
// Thread: the session's driving thread (the main thread), like the delegate.
class SessionShellRecorder final : public KeyboardPipelineHost {
public:
    static constexpr std::string_view accessibilityWaitingStatus = "アクセシビリティ権限待ち";

    // The shell's text actions are the engine's text actions as the pipeline hands them over.
    using TextAction = std::variant<EngineAction::InsertText, EngineAction::InsertTextAndMoveCursorLeft,
                                    EngineAction::InsertTextPair, EngineAction::PerformTextTool,
                                    EngineAction::InsertFixedPhrase>;
    struct StatusTextChanged {
        std::string text;
        friend bool operator==(const StatusTextChanged&, const StatusTextChanged&) = default;
    };

    // One line of the transcript.
    struct Entry {
        using Payload = std::variant<platform::SessionObservation::TapAnswered, platform::SessionObservation::HIDReportSent,
                                     platform::SessionObservation::InputSourceSelected,
                                     platform::SessionObservation::EventPosted, TextAction, StatusTextChanged>;
        std::uint64_t atMilliseconds = 0;
        Payload payload;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // The session must outlive the recorder.
    SessionShellRecorder(platform::SimulatedSession& session, TessarilSettings settings);
    ~SessionShellRecorder() override;
    SessionShellRecorder(const SessionShellRecorder&) = delete;
    SessionShellRecorder& operator=(const SessionShellRecorder&) = delete;

    // What the application does for the keyboard when it has finished launching: starts the virtual
    // kana keyboard, observes the input sources, hands the frontmost application to the controller and
    // starts the event tap. A status it sets on the way is kept but not recorded.
    void launch();

    // The application's calls.
    void frontmostApplicationDidChange(std::optional<std::string> bundleIdentifier);
    // The settings changed and were saved: the controller gets them and the tracked frontmost application.
    void persistSettings(TessarilSettings settings);
    void setSuspended(bool isSuspended, std::string_view reason);
    void resetRuntimeState();

    // KeyboardPipelineHost.
    void setStatusText(const std::string& text) override;
    void dispatchTextInsertion(const std::string& text) override;
    void dispatchTextInsertionAndCursorMove(const std::string& text, std::int64_t count) override;
    void performTextPairInsertion(const std::string& opening, const std::string& closing) override;
    void performPlainCopy() override;
    void performPlainPaste() override;
    void performCharacterCountCheck() override;
    void performFixedPhraseInsertion(const FixedPhraseInsertion& insertion) override;
    void finishAccessibilityRevocation() override;

    KeyboardPipeline& pipeline() { return *pipeline_; }
    const std::optional<std::string>& statusText() const { return statusText_; }
    const std::vector<Entry>& entries() const { return entries_; }

    // The transcript as the replay tool prints it: one compact JSON object per entry.
    std::vector<std::string> jsonLines() const;
    static nlohmann::json json(const Entry& entry);

private:
    void record(Entry::Payload payload);

    platform::SimulatedSession& session_;
    // The pipeline's serial executors on the session's timeline; they outlive the pipeline.
    std::shared_ptr<platform::Executor> kanaKeyboardExecutor_;
    std::shared_ptr<platform::Executor> modeKeyWorkerExecutor_;
    std::unique_ptr<KeyboardPipeline> pipeline_;
    std::optional<std::string> frontmostApplication_;
    std::optional<std::string> statusText_;
    bool isLaunching_ = false;
    std::vector<Entry> entries_;
};

} // namespace tessaril
