#pragma once

#include <cstdint>
#include <string>

#include "TessarilCore/Rules/FixedPhraseInsertion.hpp"

namespace tessaril {

// What the keyboard pipeline asks of the application shell: the status text, the engine's text actions,
// and the end of a withdrawn Accessibility permission. Every call comes on the
// main thread, and only while the pipeline exists.
class KeyboardPipelineHost {
public:
    virtual ~KeyboardPipelineHost() = default;

    // The status text that the status item's tooltip shows (such as "入力送信エラー: KeyboardError").
    virtual void setStatusText(const std::string& text) = 0;

    // The text actions of the rule engine, in the order they were decided. Typing a text is the shell's
    // call too: it carries it out through `KeyboardPipeline::insertText` and `insertTextAndMoveCursorLeft`,
    // which also serve its own pair and phrase insertions.
    virtual void dispatchTextInsertion(const std::string& text) = 0;
    virtual void dispatchTextInsertionAndCursorMove(const std::string& text, std::int64_t count) = 0;
    virtual void performTextPairInsertion(const std::string& opening, const std::string& closing) = 0;
    virtual void performPlainCopy() = 0;
    virtual void performPlainPaste() = 0;
    virtual void performCharacterCountCheck() = 0;
    virtual void performFixedPhraseInsertion(const FixedPhraseInsertion& insertion) = 0;

    // The event tap lost the permission; the pipeline has already stopped it.
    virtual void finishAccessibilityRevocation() = 0;
};

} // namespace tessaril
