#pragma once

#include <chrono>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <QAbstractButton>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QTextEdit>
#include <QWidget>

#include "Platform/Dispatch/DelayedWorkItem.hpp"
#include "Platform/Dispatch/RepeatingTimer.hpp"
#include "TessarilApp/AppKit/Event.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorAppearance.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorSnapshot.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorTarget.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutCaptureTarget.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistryConflictStatus.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistryFilter.hpp"
#include "TessarilApp/Shell/ActiveKeyboardInputBackend.hpp"
#include "TessarilApp/Shell/AppDelegateServices.hpp"
#include "TessarilApp/Shell/ApplicationDelegate.hpp"
#include "TessarilApp/Shell/FrontmostApplication.hpp"
#include "TessarilApp/Shell/Menu.hpp"
#include "TessarilApp/Shell/QASettingsPreviewRequest.hpp"
#include "TessarilApp/Shell/SettingsTab.hpp"
#include "TessarilApp/Shell/StatusItem.hpp"
#include "TessarilCore/Settings/KeyboardPresetReference.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilMac/Pipeline/KeyboardPipeline.hpp"
#include "TessarilMac/Pipeline/KeyboardPipelineHost.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStore.hpp"

namespace tessaril {

class DelegateTextActions;
namespace appkit {
class Control;
} // namespace appkit

class InputBackendSupervisor;
class StatusMenu;
class SystemObservers;

// The application delegate: owns every long-lived object of the running application (the settings and
// their store, the keyboard pipeline, the status item) and the state every part of the user interface
// reads and writes. One instance for the life of the process.
//
// Its values are public fields, as every part of the interface shares them; the objects it owns are
// reached through accessors (the status item is made on first use; the keyboard pipeline's objects, the
// event controller among them, are made with the delegate and started by the launch). Windows and
// panels kept in its `QPointer` fields are owned by it: the destructor deletes those still alive. The
// method bodies of each concern live in a component it owns (the supervisor of the input backend, the
// status menu, the system observers) or in the file of their concern.
//
// Thread: the main thread only. Deferred work (retries, timers, launch blocks) runs on the main executor
// of `services.pipeline` and does nothing once the delegate is gone.
class AppDelegate final : public ApplicationDelegate, public KeyboardPipelineHost {
public:
    // A registration of an event monitor; resetting it removes the monitor.
    using EventMonitorToken = std::shared_ptr<void>;

    static constexpr std::string_view startingStatus = "起動中";
    static constexpr std::string_view previewStatus = "プレビュー";
    static constexpr std::string_view waitingForAccessibilityStatus = "アクセシビリティ権限待ち";
    static constexpr std::string_view runningStatus = "動作中";
    static constexpr std::string_view cannotStartStatus = "開始できません";
    static constexpr std::string_view websiteURL = "https://tessaril.app/";
    static constexpr std::chrono::milliseconds accessibilityRetryDelay{1000};
    static constexpr std::chrono::milliseconds accessibilityTrustMonitorInterval{2000};

    // Reads the developer switches and the QA request, opens the settings store (the standard defaults,
    // or in QA mode an emptied throw-away suite with the default document) and builds the keyboard
    // pipeline. Starts nothing.
    explicit AppDelegate(AppDelegateServices services);
    ~AppDelegate() override;
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // ---- Owned objects ----
    StatusItem& statusItem();
    TessarilSettingsStore& settingsStore() { return *settingsStore_; }
    MacInputModeDispatcher& inputModeDispatcher() { return pipeline_->inputModeDispatcher(); }
    KanaModeKeyboard& kanaModeKeyboard() { return pipeline_->kanaModeKeyboard(); }
    ModeKeyDispatchQueue& modeKeyDispatchQueue() { return pipeline_->modeKeyDispatchQueue(); }
    MacKeyboardActionDispatcher& keyboardActionDispatcher() { return pipeline_->keyboardActionDispatcher(); }
    EventTapInputBackend& eventTapBackend() { return pipeline_->inputBackend(); }
    KeyboardEventController& eventController() { return pipeline_->eventController(); }
    KeyboardPipeline& keyboardPipeline() { return *pipeline_; }
    const AppDelegateServices& services() const { return services_; }

    // ---- Values ----
    std::optional<QASettingsPreviewRequest> qaSettingsPreviewRequest;
    const std::string onboardingGuideDefaultsKey = "Tessaril.didShowOnboardingGuide.v1";
    const std::string loginItemDefaultAppliedDefaultsKey = "Tessaril.didApplyDefaultLoginItem.v1";
    bool disablesInputBackendForPreview = false;
    bool opensSettingsWindowOnLaunch = false;
    TessarilSettings settings;
    std::string lastStatus = std::string(startingStatus);
    ActiveKeyboardInputBackend activeInputBackend = ActiveKeyboardInputBackend::stopped;
    bool kanaModeKeyboardReady = false;
    bool isSystemInputSuspended = false;
    std::optional<FrontmostApplication> frontmostApplication;
    QPointer<QWidget> settingsWindow;
    SettingsTab selectedSettingsTab = SettingsTab::basic;
    std::optional<std::string> selectedShortcutAppBundleIdentifier;
    std::optional<std::string> selectedWritingAssistAppBundleIdentifier;
    std::optional<std::string> selectedFixedPhraseAppBundleIdentifier;
    std::optional<std::string> selectedKeypadHackAppBundleIdentifier;
    ShortcutRegistryFilter shortcutRegistryFilter = ShortcutRegistryFilter::activeOnly;
    std::optional<SettingsTab> featureSetModalTab;
    std::optional<std::string> selectedFeatureSetID;
    QPointer<QWidget> featureSetModalWindow;
    QPointer<QLineEdit> featureSetNameField;
    QPointer<QWidget> shortcutRegistryConflictPanel;
    // True exactly while a retry of the input backend's start is pending.
    bool hasScheduledAccessibilityRetry = false;
    std::shared_ptr<platform::RepeatingTimer> accessibilityTrustMonitor;
    QPointer<QWidget> onboardingPopover;
    std::optional<KeyboardPresetReference> editingPresetReference;
    QPointer<QLineEdit> customPresetNameField;
    QPointer<QLineEdit> laptopPresetNameField;
    QPointer<QLineEdit> compactPresetNameField;
    QPointer<QLineEdit> fullSizePresetNameField;
    QPointer<QLineEdit> newShortcutLetterField;
    QPointer<QLineEdit> keypadPeriodOutputField;
    QPointer<QLineEdit> keypadSlashOutputField;
    QPointer<QLineEdit> keypadAsteriskOutputField;
    QPointer<QLineEdit> keypadHyphenOutputField;
    QPointer<QLineEdit> keypadPlusOutputField;
    // Keyed by rule identifier.
    std::map<std::string, QPointer<QLineEdit>> pairAssistOpeningFields;
    std::map<std::string, QPointer<QLineEdit>> pairAssistClosingFields;
    std::map<std::string, QPointer<QLineEdit>> fixedPhraseTitleFields;
    std::map<std::string, QPointer<QTextEdit>> fixedPhraseTextViews;
    std::map<std::string, QPointer<QTextEdit>> fixedPhraseHTMLTextViews;
    std::map<std::string, QPointer<QTextEdit>> fixedPhrasePreviewTextViews;
    std::map<std::string, FixedPhraseEditorSnapshot> fixedPhraseEditorSnapshots;
    std::map<std::string, FixedPhraseEditorSnapshot> fixedPhraseEditorDrafts;
    std::map<std::string, std::string> fixedPhraseSourceBaselineTexts;
    FixedPhraseEditorAppearance fixedPhraseEditorAppearance = FixedPhraseEditorAppearance::light;
    std::vector<QPointer<QAbstractButton>> fixedPhraseAppearanceButtons;
    std::set<std::string> fixedPhraseSourceVisibleRuleIDs;
    // The target the panels on screen, their saved snapshots, drafts, baselines and source views
    // belong to; none before the fixed-phrase page was first built.
    std::optional<FixedPhraseEditorTarget> fixedPhraseEditorTarget;
    QPointer<QLineEdit> leftCommandSecondsField;
    QPointer<QLineEdit> rightCommandSecondsField;
    QPointer<QLineEdit> leftModifiedCommandSecondsField;
    QPointer<QLineEdit> rightModifiedCommandSecondsField;
    QPointer<QLineEdit> modifierGraceWindowSecondsField;
    std::optional<std::string> writingAssistShortcutCaptureTarget;
    EventMonitorToken writingAssistShortcutCaptureMonitor;
    EventMonitorToken writingAssistShortcutCancelMonitor;
    std::optional<ShortcutCaptureTarget> shortcutCaptureTarget;
    EventMonitorToken shortcutCaptureMonitor;
    EventMonitorToken shortcutCaptureCancelMonitor;
    QPointer<QWidget> characterCountHUDPanel;
    EventMonitorToken characterCountHUDGlobalMonitor;
    EventMonitorToken characterCountHUDLocalMonitor;

    // ---- Start-up, reopen and terminate ----
    // The launch sequence: in QA mode only the deferred export; otherwise menus, observers, the status
    // item, the virtual kana keyboard, the input backend and the launch switches.
    void applicationDidFinishLaunching() override;
    // Opens the settings window when no window shows; always true.
    bool applicationShouldHandleReopen(bool hasVisibleWindows) override;
    // Stops the input and answers `terminateNow`; saves nothing. A person's quit while the phrase page
    // holds unsaved text asks first; declined, it answers `terminateCancel` and shows that text.
    TerminateReply applicationShouldTerminate(TerminationRequest request) override;
    void openSettingsWindowForPreviewIfNeeded();

    // ---- Keyboard pipeline wiring and system observers ----
    // The main bundle's identifier and the release identifier: the applications that are this one.
    std::set<std::string, std::less<>> ownBundleIdentifiers() const;
    // "入力送信エラー: " and the error's type name become the status text; no alert.
    void recordInputDispatchError(const std::exception_ptr& error);
    void startKanaModeKeyboard();
    void observeWorkspaceLifecycleChanges();
    void syncObservedInputMode();
    void selectedInputSourceDidChange();
    void workspaceWillSuspendInput();
    void workspaceDidResumeInput();
    void frontmostApplicationDidChange(const std::optional<platform::RunningApplication>& application);

    // ---- Input backend and Accessibility supervision ----
    void startInputBackend(bool promptForPermission, bool showGuideIfNeeded);
    // Replaces the pending retry, if any: at most one is ever pending.
    void scheduleAccessibilityRetry();
    void startAccessibilityTrustMonitor();
    void verifyAccessibilityTrustWhileRunning();
    void finishAccessibilityRevocation() override;
    // The tooltip "Tessaril: <status> / <permission>", the permission read now.
    void updateStatusItem();
    // The settings window has just been built from the current state (the window calls this after each
    // rebuild), so supervision rebuilds it only once that state changes.
    void settingsWindowDidRebuild();

    // ---- Status item, status menu and main menu ----
    void configureStatusItem();
    void rebuildMenu();
    void addPresetSelectionItems(Menu& submenu) const;
    void addAccessibilityStatusMenuItem(Menu& menu);
    void configureMainMenu();
    std::optional<QImage> menuBarIconImage() const;
    std::optional<QImage> appIconImage() const;
    // Sends a menu item's action to the method of that name; false when the action is not one of the
    // delegate's (items for the focused control go elsewhere).
    bool performAction(const MenuItem& sender);
    void selectBuiltInPreset(const MenuItem& sender);
    void selectCustomPreset(const MenuItem& sender);
    // This platform has no Accessibility settings to open, and the permission counts as granted: an
    // alert says so.
    void openAccessibilitySettings();
    void quit();

    // ---- Settings file and factory reset (the advanced page's buttons)
    void exportSettings();
    void importSettings();
    void resetAllSettingsToFactoryDefaults();

    // ---- Settings window ----
    void openSettingsWindow();
    // Does nothing until the window was made.
    void rebuildSettingsWindow();
    bool hasUnsavedFixedPhraseEdits();
    // Saves the settings, hands them and the frontmost application to the keyboard controller,
    // rebuilds the status menu and, when asked, a visible settings window (not while the fixed-phrase
    // page holds unsaved edits).
    void persistSettings(bool shouldRebuildSettingsWindow);
    bool isSettingsWindowVisible() const;
    // The basic page's panel that shows and switches the login item.
    QWidget* makeLoginItemPanel();
    // The capture buttons' action (text tools, fixed phrases, registry rows): records the next key
    // combination for the target the sender's identifier names.
    void beginShortcutCapture(appkit::Control& sender);
    // The running capture's key handler: the event to let through, or none to swallow it.
    std::optional<appkit::Event> handleShortcutCapture(const appkit::Event& event);
    void assignShortcut(const Shortcut& shortcut, const ShortcutCaptureTarget& target);
    // Renders the settings pages to PNG files and ends the process.
    void exportQASettingsPreviews(const QASettingsPreviewRequest& request);

    // ---- Shortcut registry (computed afresh from `settings` on every call) ----
    std::vector<ShortcutRegistryEntry> shortcutRegistryEntries() const;
    ShortcutRegistryConflictStatus shortcutRegistryConflictStatus(const ShortcutRegistryEntry& entry,
                                                                  const std::vector<ShortcutRegistryEntry>& entries) const;
    // The rows the registry page shows under `shortcutRegistryFilter`.
    std::vector<ShortcutRegistryEntry> filteredShortcutRegistryEntries() const;
    // The row a capture of `target` edits, for the fixed-phrase page's selected application.
    std::string shortcutRegistryID(const ShortcutCaptureTarget& target) const;

    // ---- Settings sets ----
    // Opens the set sheet of a feature on the settings window (again, when one is open).
    void showFeatureSetModal(SettingsTab tab);
    // Closes it and rebuilds the settings window; the fixed-phrase sheet asks about unsaved edits.
    void closeFeatureSetModal();

    // ---- Onboarding and login item ----
    void showOnboardingGuideIfNeeded();
    void applyDefaultLoginItemRegistrationIfNeeded();
    // Replaces a guide already shown; nothing without a status-item button.
    void showOnboardingGuide();
    void closeOnboardingGuide();
    // Registers or unregisters the login item as the user asked, with its alerts, then rebuilds.
    void setLoginItemEnabled(bool enabled);

    // ---- Support page, diagnostics and the settings file
    // The bundle's "CFBundleShortVersionString" and "CFBundleVersion", or "不明".
    std::string appVersionText() const;
    std::string appBuildText() const;
    // Sixteen lines about the running state; never typed text, names or bundle identifiers.
    std::string diagnosticsReport();
    void copyDiagnostics();
    void openTessarilWebsite();
    bool confirmSettingsExport();
    bool confirmSettingsImport(const TessarilSettings& imported);
    bool confirmFactoryReset();
    // Every page's target, the set, the preset being edited, the editor's drafts and the registry
    // filter back to where a fresh window starts.
    void resetSettingsSelectionState();

    // ---- Calls of the keyboard pipeline (main thread) ----
    void setStatusText(const std::string& text) override;
    void dispatchTextInsertion(const std::string& text) override;
    void dispatchTextInsertionAndCursorMove(const std::string& text, std::int64_t count) override;
    void performTextPairInsertion(const std::string& opening, const std::string& closing) override;
    void performPlainCopy() override;
    void performPlainPaste() override;
    void performCharacterCountCheck() override;
    void performFixedPhraseInsertion(const FixedPhraseInsertion& insertion) override;

    // ---- Text actions ----
    void pasteFixedPhrase(const FixedPhraseInsertion& insertion);
    void copyCharacterCountResultIfNeeded(const std::optional<std::string>& text);
    // Replaces any panel by one for the text (none: nothing with text was selected).
    void showCharacterCountHUD(const std::optional<std::string>& text);
    void hideCharacterCountHUD();
    void installCharacterCountHUDDismissMonitors();

    // ---- Deferred work ----
    // Runs `body` on the main executor after the current work, unless the delegate is gone by then.
    void runOnMainQueue(std::function<void(AppDelegate&)> body);
    // The same after `delay`; cancel the answer to drop it.
    platform::DelayedWorkItem runAfter(std::chrono::nanoseconds delay, std::function<void(AppDelegate&)> body);
    // Runs `body` now on the main thread, or from another thread on the main executor as above.
    void runOnMainThread(std::function<void(AppDelegate&)> body);

private:
    friend class InputBackendSupervisor;
    friend class StatusMenu;
    friend class SystemObservers;

    AppDelegateServices services_;
    // What deferred work holds: it finds the delegate through it only while the delegate exists.
    std::shared_ptr<AppDelegate*> lifetime_;
    std::unique_ptr<TessarilSettingsStore> settingsStore_;
    std::unique_ptr<KeyboardPipeline> pipeline_;
    std::unique_ptr<StatusItem> statusItem_;
    std::unique_ptr<InputBackendSupervisor> supervisor_;
    std::unique_ptr<StatusMenu> statusMenu_;
    std::unique_ptr<SystemObservers> systemObservers_;
    std::unique_ptr<DelegateTextActions> textActions_;

    // The text actions and the count panel, made on first use.
    DelegateTextActions& textActions();
};

} // namespace tessaril
