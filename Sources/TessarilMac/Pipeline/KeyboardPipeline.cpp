#include "TessarilMac/Pipeline/KeyboardPipeline.hpp"

#include <algorithm>
#include <limits>

#include "TessarilMac/Pipeline/InputDispatchErrorTypeName.hpp"
#include "TessarilMac/InputMode/MacInputSourceIDs.hpp"

namespace tessaril {

KeyboardPipeline::KeyboardPipeline(KeyboardPipelineHost& host, TessarilSettings settings, Services services)
    : services_(std::move(services)),
      link_(std::make_shared<Link>(Link{*this, host})),
      inputModeDispatcher_(MacInputSourceIDs::applicationDefaults(), services_.defaults, services_.inputSources,
                           services_.logSink),
      kanaModeKeyboard_(std::make_shared<KanaModeKeyboard>(services_.hid.shared_from_this(),
                                                           services_.kanaKeyboardExecutor, services_.clock,
                                                           services_.logSink)),
      keyboardActionDispatcher_(services_.events),
      inputBackend_(EventTapMode::interceptKeyboardEvents,
                    EventTapInputBackend::Services{services_.events, services_.accessibility, services_.mainExecutor,
                                                   services_.clock, services_.threads, services_.logSink}),
      modeKeyDispatchQueue_(std::make_shared<ModeKeyDispatchQueue>(services_.modeKeyWorkerExecutor, modeKeySend())),
      eventController_(KeyboardEventController::make(
          std::move(settings), controllerCallbacks(),
          KeyboardEventController::Services{services_.mainExecutor, services_.clock, services_.logSink})) {}

KeyboardPipeline::~KeyboardPipeline() {
    if (inputSourceObserverToken_) services_.inputSources.removeSelectedSourceChangedObserver(*inputSourceObserverToken_);
    inputBackend_.stop();
    inputModeDispatcher_.setModeKeySender(std::nullopt);
    link_.reset();
}

void KeyboardPipeline::onMain(platform::Executor& mainExecutor, const std::weak_ptr<Link>& link,
                              std::function<void(Link&)> body) {
    mainExecutor.post([link, body = std::move(body)] {
        if (auto current = link.lock()) body(*current);
    });
}

// The callbacks of the controller, in the order of its initialiser. Those that run on the main queue
// find the pipeline through the weak link; the two that run on the tap thread only touch the queue.
KeyboardEventController::Callbacks KeyboardPipeline::controllerCallbacks() {
    std::weak_ptr<Link> weakLink = link_;
    std::weak_ptr<ModeKeyDispatchQueue> weakQueue = modeKeyDispatchQueue_;
    KeyboardEventController::Callbacks callbacks;
    callbacks.dispatchInputMode = [weakLink](InputMode mode) {
        auto link = weakLink.lock();
        if (!link) return;
        try {
            link->pipeline.inputModeDispatcher_.setInputMode(mode);
        } catch (...) {
            link->pipeline.recordInputDispatchError(std::current_exception());
        }
    };
    callbacks.dispatchInputModeRequest = [weakQueue](InputMode mode, KeyboardEventController::StalenessCheck check) {
        if (auto queue = weakQueue.lock()) queue->enqueue(mode, std::move(check));
    };
    callbacks.cancelPendingModeKeys = [weakQueue] {
        if (auto queue = weakQueue.lock()) queue->cancelPending();
    };
    callbacks.pointerButtonWasPressed = KeyboardEventController::systemPointerButtonPressCheck(services_.events);
    callbacks.dispatchTextInsertion = [weakLink](const std::string& text) {
        if (auto link = weakLink.lock()) link->host.dispatchTextInsertion(text);
    };
    callbacks.dispatchTextInsertionAndCursorMove = [weakLink](const std::string& text, std::int64_t count) {
        if (auto link = weakLink.lock()) link->host.dispatchTextInsertionAndCursorMove(text, count);
    };
    callbacks.dispatchTextPairInsertion = [weakLink](const std::string& opening, const std::string& closing) {
        if (auto link = weakLink.lock()) link->host.performTextPairInsertion(opening, closing);
    };
    callbacks.dispatchTextTool = [weakLink](TextToolAction action) {
        auto link = weakLink.lock();
        if (!link) return;
        switch (action) {
        case TextToolAction::plainCopy: link->host.performPlainCopy(); return;
        case TextToolAction::plainPaste: link->host.performPlainPaste(); return;
        case TextToolAction::characterCount: link->host.performCharacterCountCheck(); return;
        }
    };
    callbacks.dispatchFixedPhraseInsertion = [weakLink](const FixedPhraseInsertion& insertion) {
        if (auto link = weakLink.lock()) link->host.performFixedPhraseInsertion(insertion);
    };
    return callbacks;
}

// Eisu and kana are pressed on the virtual kana keyboard from the queue's worker; the other modes select
// an input source, which only the main thread may do. The queue waits for `finished` before the next.
ModeKeyDispatchQueue::Send KeyboardPipeline::modeKeySend() {
    std::weak_ptr<Link> weakLink = link_;
    std::weak_ptr<KanaModeKeyboard> weakKeyboard = kanaModeKeyboard_;
    platform::Executor& mainExecutor = services_.mainExecutor;
    return [weakLink, weakKeyboard, &mainExecutor](InputMode mode, ModeKeyDispatchQueue::IsCurrent stillCurrent,
                                                   std::function<void()> finished) {
        if (mode == InputMode::eisu || mode == InputMode::kana) {
            auto keyboard = weakKeyboard.lock();
            if (!keyboard || !stillCurrent()) {
                finished();
                return;
            }
            keyboard->tap(mode, [weakLink, &mainExecutor, finished](std::exception_ptr error) {
                if (error) {
                    onMain(mainExecutor, weakLink,
                           [error](Link& link) { link.pipeline.recordInputDispatchError(error); });
                }
                finished();
            });
            return;
        }
        mainExecutor.post([weakLink, mode, stillCurrent = std::move(stillCurrent), finished = std::move(finished)] {
            if (auto link = weakLink.lock(); link && stillCurrent()) {
                try {
                    link->pipeline.inputModeDispatcher_.setInputMode(mode);
                } catch (...) {
                    link->pipeline.recordInputDispatchError(std::current_exception());
                }
            }
            finished();
        });
    };
}

void KeyboardPipeline::startKanaModeKeyboard(std::function<void(std::exception_ptr error)> finished) {
    std::weak_ptr<ModeKeyDispatchQueue> weakQueue = modeKeyDispatchQueue_;
    inputModeDispatcher_.setModeKeySender([weakQueue](InputMode mode) {
        if (auto queue = weakQueue.lock()) queue->enqueue(mode);
    });
    std::weak_ptr<Link> weakLink = link_;
    platform::Executor& mainExecutor = services_.mainExecutor;
    kanaModeKeyboard_->start([weakLink, &mainExecutor, finished = std::move(finished)](std::exception_ptr error) {
        if (!error && !finished) return;
        onMain(mainExecutor, weakLink, [error, finished](Link& link) {
            if (error) link.pipeline.recordInputDispatchError(error);
            if (finished) finished(error);
        });
    });
}

void KeyboardPipeline::startObservingInputSources() {
    if (!inputSourceObserverToken_) {
        std::weak_ptr<Link> weakLink = link_;
        inputSourceObserverToken_ = services_.inputSources.addSelectedSourceChangedObserver([weakLink] {
            if (auto link = weakLink.lock()) link->pipeline.syncObservedInputMode();
        });
    }
    syncObservedInputMode();
}

void KeyboardPipeline::syncObservedInputMode() {
    eventController_->updateObservedInputMode(inputModeDispatcher_.currentInputMode());
}

void KeyboardPipeline::startInputBackend() {
    std::shared_ptr<KeyboardEventController> controller = eventController_;
    std::weak_ptr<Link> weakLink = link_;
    platform::Executor& mainExecutor = services_.mainExecutor;
    auto reportKeyDown = [weakLink, &mainExecutor, reports = reportsKeyDowns_](const KeyboardInputEvent& event) noexcept {
        if (event.kind != KeyboardInputEvent::Kind::keyDown || event.isSynthetic || !reports->load()) return;
        try {
            onMain(mainExecutor, weakLink, [](Link& link) {
                if (link.pipeline.keyDownObserver_) link.pipeline.keyDownObserver_();
            });
        } catch (...) {
            // A report that cannot be queued is dropped; the key itself is still handled.
        }
    };
    inputBackend_.start([controller, reportKeyDown](const KeyboardInputEvent& event) {
                            reportKeyDown(event);
                            return controller->handle(event);
                        },
                        [controller] { controller->resetRuntimeState(); },
                        [weakLink](EventTapInterruptionReason reason) {
                            auto link = weakLink.lock();
                            if (!link || reason != EventTapInterruptionReason::accessibilityRevoked) return;
                            link->pipeline.inputBackend_.stop();
                            link->host.finishAccessibilityRevocation();
                        });
    eventController_->resetRuntimeState();
}

void KeyboardPipeline::stopInputBackend() { inputBackend_.stop(); }

void KeyboardPipeline::setKeyDownObserver(std::function<void()> observer) {
    keyDownObserver_ = std::move(observer);
    reportsKeyDowns_->store(static_cast<bool>(keyDownObserver_));
}

void KeyboardPipeline::insertText(const std::string& text) {
    try {
        keyboardActionDispatcher_.insertText(text);
    } catch (...) {
        recordInputDispatchError(std::current_exception());
    }
}

void KeyboardPipeline::insertTextAndMoveCursorLeft(const std::string& text, std::int64_t count) {
    auto moves = static_cast<int>(std::clamp<std::int64_t>(count, 0, std::numeric_limits<int>::max()));
    try {
        keyboardActionDispatcher_.insertTextAndMoveCursorLeft(text, moves);
    } catch (...) {
        recordInputDispatchError(std::current_exception());
    }
}

void KeyboardPipeline::recordInputDispatchError(const std::exception_ptr& error) {
    if (!error || !link_) return;
    link_->host.setStatusText(std::string(inputDispatchErrorPrefix) + inputDispatchErrorTypeName(error));
}

} // namespace tessaril
