#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "Platform/Dispatch/Executor.hpp"
#include "Platform/Pasteboard/Pasteboard.hpp"
#include "TessarilMac/TextActions/PasteboardSnapshot.hpp"

namespace tessaril {

// Lends the general pasteboard to the text actions and sees that the user gets the contents back.
// A borrowing starts with the snapshot to put back. An action that leaves its own write on the
// pasteboard and pastes it hands the borrowing back with its own change count; the snapshot returns
// after the restore wait unless someone has written the pasteboard since.
//
// Overlapping actions must not lose the user's contents. An action that starts while an earlier
// action's restore is pending, and the pasteboard still holds that action's own write, takes over the
// earlier snapshot and cancels that restore (a snapshot of the earlier write would otherwise be all
// that comes back). An action that has posted ⌘C holds the pasteboard until it has read the copy:
// actions arriving meanwhile start after it, in order, so that none reads another's copy as its own.
//
// Thread: the main thread. A delayed restore holds the pasteboard and the snapshot, nothing else.
class PasteboardBorrower {
public:
    static constexpr std::chrono::milliseconds restoreWait{220};

    struct Borrowing {
        std::shared_ptr<const PasteboardSnapshot> snapshot;
        // The change count when the action began: the snapshot's, unless it was taken over.
        std::int64_t startCount = 0;
    };

    PasteboardBorrower(std::shared_ptr<platform::Pasteboard> pasteboard, platform::Executor& mainExecutor);

    platform::Pasteboard& pasteboard() { return *pasteboard_; }

    // Runs `start` now, or once no action is waiting for its copy any more.
    void whenNoCopyPending(std::function<void()> start);
    // The action is about to read a copy; `endCopy` lets the actions that arrived meanwhile start.
    void beginCopy();
    void endCopy();

    // Takes over the snapshot of a pending restore whose write is still on the pasteboard, or captures
    // the pasteboard.
    Borrowing borrow();
    // The action's own write is on the pasteboard at `ownCount`: the snapshot returns after the
    // restore wait if the pasteboard still holds that write.
    void restoreLater(const Borrowing& borrowing, std::int64_t ownCount);
    // Puts the snapshot back at once.
    void restoreNow(const Borrowing& borrowing);
    // Puts the snapshot back unless the pasteboard is unchanged since it was taken.
    void restoreUnlessUnchanged(const Borrowing& borrowing);

private:
    struct PendingRestore {
        std::shared_ptr<const PasteboardSnapshot> snapshot;
        std::int64_t ownCount = 0;
        platform::DelayedWorkItem work;
    };

    std::shared_ptr<platform::Pasteboard> pasteboard_;
    platform::Executor& mainExecutor_;
    std::optional<PendingRestore> pending_;
    bool copyPending_ = false;
    std::deque<std::function<void()>> waiting_;
};

} // namespace tessaril
