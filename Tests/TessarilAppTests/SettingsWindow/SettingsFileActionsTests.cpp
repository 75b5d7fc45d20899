// The advanced page's settings-file rows driven through the real window: export with its
// confirmation and save panel, import with its checks and confirmation, and the factory reset.
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "PlatformTests/TemporaryDirectory.hpp"
#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStore.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStoreError.hpp"

namespace tessaril {
namespace {

using platform::test_support::fileText;
using platform::test_support::TemporaryDirectory;

const std::string exportMessage = "設定ファイルを書き出しますか？";
const std::string exportInformative =
    "書き出しファイルにはプリセット、誤爆防止、アプリ別設定のアプリ名やBundle ID、定型文の本文やリッチテキスト/HTMLが含まれることがあります。"
    "サポート報告には「サポート」タブの診断情報コピーを使ってください。";
const std::string resetInformative =
    "現在のプリセット、アプリ別設定、セット、定型文、ショートカット割り当ては完全に初期化されます。\n"
    "必要な設定がある場合は、先に設定を書き出してください。\n"
    "この操作は自動では取り消せません。";
const std::vector<std::string> exportButtons{"書き出す", "キャンセル"};
const std::vector<std::string> importButtons{"読み込む", "キャンセル"};

void writeFile(const std::filesystem::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string envelope(const TessarilSettings& settings, int version = 1) {
    return nlohmann::json{{"schemaVersion", version}, {"settings", coding::encode(settings)}}.dump();
}

// A document with one entry of each kind the import confirmation counts (the Finder's guard entry is
// always there).
TessarilSettings importedDocument() {
    TessarilSettings settings;
    settings.customPresets = {CustomKeyboardPreset{"c-1", "Travel", RuleEngineSettings{}},
                              CustomKeyboardPreset{"c-2", "Home", RuleEngineSettings{}}};
    settings.activeCustomPresetID = "c-2";
    for (const char* identifier : {"com.a", "com.b", "com.c"}) {
        settings.appWritingAssistSettings[identifier].displayName = identifier;
    }
    settings.appFixedPhraseAssistSettings["com.d"].displayName = "D";
    return settings;
}

class SettingsFileActionsTests : public SettingsPageTest {
protected:
    void startAdvanced(replay::SettingsWindowHarness::Configuration configuration = {}) {
        configuration.tab = SettingsTab::advanced;
        start(std::move(configuration));
    }
    // Every selection an import or a reset puts back.
    void selectEverything() {
        delegate().selectedShortcutAppBundleIdentifier = "com.a";
        delegate().selectedWritingAssistAppBundleIdentifier = "com.b";
        delegate().selectedFixedPhraseAppBundleIdentifier = "com.c";
        delegate().selectedKeypadHackAppBundleIdentifier = "com.d";
        delegate().selectedFeatureSetID = "set-1";
        delegate().editingPresetReference = KeyboardPresetReference::builtIn(KeyboardPreset::compactUS);
        delegate().fixedPhraseEditorDrafts["rule-1"] = FixedPhraseEditorSnapshot{};
        delegate().fixedPhraseSourceBaselineTexts["rule-1"] = "text";
        delegate().fixedPhraseSourceVisibleRuleIDs = {"rule-1"};
        delegate().shortcutRegistryFilter = ShortcutRegistryFilter::conflicts;
    }
    void expectSelectionsReset() {
        EXPECT_EQ(delegate().selectedShortcutAppBundleIdentifier, std::nullopt);
        EXPECT_EQ(delegate().selectedWritingAssistAppBundleIdentifier, std::nullopt);
        EXPECT_EQ(delegate().selectedFixedPhraseAppBundleIdentifier, std::nullopt);
        EXPECT_EQ(delegate().selectedKeypadHackAppBundleIdentifier, std::nullopt);
        EXPECT_EQ(delegate().selectedFeatureSetID, std::nullopt);
        EXPECT_EQ(delegate().editingPresetReference, std::nullopt);
        EXPECT_TRUE(delegate().fixedPhraseEditorDrafts.empty());
        EXPECT_TRUE(delegate().fixedPhraseSourceBaselineTexts.empty());
        EXPECT_TRUE(delegate().fixedPhraseSourceVisibleRuleIDs.empty());
        EXPECT_EQ(delegate().shortcutRegistryFilter, ShortcutRegistryFilter::activeOnly);
        EXPECT_EQ(delegate().selectedSettingsTab, SettingsTab::advanced);
    }
    TemporaryDirectory directory;
};

TEST_F(SettingsFileActionsTests, AConfirmedExportWritesTheEnvelopeWhereTheSavePanelSays) {
    const auto target = directory.path() / "mine.json";
    startAdvanced({.settings = importedDocument(), .answers = {"書き出す"}, .files = {{target, std::nullopt}}});
    click({.action = "exportSettings"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert(exportMessage, exportInformative, exportButtons, "書き出す")});
    const auto& panels = harness->filePanels().presented();
    ASSERT_EQ(panels.size(), 1u);
    EXPECT_EQ(panels[0].contentType, appkit::FilePanel::ContentType::json);
    EXPECT_EQ(panels[0].message, "Tessaril設定を書き出す");
    EXPECT_EQ(panels[0].nameFieldStringValue, "TessarilSettings.json");
    const auto written = json::parse(fileText(target));
    EXPECT_EQ(written["schemaVersion"], 1);
    EXPECT_EQ(coding::decode<TessarilSettings>(written["settings"]), importedDocument());
}

TEST_F(SettingsFileActionsTests, ADeclinedOrCancelledExportWritesNothingAndAFailedOneSaysWhy) {
    startAdvanced({.answers = {"キャンセル"}, .files = {{directory.path() / "no.json", std::nullopt}}});
    click({.action = "exportSettings"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert(exportMessage, exportInformative, exportButtons, "キャンセル")});
    EXPECT_TRUE(harness->filePanels().presented().empty());

    startAdvanced({.answers = {"書き出す"}});
    click({.action = "exportSettings"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert(exportMessage, exportInformative, exportButtons, "書き出す")});
    EXPECT_EQ(harness->filePanels().presented().size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(directory.path()));

    const auto unreachable = directory.path() / "missing" / "TessarilSettings.json";
    startAdvanced({.answers = {"書き出す"}, .files = {{unreachable, std::nullopt}}});
    click({.action = "exportSettings"});
    const auto seen = takeLines();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1]["alert"]["message"], "書き出せません");
    EXPECT_NE(seen[1]["alert"]["informative"].get<std::string>().find(unreachable.parent_path().string()), std::string::npos);
    EXPECT_EQ(seen[1]["alert"]["buttons"], json::array({"OK"}));
    EXPECT_FALSE(std::filesystem::exists(unreachable.parent_path()));
}

// The file written is the save panel's answer as the platform completes it: a name typed without an
// extension gets ".json", so that the import's panel, which lists only JSON files, shows it, and a file
// already there under the completed name is replaced only when the user agrees (the panel asked about
// the name as typed). Every name the file system takes is written, up to its longest; a longer one is
// refused for what it is. Nothing but the export is ever left in the folder.
TEST_F(SettingsFileActionsTests, TheExportWritesTheCompletedNameAndEveryLegalLengthOfIt) {
    std::string kanji;
    for (int count = 0; count < 82; ++count) kanji += "設";
    const auto replaceQuestion = [](const std::string& folder, const std::string& answer) {
        return alert("「my-backup.json」はすでに存在します。置き換えますか？",
                     "同じ名前のファイルがフォルダ「" + folder + "」にすでに存在します。置き換えると、その内容は上書きされます。",
                     {"置き換える", "キャンセル"}, answer);
    };
    struct Case {
        const char* name;
        std::string typed;
        std::vector<std::string> answers; // after the export's confirmation
        // The file the export is in; none when nothing is written.
        std::optional<std::string> written;
        bool completedNameTaken = false;
    };
    const Case cases[] = {
        {"no extension", "my-backup", {}, "my-backup.json"},
        {"an extension of its own", "my-backup.v2", {}, "my-backup.v2"},
        {"completed name taken, replaced", "my-backup", {"置き換える"}, "my-backup.json", true},
        {"completed name taken, kept", "my-backup", {"キャンセル"}, std::nullopt, true},
        {"82 kanji completed to 251 bytes", kanji, {}, kanji + ".json"},
        {"255 bytes", std::string(250, 'a') + ".json", {}, std::string(250, 'a') + ".json"},
        {"completed to 256 bytes", std::string(251, 'a'), {}, std::nullopt},
    };
    int number = 0;
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const std::string folderName = "case" + std::to_string(++number);
        const auto folder = directory.path() / folderName;
        std::filesystem::create_directory(folder);
        if (test.completedNameTaken) writeFile(folder / "my-backup.json", "old");
        std::vector<std::string> answers{"書き出す"};
        answers.insert(answers.end(), test.answers.begin(), test.answers.end());
        startAdvanced({.settings = importedDocument(), .answers = answers, .files = {{folder / test.typed, std::nullopt}}});
        click({.action = "exportSettings"});

        std::vector<json> expectedAlerts{alert(exportMessage, exportInformative, exportButtons, "書き出す")};
        if (test.completedNameTaken) expectedAlerts.push_back(replaceQuestion(folderName, test.answers.at(0)));
        if (test.typed.size() == 251) {
            expectedAlerts.push_back(alert("書き出せません",
                                           "cannot write " + (folder / test.typed).string() + ".json: File name too long",
                                           {"OK"}, "OK"));
        }
        EXPECT_EQ(takeLines(), expectedAlerts);
        std::set<std::string> expectedFiles;
        if (test.written) expectedFiles.insert(*test.written);
        if (test.completedNameTaken) expectedFiles.insert("my-backup.json");
        std::set<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) files.insert(entry.path().filename().string());
        EXPECT_EQ(files, expectedFiles);
        if (test.written) {
            const json written = json::parse(fileText(folder / *test.written), nullptr, false);
            EXPECT_TRUE(written.is_object() && written.contains("settings") &&
                        coding::decode<TessarilSettings>(written["settings"]) == importedDocument());
        } else if (test.completedNameTaken) {
            EXPECT_EQ(fileText(folder / "my-backup.json"), "old");
        }
    }
}

TEST_F(SettingsFileActionsTests, AFileTheStoreRefusesShowsItsReasonAndChangesNothing) {
    struct Case {
        const char* name;
        std::string contents;
        std::string reason;
    };
    const Case cases[] = {
        {"too large", std::string(TessarilSettingsStore::maximumImportFileSizeBytes + 1, ' '),
         TessarilSettingsStoreError::fileTooLarge(5767168, 5767169).description()},
        {"wrong version", envelope(TessarilSettings(), 2), TessarilSettingsStoreError::unsupportedSchemaVersion(2).description()},
        {"unreadable", "{\"schemaVersion\": 1, \"settings\": [", TessarilSettingsStoreError::invalidSettingsFile().description()},
        {"not settings", "{\"hello\": 1}", TessarilSettingsStoreError::invalidSettingsFile().description()},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const auto file = directory.path() / (std::string(test.name) + ".json");
        writeFile(file, test.contents);
        startAdvanced({.files = {{file, std::nullopt}}});
        selectEverything();
        const TessarilSettings before = delegate().settings;
        click({.action = "importSettings"});
        EXPECT_EQ(takeLines(), std::vector<json>{alert("読み込めません", test.reason, {"OK"}, "OK")});
        EXPECT_EQ(delegate().settings, before);
        EXPECT_EQ(delegate().selectedFeatureSetID, "set-1");
    }
}

TEST_F(SettingsFileActionsTests, TheImportAsksWithTheCountsAndReplacesEverythingOnlyWhenConfirmed) {
    const auto file = directory.path() / "import.json";
    writeFile(file, envelope(importedDocument()));
    const std::string counts = "現在の設定が置き換わります。\nカスタムプリセット: 2\nアプリ別の誤爆防止: 1\nアプリ別の括弧・引用補助: 3\n"
                               "アプリ別の定型文アシスト: 1\nアプリ別のテンキーハック: 0\n読み込み前にファイルサイズと形式を確認しています。";

    startAdvanced({.answers = {"キャンセル"}, .files = {{file, std::nullopt}}});
    selectEverything();
    click({.action = "importSettings"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert("設定ファイルを読み込みますか？", counts, importButtons, "キャンセル")});
    EXPECT_EQ(delegate().settings, TessarilSettings());
    EXPECT_EQ(delegate().selectedFeatureSetID, "set-1");
    const auto& panel = harness->filePanels().presented().at(0);
    EXPECT_EQ(panel.contentType, appkit::FilePanel::ContentType::json);
    EXPECT_EQ(panel.message, "Tessaril設定を読み込む");

    startAdvanced({.answers = {"読み込む"}, .files = {{file, std::nullopt}}});
    selectEverything();
    click({.action = "importSettings"});
    auto seen = takeLines();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], alert("設定ファイルを読み込みますか？", counts, importButtons, "読み込む"));
    EXPECT_EQ(coding::decode<TessarilSettings>(seen[1]["saved"]), importedDocument());
    EXPECT_EQ(delegate().settings, importedDocument());
    expectSelectionsReset();

    startAdvanced();
    click({.action = "importSettings"}); // the open panel is cancelled
    EXPECT_TRUE(takeLines().empty());
}

// Switching one of two imported phrases that shared an identifier, or deleting it, leaves the other.
TEST_F(SettingsFileActionsTests, ImportedPhrasesThatSharedAnIdentifierAreSwitchedAndDeletedOneByOne) {
    const auto file = directory.path() / "repeated.json";
    writeFile(file, R"({"schemaVersion": 1, "settings": {"fixedPhraseAssist": {"rules": [
        {"id": "P", "title": "一", "plainText": "いち", "isEnabled": true},
        {"id": "P", "title": "二", "plainText": "に", "isEnabled": true}]}}})");
    startAdvanced({.answers = {"読み込む"}, .files = {{file, std::nullopt}}});
    click({.action = "importSettings"});
    click({.action = "selectSettingsTabFromButton:", .identifier = "fixedPhrases"});
    const auto phrases = [this] {
        std::vector<std::pair<std::string, bool>> titles;
        for (const auto& rule : delegate().settings.fixedPhraseAssist.rules) titles.emplace_back(rule.title, rule.isEnabled);
        return titles;
    };
    using Phrases = std::vector<std::pair<std::string, bool>>;
    ASSERT_EQ(phrases(), (Phrases{{"一", true}, {"二", true}}));

    click({.action = "toggleFixedPhraseRuleEnabled:", .index = 1});
    EXPECT_EQ(phrases(), (Phrases{{"一", true}, {"二", false}}));
    click({.action = "deleteFixedPhraseRule:", .index = 0});
    EXPECT_EQ(phrases(), (Phrases{{"二", false}}));
}

TEST_F(SettingsFileActionsTests, TheFactoryResetAsksCriticallyAndKeepsTheFlagsAndTheSavedInputSources) {
    const auto prepare = [](platform::UserDefaults& defaults) {
        defaults.setBool("Tessaril.didShowOnboardingGuide.v1", true);
        defaults.setBool("Tessaril.didApplyDefaultLoginItem.v1", true);
        defaults.setString("Tessaril.inputSource.katakana.sourceID", "com.example.katakana");
    };
    json confirmation = alert("すべての設定を初期化しますか？", resetInformative, {"完全に初期化", "キャンセル"}, "キャンセル");
    confirmation["alert"]["style"] = "critical";

    startAdvanced({.settings = importedDocument(), .prepareDefaults = prepare, .answers = {"キャンセル"}});
    selectEverything();
    click({.action = "resetAllSettingsToFactoryDefaults"});
    EXPECT_EQ(takeLines(), std::vector<json>{confirmation});
    EXPECT_EQ(delegate().settings, importedDocument());

    startAdvanced({.settings = importedDocument(), .prepareDefaults = prepare, .answers = {"完全に初期化"}});
    selectEverything();
    click({.action = "resetAllSettingsToFactoryDefaults"});
    auto seen = takeLines();
    ASSERT_EQ(seen.size(), 3u);
    confirmation["alert"]["answer"] = "完全に初期化";
    EXPECT_EQ(seen[0], confirmation);
    EXPECT_EQ(coding::decode<TessarilSettings>(seen[1]["saved"]), TessarilSettings());
    EXPECT_EQ(seen[2], alert("初期化しました", "Tessarilの設定を工場出荷時の状態に戻しました。", {"OK"}, "OK"));
    EXPECT_EQ(delegate().settings, TessarilSettings());
    expectSelectionsReset();
    auto& defaults = harness->standardDefaults();
    EXPECT_TRUE(defaults.boolean("Tessaril.didShowOnboardingGuide.v1"));
    EXPECT_TRUE(defaults.boolean("Tessaril.didApplyDefaultLoginItem.v1"));
    EXPECT_EQ(defaults.string("Tessaril.inputSource.katakana.sourceID"), "com.example.katakana");
}

} // namespace
} // namespace tessaril
