#pragma once

#include <cstdint>
#include <string>

#include "TessarilCore/FixedPhraseInsertion.hpp"

namespace tessaril {

// What the keyboard pipeline asks of the application shell: the status text, the text actions that go
// through the pasteboard, and the end of a withdrawn Accessibility permission. Every call comes on the
// main thread, and only while the pipeline exists.
class KeyboardPipelineHost {
public:
    virtual ~KeyboardPipelineHost() = default;

    // The status text that the status item's tooltip shows (such as "入力送信エラー: KeyboardError").
    virtual void setStatusText(const std::string& text) = 0;

    virtual void performTextPairInsertion(const std::string& opening, const std::string& closing) = 0;
    virtual void performPlainCopy() = 0;
    virtual void performPlainPaste() = 0;
    virtual void performCharacterCountCheck() = 0;
    virtual void performFixedPhraseInsertion(const FixedPhraseInsertion& insertion) = 0;

    // Told of each text the pipeline types, and of the caret moves after it, just before their events are
    // posted. Nothing for the application to do; the simulated session's shell records the calls.
    virtual void willInsertText(const std::string& /*text*/) {}
    virtual void willInsertTextAndMoveCursorLeft(const std::string& /*text*/, std::int64_t /*count*/) {}

    // The event tap lost the permission; the pipeline has already stopped it.
    virtual void finishAccessibilityRevocation() = 0;
};

} // namespace tessaril
