#include "TessarilApp/Shell/DelegateTextActions.hpp"

#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

DelegateTextActions::DelegateTextActions(AppDelegate& delegate, std::shared_ptr<platform::Pasteboard> pasteboard,
                                         CharacterCountHUD::Storage hudStorage,
                                         CharacterCountHUD::GlobalMonitorInstaller installGlobalMonitor)
    : delegate_(delegate),
      keystrokes_(delegate.keyboardActionDispatcher()),
      hud_(hudStorage, std::move(installGlobalMonitor)),
      actions_({std::move(pasteboard), delegate.services().pipeline.mainExecutor, keystrokes_, *this}) {}

void DelegateTextActions::recordInputDispatchError(const std::exception_ptr& error) {
    delegate_.recordInputDispatchError(error);
}

void DelegateTextActions::setStatusText(const std::string& text) { delegate_.setStatusText(text); }

TextToolSettings DelegateTextActions::textToolSettings() const { return delegate_.settings.textTools; }

void DelegateTextActions::showCharacterCountHUD(const std::optional<std::string>& text) {
    delegate_.showCharacterCountHUD(text);
}

} // namespace tessaril
