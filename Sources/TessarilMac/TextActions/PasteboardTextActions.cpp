#include "TessarilMac/TextActions/PasteboardTextActions.hpp"

#include <optional>
#include <utility>

#include "Platform/Pasteboard/PasteboardType.hpp"
#include "TessarilCore/Support/Unicode.hpp"
#include "TessarilMac/TextActions/CharacterCountSummary.hpp"
#include "TessarilMac/TextActions/FixedPhrasePasteboardContent.hpp"
#include "TessarilMac/TextActions/FixedPhrasePayload.hpp"
#include "TessarilMac/TextActions/PasteboardMarkers.hpp"
#include "TessarilMac/TextActions/PasteboardTextActionsState.hpp"

namespace tessaril {

using State = PasteboardTextActions::State;
using Borrowing = PasteboardBorrower::Borrowing;

void State::start(std::function<void(State&)> body) {
    std::weak_ptr<State> weakState = weak_from_this();
    borrower.whenNoCopyPending([weakState, body = std::move(body)] {
        if (auto state = weakState.lock()) body(*state);
    });
}

std::exception_ptr State::post(const std::function<void()>& keystroke) {
    try {
        keystroke();
        return nullptr;
    } catch (...) {
        return std::current_exception();
    }
}

void State::copyPhase(CopyHandler handler) {
    start([handler = std::move(handler)](State& state) {
        Borrowing borrowing = state.borrower.borrow();
        if (auto error = post([&] { state.keystrokes.pressCommandC(); })) {
            state.borrower.restoreUnlessUnchanged(borrowing);
            state.host.recordInputDispatchError(error);
            return;
        }
        state.borrower.beginCopy();
        std::weak_ptr<State> weakState = state.weak_from_this();
        state.mainExecutor.postAfter(copyWait, [weakState, borrowing, handler] {
            auto current = weakState.lock();
            if (!current) return;
            handler(*current, borrowing);
            current->borrower.endCopy();
        });
    });
}

void State::pasteTemporarily(const Borrowing& borrowing, const platform::PasteboardItem& content) {
    auto& board = pasteboard();
    board.clearContents();
    for (const auto& entry : content.dataByType) board.setData(entry.type, entry.data);
    PasteboardMarkers::set(board);
    const std::int64_t ownCount = board.changeCount();
    if (auto error = post([this] { keystrokes.pressCommandV(); })) {
        borrower.restoreNow(borrowing);
        host.recordInputDispatchError(error);
        return;
    }
    borrower.restoreLater(borrowing, ownCount);
}

namespace {

platform::PasteboardItem plainTextContent(std::string_view text) {
    return platform::PasteboardItem{{{std::string(platform::pasteboard_type::string), platform::pasteboardData(text)}}};
}

// The copy put the selection's string on the pasteboard: read it and mark the copy as the system's own,
// so that clipboard histories skip it. None when the copy produced nothing or no string.
std::optional<std::string> copiedString(State& state, const Borrowing& borrowing) {
    auto& board = state.pasteboard();
    if (board.changeCount() == borrowing.startCount) return std::nullopt;
    auto text = board.string();
    if (text) PasteboardMarkers::set(board);
    return text;
}

void plainCopyHandler(State& state, const Borrowing& borrowing) {
    auto& board = state.pasteboard();
    if (board.changeCount() == borrowing.startCount) {
        // Nothing was selected; an earlier action's write taken over goes back now.
        state.borrower.restoreUnlessUnchanged(borrowing);
        return;
    }
    if (auto text = board.string()) {
        // The plain string stays on the pasteboard as the user's copy, without markers.
        board.clearContents();
        board.setString(*text);
        state.host.setStatusText(std::string(PasteboardTextActions::plainCopyStatus));
        return;
    }
    state.borrower.restoreUnlessUnchanged(borrowing);
}

void textPairHandler(State& state, const Borrowing& borrowing, const std::string& opening, const std::string& closing) {
    auto selection = copiedString(state, borrowing);
    if (selection && !selection->empty()) {
        state.pasteTemporarily(borrowing, plainTextContent(opening + *selection + closing));
        return;
    }
    // Nothing selected (an empty string counts as nothing): type the pair with the caret between.
    state.borrower.restoreUnlessUnchanged(borrowing);
    const int moves = static_cast<int>(unicode::characterCount(closing));
    if (auto error = State::post([&] { state.keystrokes.insertTextAndMoveCursorLeft(opening + closing, moves); })) {
        state.host.recordInputDispatchError(error);
    }
}

void copyCountResult(State& state, const std::optional<std::string>& text) {
    if (!text || text->empty() || !state.host.textToolSettings().copiesCharacterCountResult) return;
    state.pasteboard().clearContents();
    state.pasteboard().setString(characterCountResultText(CharacterCountSummary(*text)));
}

} // namespace

PasteboardTextActions::PasteboardTextActions(Services services)
    : state_(std::make_shared<State>(std::move(services))) {}

PasteboardTextActions::~PasteboardTextActions() = default;

void PasteboardTextActions::performPlainPaste() {
    state_->start([](State& state) {
        Borrowing borrowing = state.borrower.borrow();
        // Read from the snapshot: after a takeover the pasteboard still holds the earlier action's write.
        auto text = borrowing.snapshot->string();
        if (!text) {
            state.borrower.restoreUnlessUnchanged(borrowing);
            return;
        }
        state.pasteTemporarily(borrowing, plainTextContent(*text));
    });
}

void PasteboardTextActions::performPlainCopy() { state_->copyPhase(plainCopyHandler); }

void PasteboardTextActions::performTextPairInsertion(const std::string& opening, const std::string& closing) {
    if (opening.empty() && closing.empty()) return;
    state_->copyPhase([opening, closing](State& state, const Borrowing& borrowing) {
        textPairHandler(state, borrowing, opening, closing);
    });
}

void PasteboardTextActions::performCharacterCountCheck() {
    state_->copyPhase([](State& state, const Borrowing& borrowing) {
        auto text = copiedString(state, borrowing);
        state.borrower.restoreUnlessUnchanged(borrowing);
        copyCountResult(state, text);  // replaces the restored contents
        state.host.showCharacterCountHUD(text);
    });
}

void PasteboardTextActions::copyCharacterCountResultIfNeeded(const std::optional<std::string>& text) {
    copyCountResult(*state_, text);
}

void PasteboardTextActions::performFixedPhraseInsertion(const FixedPhraseInsertion& insertion) {
    if (insertion.insertionMode == FixedPhraseInsertionMode::visual) {
        pasteFixedPhrase(insertion);
        return;
    }
    // Typed: the pasteboard is not touched.
    const std::string payload = fixedPhraseTextPayload(insertion);
    if (auto error = State::post([&] { state_->keystrokes.insertText(payload); })) {
        state_->host.recordInputDispatchError(error);
    }
}

void PasteboardTextActions::pasteFixedPhrase(const FixedPhraseInsertion& insertion) {
    state_->start([content = fixedPhrasePasteboardContent(insertion)](State& state) {
        state.pasteTemporarily(state.borrower.borrow(), content);
    });
}

} // namespace tessaril
