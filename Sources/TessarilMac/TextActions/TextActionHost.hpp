#pragma once

#include <exception>
#include <optional>
#include <string>

#include "TessarilCore/Rules/TextToolSettings.hpp"

namespace tessaril {

// What the text actions need of the application shell: its status text, the text-tool settings in
// force, and the character-count panel. Main thread.
class TextActionHost {
public:
    virtual ~TextActionHost() = default;

    // The status text "入力送信エラー: " and the name of the error's type; never an alert.
    virtual void recordInputDispatchError(const std::exception_ptr& error) = 0;
    // Sets the status text shown in the status item's tooltip.
    virtual void setStatusText(const std::string& text) = 0;
    virtual TextToolSettings textToolSettings() const = 0;
    // Replaces any count panel by one for the counted text (none: nothing with text was selected).
    virtual void showCharacterCountHUD(const std::optional<std::string>& text) = 0;
};

} // namespace tessaril
