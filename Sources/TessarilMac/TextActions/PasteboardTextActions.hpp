#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Platform/Dispatch/Executor.hpp"
#include "Platform/Pasteboard/Pasteboard.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertion.hpp"
#include "TessarilMac/TextActions/PasteboardBorrower.hpp"
#include "TessarilMac/TextActions/TextActionHost.hpp"
#include "TessarilMac/TextActions/TextActionKeystrokes.hpp"

namespace tessaril {

// The text actions the keyboard pipeline asks of the application in the frontmost application: plain
// paste and copy, the pair wrap, the character count and fixed-phrase insertion. They learn the
// selection by posting ⌘C and reading the pasteboard after the copy wait, and put text in by writing the
// pasteboard and posting ⌘V; the borrower puts the user's contents back. Keystroke failures go to the
// host's status text, never to an alert.
// Thread: the main thread. Delayed steps hold the actions weakly and do nothing once they are gone.
class PasteboardTextActions {
public:
    static constexpr std::chrono::milliseconds copyWait{140};
    static constexpr std::string_view plainCopyStatus = "プレーンコピー";

    // The keystrokes and the host must outlive the actions.
    struct Services {
        std::shared_ptr<platform::Pasteboard> pasteboard;
        platform::Executor& mainExecutor;
        TextActionKeystrokes& keystrokes;
        TextActionHost& host;
    };

    explicit PasteboardTextActions(Services services);
    ~PasteboardTextActions();
    PasteboardTextActions(const PasteboardTextActions&) = delete;
    PasteboardTextActions& operator=(const PasteboardTextActions&) = delete;

    void performPlainPaste();
    void performPlainCopy();
    void performTextPairInsertion(const std::string& opening, const std::string& closing);
    void performCharacterCountCheck();
    void performFixedPhraseInsertion(const FixedPhraseInsertion& insertion);

    // Pastes the phrase with its flavours through the pasteboard.
    void pasteFixedPhrase(const FixedPhraseInsertion& insertion);
    // The count's result text on the pasteboard for the user, without markers, when the settings ask
    // for it and the counted text is not empty.
    void copyCharacterCountResultIfNeeded(const std::optional<std::string>& text);

    struct State;

private:
    std::shared_ptr<State> state_;
};

} // namespace tessaril
