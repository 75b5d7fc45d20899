// The text actions the keyboard pipeline asks for, and the count panel: bodies in DelegateTextActions.
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilApp/Shell/DelegateTextActions.hpp"

namespace tessaril {

DelegateTextActions& AppDelegate::textActions() {
    if (!textActions_) {
        // Key-downs in other applications reach the panel through the event tap, while it shows.
        auto installGlobalMonitor = [weak = std::weak_ptr<AppDelegate*>(lifetime_)](std::function<void()> handler) {
            if (auto delegate = weak.lock()) (*delegate)->keyboardPipeline().setKeyDownObserver(std::move(handler));
            return CharacterCountHUD::monitorToken([weak] {
                if (auto delegate = weak.lock()) (*delegate)->keyboardPipeline().setKeyDownObserver(nullptr);
            });
        };
        textActions_ = std::make_unique<DelegateTextActions>(
            *this, services_.pasteboard,
            CharacterCountHUD::Storage{characterCountHUDPanel, characterCountHUDGlobalMonitor, characterCountHUDLocalMonitor},
            std::move(installGlobalMonitor));
    }
    return *textActions_;
}

void AppDelegate::performTextPairInsertion(const std::string& opening, const std::string& closing) {
    textActions().actions().performTextPairInsertion(opening, closing);
}

void AppDelegate::performPlainCopy() { textActions().actions().performPlainCopy(); }

void AppDelegate::performPlainPaste() { textActions().actions().performPlainPaste(); }

void AppDelegate::performCharacterCountCheck() { textActions().actions().performCharacterCountCheck(); }

void AppDelegate::performFixedPhraseInsertion(const FixedPhraseInsertion& insertion) {
    textActions().actions().performFixedPhraseInsertion(insertion);
}

void AppDelegate::pasteFixedPhrase(const FixedPhraseInsertion& insertion) {
    textActions().actions().pasteFixedPhrase(insertion);
}

void AppDelegate::copyCharacterCountResultIfNeeded(const std::optional<std::string>& text) {
    textActions().actions().copyCharacterCountResultIfNeeded(text);
}

void AppDelegate::showCharacterCountHUD(const std::optional<std::string>& text) {
    textActions().hud().showCharacterCountHUD(text, settings.textTools.characterCountHUDPosition);
}

void AppDelegate::hideCharacterCountHUD() { textActions().hud().hideCharacterCountHUD(); }

void AppDelegate::installCharacterCountHUDDismissMonitors() { textActions().hud().installCharacterCountHUDDismissMonitors(); }

} // namespace tessaril
