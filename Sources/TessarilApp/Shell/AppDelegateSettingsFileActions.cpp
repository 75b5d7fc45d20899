// The whole-document actions (export, import, factory reset), the diagnostics report, the web site,
// the Accessibility settings, the versions the support page shows, and the login item's panel and
// switch.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "TessarilApp/AppKit/Alert.hpp"
#include "TessarilApp/AppKit/FilePanel.hpp"
#include "TessarilApp/AppKit/SavePanelLocation.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorState.hpp"
#include "TessarilApp/SettingsWindow/LoginItemPanel.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

constexpr const char* unknownText = "不明";

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        if (!text.empty()) text += '\n';
        text += line;
    }
    return text;
}

// Runs the alert after bringing the application forward; answers the index of the pressed button.
std::size_t runAlert(AppDelegate& delegate, appkit::Alert alert) {
    delegate.services().application.activate(true);
    return delegate.services().userInterface.alerts->runModal(alert);
}

void showNotice(AppDelegate& delegate, const std::string& message, const std::string& informative) {
    runAlert(delegate, appkit::Alert{appkit::Alert::Style::warning, message, informative, {"OK"}});
}

// The save panel asked about replacing the name as typed; a name it completed is another file, so
// replacing that one is asked here. True when nothing is there or the user agrees.
bool confirmReplacingCompletedFile(AppDelegate& delegate, const std::filesystem::path& location) {
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(location, error))) return true;
    return confirmInAlert(delegate, "「" + location.filename().string() + "」はすでに存在します。置き換えますか？",
                          "同じ名前のファイルがフォルダ「" + std::filesystem::absolute(location, error).parent_path().filename().string() +
                              "」にすでに存在します。置き換えると、その内容は上書きされます。",
                          "置き換える");
}

} // namespace

// ---- Versions

std::string AppDelegate::appVersionText() const {
    return services_.mainBundle.infoDictionaryString("CFBundleShortVersionString").value_or(unknownText);
}

std::string AppDelegate::appBuildText() const {
    return services_.mainBundle.infoDictionaryString("CFBundleVersion").value_or(unknownText);
}

// ---- Diagnostics, the web site and the Accessibility settings

std::string AppDelegate::diagnosticsReport() {
    const auto activePreset = settings.activePresetReference().builtInPreset();
    const auto keyboard = eventController().lastKeyboardIdentifier();
    return joined({
        "Tessaril diagnostics",
        "appVersion: " + appVersionText(),
        "buildVersion: " + appBuildText(),
        "status: " + lastStatus,
        "activePreset: " + (activePreset ? "built-in:" + std::string(rawValue(*activePreset)) : std::string("custom")),
        std::string("accessibility: ") + (eventTapBackend().isAccessibilityTrusted(false) ? "trusted" : "not-trusted"),
        "activeInputBackend: " + std::string(rawValue(activeInputBackend)),
        std::string("eventTapRunning: ") + (eventTapBackend().isRunning() ? "true" : "false"),
        std::string("kanaModeKeyboard: ") + (kanaModeKeyboardReady ? "ready" : "unavailable"),
        "activeKeyboard: " + (keyboard ? keyboard->rawValue : std::string("not-detected")),
        "frontmostApp: not-included",
        "shortcutGuardTarget: not-included",
        "customPresetCount: " + std::to_string(settings.customPresets.size()),
        "appShortcutGuardCount: " + std::to_string(settings.appShortcutGuardSettings.size()),
        "appWritingAssistCount: " + std::to_string(settings.appWritingAssistSettings.size()),
        "appKeypadHackCount: " + std::to_string(settings.appKeypadShortcutHackSettings.size()),
    });
}

void AppDelegate::copyDiagnostics() {
    services_.pasteboard->clearContents();
    services_.pasteboard->setString(diagnosticsReport());
    showNotice(*this, "コピーしました", "診断情報をクリップボードへコピーしました。入力文字やクリップボード内容は含めていません。");
}

void AppDelegate::openTessarilWebsite() { services_.workspace.openURL(std::string(websiteURL)); }

void AppDelegate::openAccessibilitySettings() {
    showInformationAlert(*this, "アクセシビリティの設定はありません",
                         "この環境ではアクセシビリティ権限は常に許可済みとして扱われます。");
}

// ---- Export and import

bool AppDelegate::confirmSettingsExport() {
    return confirmInAlert(*this, "設定ファイルを書き出しますか？",
                          "書き出しファイルにはプリセット、誤爆防止、アプリ別設定のアプリ名やBundle ID、定型文の本文やリッチテキスト/HTMLが含まれることがあります。"
                          "サポート報告には「サポート」タブの診断情報コピーを使ってください。",
                          "書き出す");
}

void AppDelegate::exportSettings() {
    services_.application.activate(true);
    if (!confirmSettingsExport()) return;
    const appkit::FilePanel panel{appkit::FilePanel::ContentType::json, "Tessaril設定を書き出す", "", "TessarilSettings.json"};
    const auto answer = services_.userInterface.filePanels->runSavePanel(panel);
    if (!answer || answer->url.empty()) return;
    const std::filesystem::path location = appkit::savePanelLocation(panel, answer->url);
    if (location != answer->url && !confirmReplacingCompletedFile(*this, location)) return;
    try {
        settingsStore().exportSettings(settings, location);
    } catch (const Error& error) {
        showNotice(*this, "書き出せません", error.description());
    }
}

bool AppDelegate::confirmSettingsImport(const TessarilSettings& imported) {
    return confirmInAlert(*this, "設定ファイルを読み込みますか？",
                          joined({"現在の設定が置き換わります。",
                                  "カスタムプリセット: " + std::to_string(imported.customPresets.size()),
                                  "アプリ別の誤爆防止: " + std::to_string(imported.appShortcutGuardSettings.size()),
                                  "アプリ別の括弧・引用補助: " + std::to_string(imported.appWritingAssistSettings.size()),
                                  "アプリ別の定型文アシスト: " + std::to_string(imported.appFixedPhraseAssistSettings.size()),
                                  "アプリ別のテンキーハック: " + std::to_string(imported.appKeypadShortcutHackSettings.size()),
                                  "読み込み前にファイルサイズと形式を確認しています。"}),
                          "読み込む");
}

void AppDelegate::importSettings() {
    services_.application.activate(true);
    const auto location = services_.userInterface.filePanels->runOpenPanel(
        appkit::FilePanel{appkit::FilePanel::ContentType::json, "Tessaril設定を読み込む", "", ""});
    if (!location || location->url.empty()) return;
    TessarilSettings imported;
    try {
        imported = settingsStore().previewImport(location->url);
    } catch (const Error& error) {
        showNotice(*this, "読み込めません", error.description());
        return;
    }
    if (!confirmSettingsImport(imported)) return;
    settings = std::move(imported);
    resetSettingsSelectionState();
    persistSettings(true);
}

// ---- Factory reset

bool AppDelegate::confirmFactoryReset() {
    return runAlert(*this, appkit::Alert{appkit::Alert::Style::critical, "すべての設定を初期化しますか？",
                                         joined({"現在のプリセット、アプリ別設定、セット、定型文、ショートカット割り当ては完全に初期化されます。",
                                                 "必要な設定がある場合は、先に設定を書き出してください。",
                                                 "この操作は自動では取り消せません。"}),
                                         {"完全に初期化", "キャンセル"}}) == 0;
}

void AppDelegate::resetAllSettingsToFactoryDefaults() {
    services_.application.activate(true);
    if (!confirmFactoryReset()) return;
    // The settings document only: the one-time flags and the input sources saved per mode stay.
    settings = TessarilSettings();
    resetSettingsSelectionState();
    eventController().resetRuntimeState();
    persistSettings(true);
    showNotice(*this, "初期化しました", "Tessarilの設定を工場出荷時の状態に戻しました。");
}

void AppDelegate::resetSettingsSelectionState() {
    selectedShortcutAppBundleIdentifier.reset();
    selectedWritingAssistAppBundleIdentifier.reset();
    selectedFixedPhraseAppBundleIdentifier.reset();
    selectedKeypadHackAppBundleIdentifier.reset();
    selectedFeatureSetID.reset();
    editingPresetReference.reset();
    // The phrase panels on screen show rules that are gone: nothing typed in them is kept or compared.
    FixedPhraseEditorState(*this).resetFixedPhraseEditorTransientState();
    shortcutRegistryFilter = ShortcutRegistryFilter::activeOnly;
}

// ---- Login item

QWidget* AppDelegate::makeLoginItemPanel() { return LoginItemPanel(*this).makeLoginItemPanel(); }

void AppDelegate::setLoginItemEnabled(bool enabled) { LoginItemPanel(*this).setLoginItemEnabled(enabled); }

} // namespace tessaril
