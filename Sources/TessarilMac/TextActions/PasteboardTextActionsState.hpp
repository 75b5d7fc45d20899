#pragma once

#include <exception>
#include <functional>
#include <memory>

#include "Platform/Pasteboard/PasteboardItem.hpp"
#include "TessarilMac/TextActions/PasteboardTextActions.hpp"

namespace tessaril {

// What the text actions share, and their common steps: the copy phase and the paste of a temporary
// write. Delayed steps hold it weakly. Main thread.
struct PasteboardTextActions::State : std::enable_shared_from_this<PasteboardTextActions::State> {
    using Borrowing = PasteboardBorrower::Borrowing;
    // Runs after the copy wait with the borrowing the copy started with.
    using CopyHandler = std::function<void(State&, const Borrowing&)>;

    explicit State(Services services)
        : borrower(std::move(services.pasteboard), services.mainExecutor),
          mainExecutor(services.mainExecutor),
          keystrokes(services.keystrokes),
          host(services.host) {}

    platform::Pasteboard& pasteboard() { return borrower.pasteboard(); }

    // Starts `body` once no other action is waiting for its copy.
    void start(std::function<void(State&)> body);
    // Borrows the pasteboard, posts ⌘C and runs the handler after the copy wait. A failed ⌘C is
    // recorded and nothing else happens, unless the borrowing took over an earlier action's write,
    // which then goes back at once.
    void copyPhase(CopyHandler handler);
    // Clears the pasteboard, writes the content's flavours in order with the two markers, and posts ⌘V;
    // the snapshot returns after the restore wait, or at once when ⌘V fails.
    void pasteTemporarily(const Borrowing& borrowing, const platform::PasteboardItem& content);
    // Runs a keystroke; the error it threw, or none.
    static std::exception_ptr post(const std::function<void()>& keystroke);

    PasteboardBorrower borrower;
    platform::Executor& mainExecutor;
    TextActionKeystrokes& keystrokes;
    TextActionHost& host;
};

} // namespace tessaril
