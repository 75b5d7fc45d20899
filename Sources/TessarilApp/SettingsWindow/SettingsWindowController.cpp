#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"

#include <QHBoxLayout>

#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/PageViewState.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/ViewRendering.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorState.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseTab.hpp"
#include "TessarilApp/SettingsWindow/AdvancedTab.hpp"
#include "TessarilApp/SettingsWindow/BasicTab.hpp"
#include "TessarilApp/SettingsWindow/KeypadHackTab.hpp"
#include "TessarilApp/SettingsWindow/ShortcutGuardTab.hpp"
#include "TessarilApp/SettingsWindow/WritingAssistTab.hpp"
#include "TessarilApp/SettingsWindow/PresetTab.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SettingsTabPresentation.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindow.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/ShortcutRegistryTab.hpp"
#include "TessarilApp/SettingsWindow/SupportTab.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

constexpr int sidebarWidth = 226;
constexpr const char* captureReason = "shortcut-capture";
constexpr const char* windowCloseReason = "settings-window-close";

} // namespace

SettingsWindow* SettingsWindowController::window() const {
    return qobject_cast<SettingsWindow*>(delegate_.settingsWindow.data());
}

SettingsWindow& SettingsWindowController::makeWindowIfNeeded() {
    if (auto* existing = window()) return *existing;
    auto* made = new SettingsWindow(delegate_);
    delegate_.settingsWindow = made;
    return *made;
}

void SettingsWindowController::openSettingsWindow() {
    delegate_.services().application.activate(true);
    if (!delegate_.disablesInputBackendForPreview && delegate_.activeInputBackend == ActiveKeyboardInputBackend::stopped &&
        delegate_.eventTapBackend().isAccessibilityTrusted(false)) {
        delegate_.startInputBackend(false, false);
    }
    SettingsWindow& settingsWindow = makeWindowIfNeeded();
    delegate_.services().userInterface.eventMonitors->installOnApplication();
    rebuildSettingsWindow();
    settingsWindow.center();
    settingsWindow.makeKeyAndOrderFront();
}

void SettingsWindowController::rebuildSettingsWindow() {
    if (auto* settingsWindow = window()) settingsWindow->rebuilder().rebuildNow();
}

void SettingsWindowController::rebuildSettingsWindowLater() {
    if (auto* settingsWindow = window()) settingsWindow->rebuilder().rebuildLater();
}

SettingsWindow::ShownPage SettingsWindowController::shownPage() const {
    SettingsWindow::ShownPage page{delegate_.selectedSettingsTab, std::nullopt, std::nullopt};
    switch (page.tab) {
    case SettingsTab::basic:
    case SettingsTab::presets: page.preset = delegate_.editingPresetReference; break;
    case SettingsTab::keypadHacks: page.target = delegate_.selectedKeypadHackAppBundleIdentifier; break;
    case SettingsTab::shortcutGuard: page.target = delegate_.selectedShortcutAppBundleIdentifier; break;
    case SettingsTab::writingAssist: page.target = delegate_.selectedWritingAssistAppBundleIdentifier; break;
    case SettingsTab::fixedPhrases: page.target = delegate_.selectedFixedPhraseAppBundleIdentifier; break;
    case SettingsTab::advanced:
    case SettingsTab::shortcutRegistry:
    case SettingsTab::support: break;
    }
    return page;
}

void SettingsWindowController::rebuildContent() {
    SettingsWindow* settingsWindow = window();
    if (!settingsWindow) return;
    // What the user sees of the page outlives its rebuild; another tab or target starts at the top.
    const SettingsWindow::ShownPage page = shownPage();
    std::optional<appkit::PageViewState> kept;
    if (settingsWindow->pageView() && settingsWindow->shownPage() == page) {
        kept = appkit::PageViewState::capture(*settingsWindow->pageView());
    }
    // Whatever caused this rebuild, typed phrase text that differs from what is stored survives it.
    FixedPhraseEditorState(delegate_).captureChangedFixedPhraseEditorDrafts();
    if (delegate_.shortcutRegistryConflictPanel) {
        delegate_.shortcutRegistryConflictPanel->close();
        delegate_.shortcutRegistryConflictPanel->deleteLater();
        delegate_.shortcutRegistryConflictPanel = nullptr;
    }
    // Controls never outlive the content that made them: every reference to one is dropped here and
    // made again by the page that makes the control again.
    for (auto* field : {&delegate_.customPresetNameField, &delegate_.laptopPresetNameField,
                        &delegate_.compactPresetNameField, &delegate_.fullSizePresetNameField,
                        &delegate_.newShortcutLetterField, &delegate_.keypadPeriodOutputField,
                        &delegate_.keypadSlashOutputField, &delegate_.keypadAsteriskOutputField,
                        &delegate_.keypadHyphenOutputField, &delegate_.keypadPlusOutputField}) {
        *field = nullptr;
    }
    delegate_.pairAssistOpeningFields.clear();
    delegate_.pairAssistClosingFields.clear();
    delegate_.fixedPhraseTitleFields.clear();
    delegate_.fixedPhraseTextViews.clear();
    delegate_.fixedPhraseHTMLTextViews.clear();
    delegate_.fixedPhrasePreviewTextViews.clear();
    delegate_.fixedPhraseEditorSnapshots.clear();
    delegate_.fixedPhraseAppearanceButtons.clear();
    for (auto* field : {&delegate_.leftCommandSecondsField, &delegate_.rightCommandSecondsField,
                        &delegate_.leftModifiedCommandSecondsField, &delegate_.rightModifiedCommandSecondsField,
                        &delegate_.modifierGraceWindowSecondsField}) {
        *field = nullptr;
    }

    auto* root = new TessarilView;
    root->setBackgroundColor(settings_palette::windowBackground());
    auto* columns = new QHBoxLayout(root);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    QWidget* sidebar = makeSettingsSidebar();
    sidebar->setFixedWidth(sidebarWidth);
    columns->addWidget(sidebar);
    QWidget* pageView = tabContentView(delegate_.selectedSettingsTab);
    columns->addWidget(pageView, 1);
    settingsWindow->setContentView(root);
    settingsWindow->setShownPage(page, pageView);
    // Laid out now, so the page has its scroll range and its visible rows are known.
    appkit::layoutSubtree(*settingsWindow);
    kept.value_or(appkit::PageViewState{}).restore(*pageView);
    delegate_.settingsWindowDidRebuild();
}

QWidget* SettingsWindowController::tabContentView(SettingsTab tab) {
    switch (tab) {
    case SettingsTab::basic: return BasicTab(delegate_).makeBasicTab();
    case SettingsTab::presets: return PresetTab(delegate_).makePresetTab();
    case SettingsTab::advanced: return AdvancedTab(delegate_).makeAdvancedTab();
    case SettingsTab::keypadHacks: return KeypadHackTab(delegate_).makeKeypadHackTab();
    case SettingsTab::shortcutGuard: return ShortcutGuardTab(delegate_).makeShortcutGuardTab();
    case SettingsTab::writingAssist: return WritingAssistTab(delegate_).makeWritingAssistTab();
    case SettingsTab::shortcutRegistry: return ShortcutRegistryTab(delegate_).makeShortcutRegistryTab();
    case SettingsTab::fixedPhrases: return FixedPhraseTab(delegate_).makeFixedPhraseTab();
    case SettingsTab::support: return SupportTab(delegate_).makeSupportTab();
    }
    // Not reached: every tab has its page.
    return new TessarilView;
}

void SettingsWindowController::selectSettingsTabFromButton(appkit::Control& sender) {
    if (sender.identifier().empty()) return;
    const auto tab = enumFromRawValue<SettingsTab>(sender.identifier());
    if (!tab) return;
    const SettingsTab current = delegate_.selectedSettingsTab;
    if (*tab == SettingsTab::advanced && current != SettingsTab::advanced) {
        if (!confirmAdvancedAccess()) return;
    } else if (*tab == SettingsTab::shortcutRegistry && current != SettingsTab::shortcutRegistry) {
        if (!confirmShortcutRegistryAccess()) return;
    }
    if (current == SettingsTab::fixedPhrases && *tab != SettingsTab::fixedPhrases) {
        if (!confirmDiscardFixedPhraseEditsIfNeeded()) return;
    }
    stopShortcutCapture();
    stopWritingAssistShortcutCapture();
    delegate_.selectedSettingsTab = *tab;
    rebuildSettingsWindow();
}

bool SettingsWindowController::confirm(const char* message, const char* informative, const char* confirmTitle) {
    return confirmInAlert(delegate_, message, informative, confirmTitle);
}

bool SettingsWindowController::confirmAdvancedAccess() {
    return confirm("アドバンス設定を開きますか？",
                   "ここでは入力タイミングや診断、設定ファイルを扱います。値を大きく変えると英数/かな切り替えの体感が変わります。",
                   "理解して開く");
}

bool SettingsWindowController::confirmShortcutRegistryAccess() {
    return confirm("ショートカット台帳を開きますか？",
                   "台帳で直接変更できるショートカットは、元の機能ページやセット設定にも反映されます。全体の割り当てを確認しながら操作してください。",
                   "理解して開く");
}

bool SettingsWindowController::confirmDiscardFixedPhraseEditsIfNeeded() {
    return !delegate_.hasUnsavedFixedPhraseEdits() || confirmDiscardFixedPhraseEdits();
}

bool SettingsWindowController::confirmDiscardFixedPhraseEdits() {
    if (!confirm("保存されていない定型文があります", "保存していない変更は破棄され、保存前の状態に戻ります。移動しますか？",
                 "破棄して移動")) {
        return false;
    }
    FixedPhraseEditorState(delegate_).resetFixedPhraseEditorTransientState();
    return true;
}

bool SettingsWindowController::confirmQuitDiscardingFixedPhraseEditsIfNeeded() {
    if (!delegate_.hasUnsavedFixedPhraseEdits()) return true;
    // Nothing is saved on the way out, so a reflex Return must not be what loses the text.
    if (confirmInAlert(delegate_, "保存されていない定型文があります", "保存していない変更は破棄されます。終了しますか？",
                       "破棄して終了", ConfirmationDefault::cancel)) {
        return true;
    }
    // Unsaved edits mean the phrase page is the selected one. A hidden window is opened again; its
    // rebuild carries the typed text over as drafts.
    if (SettingsWindow* settingsWindow = window(); settingsWindow && settingsWindow->isVisible()) {
        delegate_.services().application.activate(true);
        settingsWindow->makeKeyAndOrderFront();
    } else {
        openSettingsWindow();
    }
    return false;
}

void SettingsWindowController::windowWillClose(appkit::Window& closing) {
    if (&closing != window()) return;
    stopShortcutCapture();
    stopWritingAssistShortcutCapture();
    setEventControllerSuspended(false, windowCloseReason);
}

void SettingsWindowController::stopShortcutCapture() {
    // Dropping a monitor's registration removes the monitor.
    delegate_.shortcutCaptureMonitor.reset();
    delegate_.shortcutCaptureCancelMonitor.reset();
    delegate_.shortcutCaptureTarget.reset();
    setEventControllerSuspended(delegate_.writingAssistShortcutCaptureTarget.has_value(), captureReason);
}

void SettingsWindowController::stopWritingAssistShortcutCapture() {
    delegate_.writingAssistShortcutCaptureMonitor.reset();
    delegate_.writingAssistShortcutCancelMonitor.reset();
    delegate_.writingAssistShortcutCaptureTarget.reset();
    setEventControllerSuspended(delegate_.shortcutCaptureTarget.has_value(), captureReason);
}

void SettingsWindowController::setEventControllerSuspended(bool isSuspended, const std::string& reason) {
    delegate_.eventController().setSuspended(isSuspended, reason);
    if (const auto& listener = delegate_.services().userInterface.didSetControllerSuspended) listener(isSuspended, reason);
}

} // namespace tessaril
