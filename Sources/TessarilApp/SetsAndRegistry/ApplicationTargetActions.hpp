#pragma once

#include <string>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorState.hpp"
#include "TessarilApp/SetsAndRegistry/ApplicationChooser.hpp"
#include "TessarilApp/SetsAndRegistry/ApplicationTargetFamily.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetOperations.hpp"
#include "TessarilApp/SettingsWindow/ApplicationTargetBar.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/PresetScopeControls.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"

namespace tessaril {

// What the target bar of one feature does to the page's selection and to the settings: choosing a
// target, following or leaving the default, adding, adding the application in use and deleting. Each
// ends in a save and a rebuild, except where a confirmation is declined. Keeps no state; main thread
// only.
template <class Family> class ApplicationTargetActions {
public:
    explicit ApplicationTargetActions(AppDelegate& delegate) : delegate_(delegate) {}

    void selectFromPopup(appkit::Control& sender) {
        const auto* popup = dynamic_cast<const appkit::PopUpButton*>(&sender);
        if (!popup) return;
        stopPairCaptureIfNeeded();
        if constexpr (Family::tab == SettingsTab::fixedPhrases) {
            // Declining keeps the typed text as drafts on the old target.
            if (!SettingsWindowController(delegate_).confirmDiscardFixedPhraseEditsIfNeeded()) {
                FixedPhraseEditorState(delegate_).captureVisibleFixedPhraseEditorDrafts();
                delegate_.rebuildSettingsWindow();
                return;
            }
            SettingsWindowController(delegate_).stopShortcutCapture();
            FixedPhraseEditorState(delegate_).resetFixedPhraseEditorTransientState();
        }
        select(selectedAppTargetBundleIdentifier(*popup));
    }
    void selectDefault() {
        stopPairCaptureIfNeeded();
        select(std::nullopt);
    }
    void selectApp(appkit::Control& sender) {
        stopPairCaptureIfNeeded();
        select(sender.identifier().empty() ? std::nullopt : std::optional<std::string>(sender.identifier()));
    }

    // The switch "デフォルト準拠" (on: the application follows the default or its set).
    void toggleUsesDefault(appkit::Control& sender) {
        auto* toggle = dynamic_cast<appkit::Button*>(&sender);
        const auto app = delegate_.*Family::selection;
        if (!toggle || !app) return;
        const bool followsDefault = toggle->isOn();
        if (!discardPhraseEditsIfNeeded()) {
            toggle->setState(followsDefault ? appkit::Button::State::off : appkit::Button::State::on);
            return;
        }
        TessarilSettings& settings = delegate_.settings;
        if (const auto setName = featureSetNameContainingApp(settings, Family::tab, *app); !followsDefault && setName) {
            if (!confirmDetachFeatureSetCompliance(*setName)) {
                delegate_.rebuildSettingsWindow();
                return;
            }
            detachFromSet(*app);
            delegate_.persistSettings(true);
            return;
        }
        if (!followsDefault) removeFromAllSets(*app);
        Family::setUsesDefault(settings, *app, followsDefault);
        delegate_.persistSettings(true);
    }

    void addApplication() {
        if (!discardPhraseEditsIfNeeded()) return;
        if (const auto chosen = chooseApplicationTarget(delegate_)) add(chosen->bundleIdentifier, chosen->name);
    }
    void addFrontmostApplication() {
        if (!delegate_.frontmostApplication || !discardPhraseEditsIfNeeded()) return;
        const FrontmostApplication frontmost = *delegate_.frontmostApplication;
        add(frontmost.bundleIdentifier, frontmost.displayName);
    }

    void deleteSelected() {
        const auto app = delegate_.*Family::selection;
        if (!app || !discardPhraseEditsIfNeeded()) return;
        removeFromAllSets(*app);
        Family::remove(delegate_.settings, *app);
        if (Family::selectionAlwaysClearsOnDelete || !(delegate_.settings.*Family::entries).contains(*app)) {
            clearPhraseEditorDrafts();
            delegate_.*Family::selection = std::nullopt;
        }
        delegate_.persistSettings(true);
    }

    // The application keeps the value its set gave it, now as its own entry; the caller saves.
    void detachFromSet(const std::string& app) {
        auto value = Family::resolvedValue(delegate_.settings, app);
        removeFromAllSets(app);
        auto& entries = delegate_.settings.*Family::entries;
        const auto existing = entries.find(app);
        std::string name = existing != entries.end() ? existing->second.displayName : app;
        entries.insert_or_assign(app, Family::makeEntry(std::move(name), std::move(value)));
    }

    bool confirmDetachFeatureSetCompliance(const std::string& setName) {
        return confirmInAlert(delegate_, "セット準拠を解除しますか？",
                              "セット「" + setName + "」から外し、現在効いている設定をこのアプリの個別設定として引き継ぎます。",
                              "解除する");
    }

    // The page's target bar.
    QWidget* makeTargetBar() {
        const ApplicationTargetState target = applicationTargetState<Family>(delegate_);
        ApplicationTargetBarModel model{
            .selectedBundleIdentifier = target.bundleIdentifier,
            .appDisplayNames = {},
            .usesDefault = target.followsShared(),
            .popupAction = delegateAction<ApplicationTargetActions>(delegate_, Family::popupAction,
                                                                    &ApplicationTargetActions::selectFromPopup),
            .defaultToggleAction = delegateAction<ApplicationTargetActions>(delegate_, Family::defaultToggleAction,
                                                                            &ApplicationTargetActions::toggleUsesDefault),
            .addAction = delegateAction<ApplicationTargetActions>(delegate_, Family::addAction,
                                                                  &ApplicationTargetActions::addApplication),
            .addFrontmostAction = delegateAction<ApplicationTargetActions>(
                delegate_, Family::addFrontmostAction, &ApplicationTargetActions::addFrontmostApplication),
            .setAction = appkit::Action{Family::setAction,
                                        [&delegate = delegate_](appkit::Control&) { delegate.showFeatureSetModal(Family::tab); }},
            .deleteAction = delegateAction<ApplicationTargetActions>(delegate_, Family::deleteAction,
                                                                     &ApplicationTargetActions::deleteSelected),
            .complianceTitle = target.complianceTitle(),
            .canDeleteSelected = target.bundleIdentifier && Family::canDelete(*target.bundleIdentifier),
            .defaultTitle = "デフォルト",
            .frontmostApplication = delegate_.frontmostApplication,
        };
        for (const auto& [bundleIdentifier, entry] : delegate_.settings.*Family::entries) {
            model.appDisplayNames.emplace(bundleIdentifier, entry.displayName);
        }
        // The pop-up names what the page edits, also an application that has no entry of its own
        // (a set member chosen from the set sheet).
        if (const auto name = target.displayName(); target.bundleIdentifier && name) {
            model.appDisplayNames.emplace(*target.bundleIdentifier, *name);
        }
        return makeApplicationTargetBar(model);
    }

private:
    void select(std::optional<std::string> app) {
        delegate_.*Family::selection = std::move(app);
        delegate_.persistSettings(true);
    }

    // A new entry starts as a copy of the default with its own settings on; an existing one stays.
    void add(const std::string& app, const std::string& name) {
        Family::enable(delegate_.settings, app, name, false);
        clearPhraseEditorDrafts();
        delegate_.*Family::selection = app;
        delegate_.persistSettings(true);
    }

    void removeFromAllSets(const std::string& app) {
        FeatureSetOperations(delegate_).removeFeatureSetAppTargetFromAll(Family::tab, app);
    }

    // The fixed-phrase bar asks before any action that would drop unsaved phrase edits; true goes on.
    bool discardPhraseEditsIfNeeded() {
        if constexpr (Family::tab == SettingsTab::fixedPhrases) {
            return SettingsWindowController(delegate_).confirmDiscardFixedPhraseEditsIfNeeded();
        }
        return true;
    }
    void clearPhraseEditorDrafts() {
        if constexpr (Family::tab == SettingsTab::fixedPhrases) {
            delegate_.fixedPhraseEditorDrafts.clear();
            delegate_.fixedPhraseSourceBaselineTexts.clear();
            delegate_.fixedPhraseSourceVisibleRuleIDs.clear();
        }
    }

    void stopPairCaptureIfNeeded() {
        if constexpr (Family::tab == SettingsTab::writingAssist) {
            SettingsWindowController(delegate_).stopWritingAssistShortcutCapture();
        }
    }

    AppDelegate& delegate_;
};

} // namespace tessaril
