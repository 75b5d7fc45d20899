#include "TessarilApp/SettingsWindow/LoginItemPanel.hpp"

#include <QHBoxLayout>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

namespace palette = settings_palette;
using platform::LoginItemStatus;

struct StatusText {
    const char* title;
    StatusTone tone;
    const char* detail;
};

constexpr StatusText notInstalledText{"未インストール", StatusTone::neutral, "インストール後にMacのログイン項目へ登録します。"};

StatusText textOf(LoginItemStatus status) {
    switch (status) {
    case LoginItemStatus::notRegistered:
        return {"無効", StatusTone::neutral, "MacにログインしたらTessarilを自動で起動できます。"};
    case LoginItemStatus::enabled: return {"有効", StatusTone::neutral, "MacにログインしたらTessarilを自動で起動します。"};
    case LoginItemStatus::requiresApproval:
        return {"許可待ち", StatusTone::accent, "システム設定のログイン項目で許可してください。"};
    case LoginItemStatus::notFound:
        return {"未検出", StatusTone::neutral, "アプリを/Applicationsから起動すると設定できます。"};
    case LoginItemStatus::unknown: break;
    }
    return {"不明", StatusTone::accent, "ログイン時の起動状態を確認できません。"};
}

bool isOn(LoginItemStatus status) {
    return status == LoginItemStatus::enabled || status == LoginItemStatus::requiresApproval;
}

void showAlert(AppDelegate& delegate, const std::string& message, const std::string& informative) {
    delegate.services().application.activate(true);
    delegate.services().userInterface.alerts->runModal(appkit::Alert{appkit::Alert::Style::warning, message, informative, {"OK"}});
}

} // namespace

std::string LoginItemPanel::loginItemStatusTitle() {
    const auto& items = delegate_.services().loginItems;
    return items.isInstalled() ? textOf(items.status()).title : notInstalledText.title;
}

StatusTone LoginItemPanel::loginItemStatusTone() {
    const auto& items = delegate_.services().loginItems;
    return items.isInstalled() ? textOf(items.status()).tone : notInstalledText.tone;
}

std::string LoginItemPanel::loginItemDetailText() {
    const auto& items = delegate_.services().loginItems;
    return items.isInstalled() ? textOf(items.status()).detail : notInstalledText.detail;
}

bool LoginItemPanel::isLoginItemControlAvailable() {
    const auto& items = delegate_.services().loginItems;
    return items.isInstalled() && items.status() != LoginItemStatus::notFound;
}

QWidget* LoginItemPanel::makeLoginItemPanel() {
    auto* panel = new TessarilView;
    panel->setLayerStyle({palette::panelBackground(), palette::cardBorder(), 1});
    panel->setFixedSize(700, 66);

    auto* texts = new appkit::StackView(appkit::StackView::Orientation::vertical);
    texts->setAlignment(appkit::StackView::Alignment::leading);
    texts->setSpacing(3);
    texts->addArrangedSubview(makeLabel("ログイン時に起動", 14, appkit::FontWeight::semibold, palette::primaryText()));
    texts->addArrangedSubview(makeSubtleLabel(loginItemDetailText(), 12));

    const bool available = isLoginItemControlAvailable();
    const SwitchCell state = makeSwitchCell(
        isOn(delegate_.services().loginItems.status()),
        delegateAction<LoginItemPanel>(delegate_, "toggleLoginItemEnabled:", &LoginItemPanel::toggleLoginItemEnabled),
        available, 84, "ログイン時に起動");

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(16, 0, 8, 0);
    row->setSpacing(0);
    row->addWidget(texts, 1, Qt::AlignVCenter);
    row->addSpacing(16);
    row->addWidget(makeStatusLabel(loginItemStatusTitle(), loginItemStatusTone(), 104), 0, Qt::AlignVCenter);
    row->addSpacing(14);
    row->addWidget(state.view, 0, Qt::AlignVCenter);
    return panel;
}

void LoginItemPanel::toggleLoginItemEnabled(appkit::Control& sender) {
    const auto* button = dynamic_cast<const appkit::Button*>(&sender);
    setLoginItemEnabled(button != nullptr && button->isOn());
}

void LoginItemPanel::setLoginItemEnabled(bool enabled) {
    auto& items = delegate_.services().loginItems;
    if (!items.isInstalled()) {
        showAlert(delegate_, "設定できません", "ログイン時の起動は、/Applications にインストールしたTessarilで設定してください。");
        delegate_.rebuildSettingsWindow();
        return;
    }
    try {
        // A choice of the user's own: the default registration at launch must never undo it, so
        // nothing changes unless that is recorded first.
        delegate_.services().pipeline.defaults.setBool(delegate_.loginItemDefaultAppliedDefaultsKey, true);
        const LoginItemStatus status = items.status();
        if (enabled) {
            if (status == LoginItemStatus::requiresApproval) {
                delegate_.services().workspace.openURL(items.loginItemsSettingsURL());
            } else if (status != LoginItemStatus::enabled) {
                items.registerItem();
            }
        } else if (isOn(status)) {
            items.unregisterItem();
        }
    } catch (const Error& error) {
        // The flag could not be written (nothing changed) or the session refused the change.
        showAlert(delegate_, "ログイン項目を変更できません", error.description());
    }
    delegate_.rebuildSettingsWindow();
}

} // namespace tessaril
