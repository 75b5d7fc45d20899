#pragma once

#include <memory>

#include "Platform/Pasteboard/Pasteboard.hpp"
#include "TessarilApp/Shell/CharacterCountHUD.hpp"
#include "TessarilMac/TextActions/DispatcherKeystrokes.hpp"
#include "TessarilMac/TextActions/PasteboardTextActions.hpp"
#include "TessarilMac/TextActions/TextActionHost.hpp"

namespace tessaril {

class AppDelegate;

// The delegate's text actions: the pasteboard borrowing with keystrokes through the keyboard pipeline's
// dispatcher, and the count panel in the delegate's fields. Status text, errors and settings go to the
// delegate. Owned by the delegate; main thread.
class DelegateTextActions final : public TextActionHost {
public:
    DelegateTextActions(AppDelegate& delegate, std::shared_ptr<platform::Pasteboard> pasteboard,
                        CharacterCountHUD::Storage hudStorage, CharacterCountHUD::GlobalMonitorInstaller installGlobalMonitor);

    PasteboardTextActions& actions() { return actions_; }
    CharacterCountHUD& hud() { return hud_; }

    void recordInputDispatchError(const std::exception_ptr& error) override;
    void setStatusText(const std::string& text) override;
    TextToolSettings textToolSettings() const override;
    void showCharacterCountHUD(const std::optional<std::string>& text) override;

private:
    AppDelegate& delegate_;
    DispatcherKeystrokes keystrokes_;
    CharacterCountHUD hud_;
    PasteboardTextActions actions_;
};

} // namespace tessaril
