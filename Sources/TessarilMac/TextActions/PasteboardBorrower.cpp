#include "TessarilMac/TextActions/PasteboardBorrower.hpp"

#include <utility>

namespace tessaril {

PasteboardBorrower::PasteboardBorrower(std::shared_ptr<platform::Pasteboard> pasteboard,
                                       platform::Executor& mainExecutor)
    : pasteboard_(std::move(pasteboard)), mainExecutor_(mainExecutor) {}

void PasteboardBorrower::whenNoCopyPending(std::function<void()> start) {
    if (copyPending_) {
        waiting_.push_back(std::move(start));
        return;
    }
    start();
}

void PasteboardBorrower::beginCopy() { copyPending_ = true; }

void PasteboardBorrower::endCopy() {
    copyPending_ = false;
    // A started action may post its own ⌘C; the rest then waits for that copy in turn.
    while (!copyPending_ && !waiting_.empty()) {
        auto start = std::move(waiting_.front());
        waiting_.pop_front();
        start();
    }
}

PasteboardBorrower::Borrowing PasteboardBorrower::borrow() {
    auto pending = std::exchange(pending_, std::nullopt);
    const std::int64_t count = pasteboard_->changeCount();
    if (pending && count == pending->ownCount) {
        pending->work.cancel();
        return Borrowing{pending->snapshot, count};
    }
    auto snapshot = std::make_shared<const PasteboardSnapshot>(PasteboardSnapshot::capture(*pasteboard_));
    return Borrowing{snapshot, snapshot->changeCount};
}

void PasteboardBorrower::restoreLater(const Borrowing& borrowing, std::int64_t ownCount) {
    auto work = mainExecutor_.postAfter(restoreWait, [pasteboard = pasteboard_, snapshot = borrowing.snapshot, ownCount] {
        if (pasteboard->changeCount() == ownCount) snapshot->restore(*pasteboard);
    });
    pending_ = PendingRestore{borrowing.snapshot, ownCount, work};
}

void PasteboardBorrower::restoreNow(const Borrowing& borrowing) { borrowing.snapshot->restore(*pasteboard_); }

void PasteboardBorrower::restoreUnlessUnchanged(const Borrowing& borrowing) {
    if (pasteboard_->changeCount() != borrowing.snapshot->changeCount) borrowing.snapshot->restore(*pasteboard_);
}

} // namespace tessaril
