#pragma once

#include <optional>
#include <string>

namespace tessaril {

// Asks for the address of a new link: the "リンクURL" alert with its text field. The application shows
// a dialog; tests answer from a script. Main thread only.
class FixedPhraseLinkPrompt {
public:
    virtual ~FixedPhraseLinkPrompt() = default;
    // The field's text when the user confirms with "設定"; none on "キャンセル". The field starts
    // with `initialText`.
    virtual std::optional<std::string> requestLink(const std::string& initialText) = 0;
};

} // namespace tessaril
