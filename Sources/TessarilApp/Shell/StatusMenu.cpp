#include "TessarilApp/Shell/StatusMenu.hpp"

#include <QString>

#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {

namespace {

MenuItem delegateItem(std::string title, std::string action, std::string keyEquivalent = {}) {
    return MenuItem{.title = std::move(title),
                    .action = std::move(action),
                    .keyEquivalent = std::move(keyEquivalent),
                    .target = MenuItem::Target::delegate};
}

MenuItem firstResponderItem(std::string title, std::string action, std::string keyEquivalent) {
    return MenuItem{.title = std::move(title),
                    .action = std::move(action),
                    .keyEquivalent = std::move(keyEquivalent),
                    .target = MenuItem::Target::firstResponder};
}

} // namespace

Menu StatusMenu::statusMenu(const TessarilSettings& settings, bool isAccessibilityTrusted) {
    Menu presets{.autoenablesItems = false};
    addPresetSelectionItems(presets, settings);
    Menu menu{.autoenablesItems = false};
    menu.items.push_back(MenuItem{.title = "Tessaril", .isEnabled = false});
    menu.items.push_back(MenuItem::separator());
    menu.items.push_back(MenuItem{.title = "プリセット", .submenu = std::make_shared<const Menu>(std::move(presets))});
    menu.items.push_back(MenuItem::separator());
    menu.items.push_back(delegateItem("詳細設定...", "openSettingsWindow"));
    menu.items.push_back(accessibilityStatusMenuItem(isAccessibilityTrusted));
    menu.items.push_back(MenuItem::separator());
    menu.items.push_back(delegateItem("終了", "quit", "q"));
    return menu;
}

void StatusMenu::addPresetSelectionItems(Menu& submenu, const TessarilSettings& settings) {
    const auto active = settings.activePresetReference();
    for (KeyboardPreset preset : keyboard_preset::standardCases) {
        auto item = delegateItem(settings.displayName(preset), "selectBuiltInPreset:");
        item.isOn = active == KeyboardPresetReference::builtIn(preset);
        item.representedObject = std::string(rawValue(preset));
        submenu.items.push_back(std::move(item));
    }
    if (settings.customPresets.empty()) return;
    submenu.items.push_back(MenuItem::separator());
    auto customPresets = settings.customPresets;
    unicode::stableSortLocalized(customPresets, [](const CustomKeyboardPreset& preset) { return preset.name; });
    for (const auto& preset : customPresets) {
        auto item = delegateItem(preset.name, "selectCustomPreset:");
        item.isOn = active == KeyboardPresetReference::custom(preset.id);
        item.representedObject = preset.id;
        submenu.items.push_back(std::move(item));
    }
}

MenuItem StatusMenu::accessibilityStatusMenuItem(bool isAccessibilityTrusted) {
    if (isAccessibilityTrusted) {
        return MenuItem{.title = "🟢 アクセシビリティ: 許可済み",
                        .isEnabled = false,
                        .toolTip = "Tessarilに必要な入力権限は有効です。"};
    }
    auto item = delegateItem("🔴 アクセシビリティ: 確認が必要", "openAccessibilitySettings");
    item.toolTip = "クリックするとmacOSのアクセシビリティ設定を開きます。";
    return item;
}

Menu StatusMenu::mainMenu() {
    Menu application{.items = {firstResponderItem("Tessarilを終了", "terminate:", "q")}};
    Menu edit{.title = "編集",
              .items = {
                  firstResponderItem("取り消す", "undo:", "z"),
                  firstResponderItem("やり直す", "redo:", "Z"),
                  MenuItem::separator(),
                  firstResponderItem("カット", "cut:", "x"),
                  firstResponderItem("コピー", "copy:", "c"),
                  firstResponderItem("ペースト", "paste:", "v"),
                  firstResponderItem("削除", "delete:", ""),
                  MenuItem::separator(),
                  firstResponderItem("すべて選択", "selectAll:", "a"),
              }};
    return Menu{.items = {MenuItem{.submenu = std::make_shared<const Menu>(std::move(application))},
                          MenuItem{.submenu = std::make_shared<const Menu>(std::move(edit))}}};
}

void StatusMenu::configureStatusItem() {
    // The look comes first, whether or not a status area shows now: one that appears later (a panel
    // that starts after a login launch) shows the item as it is, never as a blank square.
    StatusItem& item = delegate_.statusItem();
    if (auto icon = menuBarIconImage()) {
        item.setImage(std::move(icon), true, iconPointSize);
        item.setTitle("");
    } else {
        item.setImage(std::nullopt, false, iconPointSize);
        item.setTitle(std::string(fallbackTitle));
    }
    delegate_.updateStatusItem();
    item.setVisible(true);
}

void StatusMenu::rebuildMenu() {
    // The Accessibility line shows the permission as it is now, when the menu is built.
    Menu menu = statusMenu(delegate_.settings, delegate_.eventTapBackend().isAccessibilityTrusted(false));
    std::weak_ptr<AppDelegate*> weak = delegate_.lifetime_;
    delegate_.statusItem().setMenu(std::move(menu), [weak](const MenuItem& chosen) {
        if (auto self = weak.lock()) (*self)->performAction(chosen);
    });
}

void StatusMenu::addAccessibilityStatusMenuItem(Menu& menu) {
    menu.items.push_back(accessibilityStatusMenuItem(delegate_.eventTapBackend().isAccessibilityTrusted(false)));
}

void StatusMenu::configureMainMenu() { delegate_.services().application.setMainMenu(mainMenu()); }

std::optional<std::filesystem::path> StatusMenu::resourceFile(std::string_view name, std::string_view type) const {
    const AppDelegateServices& services = delegate_.services();
    if (auto file = services.mainBundle.pathForResource(name, type)) return file;
    if (services.resourceBundle) return services.resourceBundle->pathForResource(name, type, "Resources");
    return std::nullopt;
}

std::optional<QImage> StatusMenu::image(std::string_view name, std::string_view type) const {
    auto file = resourceFile(name, type);
    if (!file) return std::nullopt;
    QImage loaded(QString::fromStdString(file->string()));
    if (loaded.isNull()) return std::nullopt;
    return loaded;
}

std::optional<QImage> StatusMenu::menuBarIconImage() const { return image("MenuBarIconTemplate", "png"); }

std::optional<QImage> StatusMenu::appIconImage() const {
    // PNG: the desktop's image format for application icons.
    if (auto icon = image("AppIcon", "png")) return icon;
    return menuBarIconImage();
}

// ---- The delegate's methods of this concern

void AppDelegate::configureStatusItem() { statusMenu_->configureStatusItem(); }

void AppDelegate::rebuildMenu() { statusMenu_->rebuildMenu(); }

void AppDelegate::addPresetSelectionItems(Menu& submenu) const { StatusMenu::addPresetSelectionItems(submenu, settings); }

void AppDelegate::addAccessibilityStatusMenuItem(Menu& menu) { statusMenu_->addAccessibilityStatusMenuItem(menu); }

void AppDelegate::configureMainMenu() { statusMenu_->configureMainMenu(); }

std::optional<QImage> AppDelegate::menuBarIconImage() const { return statusMenu_->menuBarIconImage(); }

std::optional<QImage> AppDelegate::appIconImage() const { return statusMenu_->appIconImage(); }

} // namespace tessaril
