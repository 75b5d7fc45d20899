#pragma once

#include <string_view>

namespace tessaril {

// The synthetic keystrokes the text actions post into the frontmost application. Each throws the
// dispatcher's error when nothing could be posted. Main thread.
class TextActionKeystrokes {
public:
    virtual ~TextActionKeystrokes() = default;

    virtual void pressCommandC() = 0;
    virtual void pressCommandV() = 0;
    virtual void insertText(std::string_view text) = 0;
    virtual void insertTextAndMoveCursorLeft(std::string_view text, int count) = 0;
};

} // namespace tessaril
