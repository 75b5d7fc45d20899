// The fixed-phrase page across changes of whose rules it edits: every way the target changes, with
// and without typed edits pending, shows the new target in the pop-up and the panels and saves into
// it; the set sheet is refused over typed edits until they are saved; a shortcut recorded for one rule
// shows at once and keeps another rule's typed text.
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "PlatformTests/TemporaryDirectory.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorState.hpp"
#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"

namespace tessaril {
namespace {

using platform::test_support::TemporaryDirectory;

constexpr const char* titlePlaceholder = "タイトル（任意）";
constexpr const char* targetPopup = "selectFixedPhraseTargetFromPopup:";
constexpr const char* discardMessage = "保存されていない定型文があります";
constexpr const char* saveFirstMessage = "保存してください";

// What a target change does to typed edits pending on the page.
enum class TypedEdits {
    // It asks whether to drop them.
    asked,
    // It drops them without a question.
    dropped,
    // It cannot start until they are saved (the set sheet does not open over them).
    refused,
};

FixedPhraseRule phrase(const std::string& id, const std::string& title,
                       FixedPhrasePreviewMode preview = FixedPhrasePreviewMode::raw) {
    return FixedPhraseRule(id, title, false, std::nullopt, title + "の本文", std::nullopt, std::nullopt,
                           FixedPhraseInsertionFormat::plain, FixedPhraseInputMode::plain, preview,
                           FixedPhraseInsertionMode::text);
}

FixedPhraseAssistSettings phrases(const std::string& title, FixedPhrasePreviewMode preview = FixedPhrasePreviewMode::raw) {
    return FixedPhraseAssistSettings{{phrase("r", title, preview)}};
}

// Every layer holds one rule under the same id, as a set made from the default does, each since
// given a preview mode of its own: the default, a set whose member has no entry of its own, a second
// set without members, an application with its own rules and one that follows the default.
TessarilSettings sharedIDDocument(const std::string& defaultTitle = "既定") {
    TessarilSettings settings;
    settings.fixedPhraseAssist = phrases(defaultTitle);
    settings.fixedPhraseAssistSets.emplace_back("set-1", "仕事", phrases("セット", FixedPhrasePreviewMode::markdown),
                                                std::vector<SettingsSetAppTarget>{{"com.example.member", "Member"}});
    settings.fixedPhraseAssistSets.emplace_back("set-2", "仕事2", phrases("第二", FixedPhrasePreviewMode::html),
                                                std::vector<SettingsSetAppTarget>{});
    settings.appFixedPhraseAssistSettings["com.example.own"] = {"Own", false, phrases("個別", FixedPhrasePreviewMode::html)};
    settings.appFixedPhraseAssistSettings["com.example.follows"] = {"Follows", true, phrases("控え")};
    return settings;
}

// Every layer's rule titles, by "default", "set:" and the set id, or "app:" and the bundle identifier.
std::map<std::string, std::vector<std::string>> titlesByLayer(const TessarilSettings& settings) {
    auto titles = [](const FixedPhraseAssistSettings& value) {
        std::vector<std::string> result;
        for (const auto& rule : value.rules) result.push_back(rule.title);
        return result;
    };
    std::map<std::string, std::vector<std::string>> layers{{"default", titles(settings.fixedPhraseAssist)}};
    for (const auto& set : settings.fixedPhraseAssistSets) layers["set:" + set.id] = titles(set.value);
    for (const auto& [app, entry] : settings.appFixedPhraseAssistSettings) layers["app:" + app] = titles(entry.fixedPhraseAssist);
    return layers;
}

class FixedPhraseTargetChangeTests : public SettingsPageTest {
protected:
    void startOn(std::optional<std::string> app, std::vector<std::string> answers = {},
                 std::vector<appkit::FilePanelResult> files = {}) {
        start({.settings = sharedIDDocument(),
               .tab = SettingsTab::fixedPhrases,
               .frontmost = replay::SettingsWindowHarness::runningApplication("com.example.own", "Own"),
               .answers = std::move(answers),
               .files = std::move(files)});
        delegate().selectedFixedPhraseAppBundleIdentifier = std::move(app);
        rebuild();
        takeLines();
    }
    void typeTitle(const std::string& text) { type({.identifier = "r", .placeholder = titlePlaceholder}, text); }
    std::vector<std::string> shownTitles() { return each({.placeholder = titlePlaceholder}, "value"); }
    std::vector<std::string> alertMessages() {
        std::vector<std::string> messages;
        for (const auto& line : takeLines()) {
            if (line.contains("alert")) messages.push_back(line["alert"]["message"]);
        }
        return messages;
    }

    TemporaryDirectory directory;
};

TEST_F(FixedPhraseTargetChangeTests, EveryTargetChangeShowsTheNewTargetAndSavesIntoIt) {
    // The test's own class, so that the actions may drive the window.
    using Page = std::remove_reference_t<decltype(*this)>;
    struct Case {
        const char* name;
        std::optional<std::string> startApp;
        // What the action does to typed edits; whether the start panel can be typed into.
        TypedEdits typedEdits;
        bool startIsEditable;
        // The action's own alerts, answered by their first button.
        std::vector<std::string> alerts;
        std::function<void(Page&)> act;
        std::string popup;
        std::vector<std::string> titles;
        // Where "保存" of the shown rule stores; none when the panel cannot be saved.
        std::optional<std::string> savedLayer;
        // The answer of the open panel, for the chooser and the import.
        std::vector<appkit::FilePanelResult> files = {};
    };
    const auto imported = directory.path() / "imported.json";
    std::ofstream(imported) << nlohmann::json{{"schemaVersion", 1}, {"settings", coding::encode(sharedIDDocument("読込"))}}.dump();

    const Case cases[] = {
        {"selection", std::nullopt, TypedEdits::asked, true, {},
         [](Page& page) { page.choose({.action = targetPopup}, "Own"); }, "Own", {"個別"}, "app:com.example.own"},
        {"following the default", "com.example.own", TypedEdits::asked, true, {},
         [](Page& page) { page.click({.action = "toggleSelectedAppFixedPhraseUsesDefault:"}); }, "Own", {"既定"}, std::nullopt},
        {"leaving the default", "com.example.follows", TypedEdits::asked, false, {},
         [](Page& page) { page.click({.action = "toggleSelectedAppFixedPhraseUsesDefault:"}); }, "Follows", {"既定"},
         "app:com.example.follows"},
        {"adding the application in use", std::nullopt, TypedEdits::asked, true, {},
         [](Page& page) { page.click({.action = "addFrontmostApplicationFixedPhraseTarget"}); }, "Own", {"個別"},
         "app:com.example.own"},
        {"adding a chosen application", std::nullopt, TypedEdits::asked, true, {},
         [](Page& page) { page.click({.action = "addApplicationFixedPhraseTarget"}); }, "Own", {"個別"}, "app:com.example.own",
         {{"/apps/own.desktop", appkit::ChosenApplication{"com.example.own", "Own"}}}},
        {"deleting", "com.example.own", TypedEdits::asked, true, {},
         [](Page& page) { page.click({.action = "deleteSelectedAppFixedPhraseTarget"}); }, "デフォルト", {"既定"}, "default"},
        {"editing a set in the main settings", std::nullopt, TypedEdits::refused, true, {},
         [](Page& page) {
             page.click({.action = "showFixedPhraseSetModal"});
             page.click({.action = "editFeatureSetInMainSettingsFromModal"});
         },
         "Member", {"セット"}, "set:set-1"},
        // The sheet saves each change at once; the page behind it then shows the member's new rules.
        {"moving the member to another set", "com.example.member", TypedEdits::refused, true, {},
         [](Page& page) {
             page.click({.action = "showFixedPhraseSetModal"});
             page.click({.action = "selectFeatureSetFromModal:", .identifier = "set-2"});
             page.click({.action = "applyFeatureSetToCurrentTargetFromModal"});
             page.click({.action = "closeFeatureSetModalFromButton"});
         },
         // Joining a set by the sheet names an application without an entry by its identifier.
         "com.example.member", {"第二"}, "set:set-2"},
        {"deleting the member's set", "com.example.member", TypedEdits::refused, true, {},
         [](Page& page) {
             page.click({.action = "showFixedPhraseSetModal"});
             page.click({.action = "selectFeatureSetFromModal:", .identifier = "set-1"});
             page.click({.action = "deleteFeatureSetFromModal"});
             page.click({.action = "closeFeatureSetModalFromButton"});
         },
         // With neither set nor entry the application has no item of its own.
         "デフォルト", {"既定"}, std::nullopt},
        {"import", std::nullopt, TypedEdits::dropped, true, {"設定ファイルを読み込みますか？"},
         [](Page& page) {
             page.delegate().importSettings();
             page.harness->finishStep();
         },
         "デフォルト", {"読込"}, "default", {{imported, std::nullopt}}},
        {"factory reset", "com.example.own", TypedEdits::dropped, true, {"すべての設定を初期化しますか？", "初期化しました"},
         [](Page& page) {
             page.delegate().resetAllSettingsToFactoryDefaults();
             page.harness->finishStep();
         },
         "デフォルト", {}, std::nullopt},
    };
    for (const auto& test : cases) {
        for (const bool pending : {false, true}) {
            if (pending && !test.startIsEditable) continue;
            SCOPED_TRACE(std::string(test.name) + (pending ? " with typed edits" : ""));
            const bool asks = pending && test.typedEdits == TypedEdits::asked;
            const bool refuses = pending && test.typedEdits == TypedEdits::refused;
            std::vector<std::string> answers;
            if (asks) answers.push_back("破棄して移動");
            answers.insert(answers.end(), test.alerts.begin(), test.alerts.end());
            startOn(test.startApp, answers, test.files);
            if (pending) typeTitle("書きかけ");
            if (refuses) {
                // The sheet stays shut and the typed title stays, unsaved; saved, it lets the sheet open.
                click({.action = "showFixedPhraseSetModal"});
                EXPECT_EQ(delegate().featureSetModalWindow, nullptr);
                EXPECT_EQ(shownTitles(), std::vector<std::string>{"書きかけ"});
                EXPECT_TRUE(delegate().hasUnsavedFixedPhraseEdits());
                click({.action = "saveFixedPhraseRule:", .identifier = "r"});
                EXPECT_FALSE(delegate().hasUnsavedFixedPhraseEdits());
            }
            test.act(*this);

            std::vector<std::string> expectedAlerts;
            if (asks) expectedAlerts.push_back(discardMessage);
            if (refuses) expectedAlerts.push_back(saveFirstMessage);
            expectedAlerts.insert(expectedAlerts.end(), test.alerts.begin(), test.alerts.end());
            EXPECT_EQ(alertMessages(), expectedAlerts);
            EXPECT_EQ(control({.action = targetPopup})["selected"], test.popup);
            EXPECT_EQ(shownTitles(), test.titles);
            EXPECT_FALSE(delegate().hasUnsavedFixedPhraseEdits());

            if (!test.savedLayer) {
                if (!test.titles.empty()) {
                    EXPECT_EQ(control({.action = "saveFixedPhraseRule:"})["enabled"], false);
                }
                continue;
            }
            auto expected = titlesByLayer(delegate().settings);
            expected.at(*test.savedLayer) = {"保存した題"};
            typeTitle("保存した題");
            click({.action = "saveFixedPhraseRule:", .identifier = "r"});
            EXPECT_EQ(titlesByLayer(delegate().settings), expected);
            EXPECT_EQ(control({.action = targetPopup})["selected"], test.popup);
            EXPECT_EQ(shownTitles(), std::vector<std::string>{"保存した題"});
        }
    }
}

TEST_F(FixedPhraseTargetChangeTests, AShortcutRecordedForOneRuleShowsAtOnceAndKeepsAnotherRulesTypedText) {
    TessarilSettings settings;
    settings.fixedPhraseAssist = FixedPhraseAssistSettings{{phrase("a", "挨拶"), phrase("b", "署名")}};
    start({.settings = settings, .tab = SettingsTab::fixedPhrases});
    type({.identifier = "a", .placeholder = titlePlaceholder}, "書きかけ");
    click({.action = "beginShortcutCapture:", .identifier = "fixedPhrase:b"});
    harness->driver().key(appkit::Event::keyDown(40, appkit::Event::commandFlag | appkit::Event::optionFlag, "k"));
    harness->finishStep();

    const Shortcut recorded{ShortcutModifierSet{ShortcutModifier::command, ShortcutModifier::option}, ShortcutKey::character("k")};
    EXPECT_EQ(delegate().settings.fixedPhraseAssist.rules[1].trigger, recorded);
    EXPECT_EQ(control({.action = "beginShortcutCapture:", .identifier = "fixedPhrase:b"})["title"], "⌘+⌥+K");
    EXPECT_EQ(control({.identifier = "a", .placeholder = titlePlaceholder})["value"], "書きかけ");
    EXPECT_TRUE(FixedPhraseEditorState(delegate()).hasUnsavedFixedPhraseEdits("a"));
    click({.action = "saveFixedPhraseRule:", .identifier = "a"});
    EXPECT_EQ(delegate().settings.fixedPhraseAssist.rules[0].title, "書きかけ");
}

} // namespace
} // namespace tessaril
