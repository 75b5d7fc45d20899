#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "Platform/Logging/RecordingLogSink.hpp"
#include "TessarilMacTests/RichText/AllocationMeter.hpp"
#include "TestSupport/LargeSettingsDocument.hpp"
#include "TessarilCore/Settings/TessarilSettingsMigrations.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsExportEnvelope.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStore.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStoreError.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStoreSystemError.hpp"

namespace tessaril {
namespace {

using platform::UserDefaults;
using Store = TessarilSettingsStore;

class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessaril-store-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path write(const std::string& name, const std::string& contents) const {
        std::ofstream(path_ / name, std::ios::binary) << contents;
        return path_ / name;
    }

private:
    std::filesystem::path path_;
};

UserDefaults::Data bytes(std::string_view text) { return UserDefaults::Data(text.begin(), text.end()); }
std::string text(const std::optional<UserDefaults::Data>& data) {
    return data ? std::string(data->begin(), data->end()) : "<none>";
}
// A bare document of `count` custom presets that name only what decoding requires; each one is filled
// out with every default of its settings.
std::string bareCustomPresets(int count) {
    std::string document = R"({"customPresets":[)";
    for (int index = 0; index < count; ++index) {
        if (index > 0) document += ',';
        document += R"({"id":"P)" + std::to_string(index) + R"(","name":"p","settings":{}})";
    }
    return document + "]}";
}
// A bare document of `count` per-application entries under `key`, each holding only the display name
// it requires; decoding fills every one out with its feature's whole default value.
std::string bareApplicationEntries(std::string_view key, std::size_t count) {
    std::string document = "{\"" + std::string(key) + "\":{";
    for (std::size_t index = 0; index < count; ++index) {
        if (index > 0) document += ',';
        const std::string digits = std::to_string(index);
        document += "\"a" + std::string(6 - digits.size(), '0') + digits + "\":{\"displayName\":\"\"}";
    }
    return document + "}}";
}
// The issue's trailing-junk document: complete JSON, a NUL byte, then bytes the reader never saw.
const std::string documentThenNULAndJunk = std::string(R"({"activePreset":"compactUS"})") + '\0' + "\xff{{";

std::string repeated(std::string_view element, std::size_t count) {
    std::string text;
    text.reserve(count * (element.size() + 1));
    for (std::size_t index = 0; index < count; ++index) {
        if (index > 0) text += ',';
        text += element;
    }
    return text;
}

std::int64_t storedBytes(const TessarilSettings& settings) {
    return static_cast<std::int64_t>(Store::encoded(coding::encode(settings)).size());
}

TessarilSettings importNormalized(TessarilSettings settings) {
    normalizeImportedSettings(settings);
    return settings;
}

// Identifiers of one width, so that every entry of a kind weighs the same.
std::string entryIdentifier(std::size_t index) {
    std::string digits = std::to_string(index);
    return "E" + std::string(6 - digits.size(), '0') + digits;
}

// A phrase of 2,000 characters, and `padding` ASCII characters more (each one byte stored).
void addLongPhrase(TessarilSettings& settings, std::size_t padding) {
    std::string text;
    for (int count = 0; count < 2000; ++count) text += "了";
    auto& rules = settings.fixedPhraseAssist.rules;
    rules.emplace_back(entryIdentifier(rules.size()), "長文", true, std::nullopt, text + std::string(padding, 'x'));
}

// A preset with every setting at its default: many short lines.
void addCustomPreset(TessarilSettings& settings, std::size_t padding) {
    settings.customPresets.push_back(
        {entryIdentifier(settings.customPresets.size()), "Preset" + std::string(padding, 'x'), RuleEngineSettings{}});
}

// `base`, import-normalised, with entries added until its stored form is exactly `bytes` long: whole
// entries while they fit, the last one padded by what remains.
TessarilSettings filledTo(std::int64_t bytes, TessarilSettings base, void (*add)(TessarilSettings&, std::size_t)) {
    normalizeImportedSettings(base);
    const auto withEntries = [&](std::size_t count, std::size_t lastPadding) {
        TessarilSettings settings = base;
        for (std::size_t index = 0; index < count; ++index) add(settings, index + 1 == count ? lastPadding : 0);
        return settings;
    };
    const std::int64_t entryBytes = storedBytes(withEntries(2, 0)) - storedBytes(withEntries(1, 0));
    auto count = static_cast<std::size_t>((bytes - storedBytes(base)) / entryBytes);
    while (storedBytes(withEntries(count, 0)) > bytes) --count;
    return withEntries(count, static_cast<std::size_t>(bytes - storedBytes(withEntries(count, 0))));
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class TessarilSettingsStoreTest : public ::testing::Test {
protected:
    Store makeStore(UserDefaults& domain) { return Store(domain, platform::ProcessLog(log)); }

    void setFlags(bool done) {
        for (auto key : Store::migrationKeys) defaults.setBool(key, done);
    }
    std::vector<bool> flags() {
        std::vector<bool> result;
        for (auto key : Store::migrationKeys) result.push_back(defaults.boolean(key));
        return result;
    }
    std::vector<std::string> processLines() const {
        std::vector<std::string> lines;
        for (const auto& record : log->records()) lines.push_back(record.message);
        return lines;
    }
    template <class Call> TessarilSettingsStoreError storeError(Call&& call) {
        try {
            call();
        } catch (const TessarilSettingsStoreError& error) {
            return error;
        }
        ADD_FAILURE() << "no TessarilSettingsStoreError";
        return TessarilSettingsStoreError::invalidSettingsFile();
    }

    std::shared_ptr<platform::RecordingLogSink> log = std::make_shared<platform::RecordingLogSink>();
    UserDefaults defaults;
    ScratchDirectory scratch;
};

// ---- load and save

TEST_F(TessarilSettingsStoreTest, FirstStartAnswersTheDefaultDocumentAndMarksTheMigrationsDone) {
    auto store = makeStore(defaults);
    EXPECT_EQ(store.load(), TessarilSettings());
    EXPECT_EQ(flags(), (std::vector{true, true, true}));
    EXPECT_FALSE(defaults.hasValue(Store::settingsKey));
}

TEST_F(TessarilSettingsStoreTest, LoadSavesOnlyWhenAStepChangedTheDocumentOrTheFirstMigrationRan) {
    UUIDGenerator::ScopedOverride uuids(UUIDGenerator::sequential());
    struct Case {
        const char* name;
        std::string stored;
        bool flagsDone;
        bool saved;
    };
    const std::vector<Case> cases{
        {"empty object, flags done", "{}", true, false},
        {"empty object, flags not done", "{}", false, true},
        {"system preferences guard entry",
         R"({"appShortcutGuardSettings":{"com.apple.systempreferences":{"displayName":"Prefs"}}})", true, true},
        {"per-keyboard assignments", R"({"usesPerKeyboardPresetAssignments":true})", true, true},
        {"upper-case text-tool key",
         R"({"textTools":{"plainCopy":{"isEnabled":true,"shortcut":{"modifiers":[{"command":{}},{"control":{}}],"key":{"character":{"_0":"C"}}}}}})",
         true, true},
        {"settings set without id", R"({"keypadShortcutHackSets":[{"name":"S","value":{}}]})", true, true},
        {"settings set with an empty id", R"({"writingAssistSets":[{"id":"","value":{}}]})", true, true},
        {"settings set with an id", R"({"writingAssistSets":[{"id":"S1","value":{}}]})", true, false},
        // Saved although the bytes come out the same: the first migration always counts as a change.
        {"stored as this version writes it, flags not done", Store::encoded(coding::encode(TessarilSettings())), false,
         true},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        UserDefaults domain;
        domain.setData(Store::settingsKey, bytes(testCase.stored));
        for (auto key : Store::migrationKeys) domain.setBool(key, testCase.flagsDone);
        auto store = makeStore(domain);
        const auto [settings, saved] = store.loadReportingSave();
        EXPECT_EQ(saved, testCase.saved);
        EXPECT_EQ(text(domain.data(Store::settingsKey)),
                  testCase.saved ? Store::encoded(coding::encode(settings)) : testCase.stored);
        for (auto key : Store::migrationKeys) EXPECT_TRUE(domain.boolean(key)) << key;
    }
}

TEST_F(TessarilSettingsStoreTest, GeneratedSetIdentifiersStayTheSameOnTheNextLaunch) {
    defaults.setData(Store::settingsKey, bytes(R"({"shortcutGuardSets":[{"value":{},"appTargets":[]}]})"));
    setFlags(true);
    const auto first = makeStore(defaults).load();
    const auto second = makeStore(defaults).load();
    ASSERT_EQ(first.shortcutGuardSets.size(), 1u);
    EXPECT_EQ(second.shortcutGuardSets, first.shortcutGuardSets);
}

TEST_F(TessarilSettingsStoreTest, OneTimeMigrationsRunOnlyWhileTheirFlagIsFalse) {
    const std::string legacy =
        R"({"globalShortcutGuard":{"isEnabled":true,"timeoutMilliseconds":700,"shortcuts":[)"
        R"({"modifiers":[{"command":{}}],"key":{"character":{"_0":"q"}}},{"modifiers":[{"command":{}}],"key":{"character":{"_0":"w"}}}]},)"
        R"("keypadShortcutHacks":{"usesKeypadEqualCombo":true,"period":{"isEnabled":true}}})";
    struct Case {
        const char* name;
        std::vector<bool> flags;
        bool guardReplaced;
        bool keypadSwitchedOff;
    };
    const std::vector<Case> cases{
        {"all pending", {false, false, false}, true, true},
        {"only the assist migration pending", {true, false, true}, true, false},
        {"only the optional helpers pending", {false, true, true}, false, true},
        {"all done", {true, true, true}, false, false},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        UserDefaults domain;
        domain.setData(Store::settingsKey, bytes(legacy));
        for (std::size_t index = 0; index < Store::migrationKeys.size(); ++index) {
            domain.setBool(Store::migrationKeys[index], testCase.flags[index]);
        }
        const auto settings = makeStore(domain).load();
        EXPECT_EQ(settings.globalShortcutGuard == DoublePressGuardSettings(), testCase.guardReplaced);
        EXPECT_EQ(!settings.keypadShortcutHacks.period.isEnabled, testCase.keypadSwitchedOff);
    }
}

TEST_F(TessarilSettingsStoreTest, UndecodableDataIsKeptAndMigrationsNeverRunOverTheNextSave) {
    const std::string corrupt = R"({"activePreset": "tablet"})";
    defaults.setData(Store::settingsKey, bytes(corrupt));
    setFlags(false);
    auto store = makeStore(defaults);

    EXPECT_EQ(store.load(), TessarilSettings());
    EXPECT_EQ(text(defaults.data(Store::settingsKey)), corrupt);
    EXPECT_EQ(text(defaults.data(Store::undecodableSettingsKey)), corrupt);
    EXPECT_EQ(flags(), (std::vector{false, false, false}));
    EXPECT_EQ(processLines(),
              std::vector<std::string>{"Tessaril settings load failed: Cannot initialize KeyboardPreset from invalid "
                                       "String value tablet (at activePreset)"});

    // The user turns on what the one-time migrations would switch off, and saves.
    TessarilSettings edited;
    edited.keypadShortcutHacks.period.isEnabled = true;
    edited.profiles.laptop.setRightModifiedCommandAction(ModifiedCommandAction::standard);
    store.save(edited);
    EXPECT_EQ(flags(), (std::vector{true, true, true}));
    EXPECT_EQ(makeStore(defaults).load(), edited);
    EXPECT_EQ(text(defaults.data(Store::undecodableSettingsKey)), corrupt);
}

// Flags that could not be written at load must not let a later load run the one-time migrations
// over what the user chose since: the document and its flags are stored together or not at all.
TEST_F(TessarilSettingsStoreTest, MigrationFlagsThatCouldNotBeWrittenGoFirstWithTheNextSave) {
    struct Case {
        const char* name;
        std::optional<std::string> stored;
        std::size_t failedWrites;
    };
    const std::vector<Case> cases{
        {"first start", std::nullopt, 3},
        // Three flags, then the save of the migrated document.
        {"document of an earlier version", R"({"keypadShortcutHacks":{"period":{"isEnabled":true}}})", 4},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        log->clear();
        UserDefaults domain;
        if (testCase.stored) domain.setData(Store::settingsKey, bytes(*testCase.stored));
        domain.setWriteFailure("disk full");
        auto store = makeStore(domain);

        const auto [settings, saved] = store.loadReportingSave();
        EXPECT_FALSE(saved);
        EXPECT_FALSE(settings.keypadShortcutHacks.period.isEnabled) << "the document answered is migrated";
        EXPECT_EQ(text(domain.data(Store::settingsKey)), testCase.stored.value_or("<none>"));
        for (auto key : Store::migrationKeys) EXPECT_FALSE(domain.boolean(key)) << key;
        EXPECT_EQ(processLines(),
                  std::vector<std::string>(testCase.failedWrites, "Tessaril settings save failed: disk full"));

        // The disk recovers; the user turns on what the one-time migrations switch off, and saves.
        domain.setWriteFailure(std::nullopt);
        TessarilSettings edited = settings;
        edited.keypadShortcutHacks.period.isEnabled = true;
        edited.profiles.laptop.setRightModifiedCommandAction(ModifiedCommandAction::standard);
        store.save(edited);
        for (auto key : Store::migrationKeys) EXPECT_TRUE(domain.boolean(key)) << key;
        EXPECT_EQ(makeStore(domain).load(), edited);
    }
}

TEST_F(TessarilSettingsStoreTest, DataThatIsNotJSONGivesTheDefaultDocumentAndStaysStored) {
    const std::vector<UserDefaults::Data> stored{UserDefaults::Data{0xff, 0x00, 0x7b}, bytes(documentThenNULAndJunk),
                                                 bytes(std::string("{}\0", 3))};
    for (const auto& data : stored) {
        SCOPED_TRACE(::testing::PrintToString(data));
        UserDefaults domain;
        domain.setData(Store::settingsKey, data);
        for (auto key : Store::migrationKeys) domain.setBool(key, true);
        log->clear();
        EXPECT_EQ(makeStore(domain).load(), TessarilSettings());
        EXPECT_EQ(domain.data(Store::settingsKey), data);
        EXPECT_EQ(domain.data(Store::undecodableSettingsKey), data);
        EXPECT_EQ(processLines(),
                  std::vector<std::string>{"Tessaril settings load failed: The given data was not valid JSON."});
    }
}

TEST_F(TessarilSettingsStoreTest, AFailedWriteIsLoggedAndLeavesTheStoredSettings) {
    auto store = makeStore(defaults);
    TessarilSettings first;
    first.activePreset = KeyboardPreset::fullSizeUS;
    store.save(first);
    const auto stored = defaults.data(Store::settingsKey);

    defaults.setWriteFailure("disk full");
    TessarilSettings second;
    second.activePreset = KeyboardPreset::compactUS;
    store.save(second);
    EXPECT_EQ(defaults.data(Store::settingsKey), stored);
    ASSERT_EQ(processLines().size(), 1u);
    EXPECT_EQ(processLines()[0].rfind("Tessaril settings save failed: ", 0), 0u);
    EXPECT_NE(processLines()[0].find("disk full"), std::string::npos);

    // Import is no success when the document cannot be stored.
    auto file = scratch.write("import.json", R"({"activePreset":"compactUS"})");
    EXPECT_THROW(store.importSettings(file), TessarilSettingsStoreSystemError);
    defaults.setWriteFailure(std::nullopt);
    EXPECT_EQ(makeStore(defaults).load().activePreset, KeyboardPreset::fullSizeUS);
}

TEST_F(TessarilSettingsStoreTest, AnEncodingFailureStoresNothing) {
    auto store = makeStore(defaults);
    store.save(TessarilSettings());
    const auto stored = defaults.data(Store::settingsKey);
    TessarilSettings broken;
    broken.presetDisplayNames["laptop"] = std::string("\xff\xfe", 2);
    store.save(broken);
    EXPECT_EQ(defaults.data(Store::settingsKey), stored);
    ASSERT_EQ(processLines().size(), 1u);
    EXPECT_EQ(processLines()[0].rfind("Tessaril settings save failed: ", 0), 0u);
}

TEST_F(TessarilSettingsStoreTest, ASecondProcessSeesWhatTheFirstSaved) {
    UserDefaults first(scratch.path() / "config", "standard");
    UserDefaults second(scratch.path() / "config", "standard");
    TessarilSettings settings;
    settings.activePreset = KeyboardPreset::compactUS;
    settings.appKeypadShortcutHackSettings["com.example.editor"] = {"Editor", false, {}};
    makeStore(first).save(settings);
    EXPECT_EQ(makeStore(second).load(), settings);

    struct stat status {};
    ASSERT_EQ(::stat((scratch.path() / "config" / "standard.json").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

// ---- import

TEST_F(TessarilSettingsStoreTest, ImportFailuresCarryTheirExactDescriptions) {
    struct Case {
        const char* name;
        std::string contents;
        std::string description;
    };
    const std::string invalid = "Tessaril の設定ファイルとして読み込めません。ファイルの形式を確認してください。";
    const std::vector<Case> cases{
        {"future version with empty settings", R"({"schemaVersion":2,"settings":{}})",
         "対応していない設定ファイル形式です。schemaVersion: 2"},
        {"future version without settings", R"({"schemaVersion":3})", "対応していない設定ファイル形式です。schemaVersion: 3"},
        {"future version with unreadable settings", R"({"schemaVersion":0,"settings":"x"})",
         "対応していない設定ファイル形式です。schemaVersion: 0"},
        {"negative version", R"({"schemaVersion":-1,"settings":{}})", "対応していない設定ファイル形式です。schemaVersion: -1"},
        {"only schemaVersion 1", R"({"schemaVersion":1})", invalid},
        {"only settings", R"({"settings":{}})", invalid},
        {"fractional version", R"({"schemaVersion":1.5,"settings":{}})", invalid},
        {"version as text", R"({"schemaVersion":"2","settings":{}})", invalid},
        {"envelope with an invalid document", R"({"schemaVersion":1,"settings":{"activePreset":"tablet"}})", invalid},
        {"keys outside the document", R"({"theme":"dark"})", invalid},
        {"empty object", "{}", invalid},
        {"top-level array", "[]", invalid},
        {"empty file", "", invalid},
        {"not JSON", "activePreset: laptop", invalid},
        {"bare document with a wrong type", R"({"usesPerKeyboardPresetAssignments":"yes"})", invalid},
        {"bare document, NUL, junk", documentThenNULAndJunk, invalid},
        {"envelope, then a NUL", std::string(R"({"schemaVersion":1,"settings":{}})") + '\0', invalid},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        auto file = scratch.write("settings.json", testCase.contents);
        auto store = makeStore(defaults);
        EXPECT_EQ(storeError([&] { store.previewImport(file); }).description(), testCase.description);
    }
}

TEST_F(TessarilSettingsStoreTest, ImportReadsAtMostTheLimit) {
    const std::string document = R"({"activePreset":"compactUS"})";
    auto exactly = scratch.write("exact.json", document + std::string(Store::maximumImportFileSizeBytes - document.size(), ' '));
    EXPECT_EQ(makeStore(defaults).previewImport(exactly).activePreset, KeyboardPreset::compactUS);

    auto over = scratch.write("over.json", document + std::string(Store::maximumImportFileSizeBytes + 1 - document.size(), ' '));
    const auto error = storeError([&] { makeStore(defaults).previewImport(over); });
    EXPECT_EQ(error, TessarilSettingsStoreError::fileTooLarge(5767168, 5767169));
    EXPECT_EQ(error.description(), "設定ファイルが大きすぎます。最大 5767168 bytes、選択ファイル 5767169 bytes です。");
}

// Every export of a document up to the stored limit imports again, however its lines are made: long
// phrase texts, or the short lines of many presets, which an export indents the most in proportion.
TEST_F(TessarilSettingsStoreTest, ExportsOfLargeDocumentsImportAgainUnchanged) {
    UUIDGenerator::ScopedOverride uuids(UUIDGenerator::sequential());
    const std::int64_t limit = Store::maximumImportedDocumentBytes;
    struct Case {
        const char* name;
        TessarilSettings settings;
        std::int64_t storedBytes;
        bool imports;
    };
    const std::vector<Case> cases{
        {"the large benchmark document", importNormalized(test_support::largeSettingsDocument()), 0, true},
        {"long phrases up to the limit", filledTo(limit, test_support::largeSettingsDocument(), addLongPhrase), limit, true},
        {"custom presets up to the limit", filledTo(limit, TessarilSettings(), addCustomPreset), limit, true},
        {"long phrases one byte over the limit", filledTo(limit + 1, TessarilSettings(), addLongPhrase), limit + 1, false},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        if (testCase.storedBytes > 0) {
            ASSERT_EQ(storedBytes(testCase.settings), testCase.storedBytes);
        }
        const auto file = scratch.path() / "TessarilSettings.json";
        auto store = makeStore(defaults);
        store.exportSettings(testCase.settings, file);
        if (testCase.imports) {
            EXPECT_EQ(store.previewImport(file), testCase.settings);
        } else {
            EXPECT_EQ(storeError([&] { store.previewImport(file); }), TessarilSettingsStoreError::documentTooLarge(limit));
        }
    }
}

// Bare entries that decoding fills out with every default, and values the document has no place for:
// refused before they are built, with the memory of the refusal bounded by the limits rather than by
// what the file would grow into (a hundred-fold and more).
TEST_F(TessarilSettingsStoreTest, AmplifyingFilesAreRefusedWithTheirMemoryBounded) {
    const std::size_t mostBareEntries = Store::maximumImportValueCount - 8;
    const std::size_t mostApplicationEntries = (Store::maximumImportFileSizeBytes - 64) / 29;
    // The parsed file, which the value limit keeps below about 60 MB even of empty objects, and the
    // document decoded up to the limit. Past it an allocation fails.
    const std::size_t peakBound = 24 * Store::maximumImportedDocumentBytes;
    const auto documentTooLarge = TessarilSettingsStoreError::documentTooLarge(4194304);
    const auto tooManyValues = TessarilSettingsStoreError::tooManyValues(699114);
    struct Case {
        const char* name;
        std::string contents;
        TessarilSettingsStoreError error;
    };
    const std::vector<Case> cases{
        {"bare phrases", R"({"fixedPhraseAssist":{"rules":[)" + repeated("{}", 300000) + "]}}", documentTooLarge},
        {"as many bare phrases as a file may hold values",
         R"({"fixedPhraseAssist":{"rules":[)" + repeated("{}", mostBareEntries) + "]}}", documentTooLarge},
        {"bare phrases inside a set", R"({"fixedPhraseAssistSets":[{"value":{"rules":[)" + repeated("{}", 300000) + "]}}]}",
         documentTooLarge},
        {"bare custom presets", bareCustomPresets(20000), documentTooLarge},
        // As many as a file may hold. (A phrase entry must name its rules, so it builds no more than it says.)
        {"bare guard entries", bareApplicationEntries("appShortcutGuardSettings", mostApplicationEntries), documentTooLarge},
        {"bare writing-assist entries", bareApplicationEntries("appWritingAssistSettings", mostApplicationEntries),
         documentTooLarge},
        {"bare keypad entries", bareApplicationEntries("appKeypadShortcutHackSettings", mostApplicationEntries),
         documentTooLarge},
        {"empty objects the document has no place for",
         R"({"textTools":{},"padding":[)" + repeated("{}", (Store::maximumImportFileSizeBytes - 64) / 3) + "]}", tooManyValues},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        ASSERT_LE(testCase.contents.size(), static_cast<std::size_t>(Store::maximumImportFileSizeBytes));
        const auto file = scratch.write("amplifying.json", testCase.contents);
        auto store = makeStore(defaults);
        std::optional<TessarilSettingsStoreError> error;
        {
            const rich_text_test::AllocationMeter meter(peakBound);
            try {
                error = storeError([&] { store.previewImport(file); });
            } catch (const std::bad_alloc&) {
                ADD_FAILURE() << "the refusal needs more than " << peakBound << " bytes";
            }
        }
        EXPECT_EQ(error, testCase.error);
    }
    EXPECT_EQ(documentTooLarge.description(), "設定ファイルの内容が大きすぎます。保存される設定は最大 4194304 bytes です。");
}

// A file's count of values is a limit of its own: a small document under a long list of empty values
// the document has no place for is refused for that count, not for a size it would never reach.
TEST_F(TessarilSettingsStoreTest, ImportTakesAtMostTheLimitOfValuesAndSaysSoBeyondIt) {
    // The object, "textTools" and "padding" are three values; each empty array in the list is one.
    const auto padded = [](std::size_t arrays) {
        return R"({"textTools":{},"padding":[)" + repeated("[]", arrays) + "]}";
    };
    const std::size_t mostArrays = Store::maximumImportValueCount - 3;
    ASSERT_EQ(Store::maximumImportValueCount, 699114u);

    const auto exactly = scratch.write("exactly.json", padded(mostArrays));
    EXPECT_EQ(makeStore(defaults).previewImport(exactly), importNormalized(TessarilSettings()));

    // About 3 MB, well within the file limit, whose saved document would be a few kilobytes.
    for (const std::size_t arrays : {mostArrays + 1, std::size_t{1000000}}) {
        SCOPED_TRACE(arrays);
        const auto file = scratch.write("values.json", padded(arrays));
        ASSERT_LT(std::filesystem::file_size(file), static_cast<std::uintmax_t>(Store::maximumImportFileSizeBytes));
        const auto error = storeError([&] { makeStore(defaults).previewImport(file); });
        EXPECT_EQ(error, TessarilSettingsStoreError::tooManyValues(699114));
        EXPECT_EQ(error.description(), "設定ファイルの値が多すぎます。最大 699114 個です。");
    }
    EXPECT_FALSE(defaults.data(Store::settingsKey));
}

TEST_F(TessarilSettingsStoreTest, ImportRefusesWhatIsNoRegularFile) {
    EXPECT_EQ(storeError([&] { makeStore(defaults).previewImport(scratch.path()); }),
              TessarilSettingsStoreError::invalidSettingsFile());
    const auto fifo = scratch.path() / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(storeError([&] { makeStore(defaults).previewImport(fifo); }),
              TessarilSettingsStoreError::invalidSettingsFile());
    try {
        makeStore(defaults).previewImport(scratch.path() / "missing.json");
        ADD_FAILURE() << "no error";
    } catch (const TessarilSettingsStoreSystemError& error) {
        EXPECT_EQ(error.description(), (scratch.path() / "missing.json").string() + ": No such file or directory");
    }
}

TEST_F(TessarilSettingsStoreTest, BareDocumentImportsWithDefaultsForMissingKeys) {
    auto file = scratch.write("bare.json", R"({"textTools":{}})");
    EXPECT_EQ(makeStore(defaults).previewImport(file), TessarilSettings());
}

TEST_F(TessarilSettingsStoreTest, ImportNormalisesAndClearsKeyboardAssignments) {
    auto file = scratch.write("import.json", R"({"schemaVersion":1,"settings":{
        "usesPerKeyboardPresetAssignments": true,
        "keyboardPresetAssignments": {"keyboard-type:40": "compactUS"},
        "appShortcutGuardSettings": {"com.example.a": {"displayName": ""}},
        "shortcutGuardSets": [
            {"id": "S1", "value": {}, "appTargets": [{"bundleIdentifier": "com.example.a", "displayName": "A"}]},
            {"id": "S2", "value": {}, "appTargets": [{"bundleIdentifier": "com.example.a", "displayName": "A"}]}]}})");
    const auto settings = makeStore(defaults).previewImport(file);
    EXPECT_FALSE(settings.usesPerKeyboardPresetAssignments);
    EXPECT_TRUE(settings.keyboardPresetAssignments.empty());
    EXPECT_EQ(settings.appShortcutGuardSettings.at("com.example.a").displayName, "com.example.a");
    EXPECT_EQ(settings.shortcutGuardSets.at(0).appTargets.size(), 1u);
    EXPECT_TRUE(settings.shortcutGuardSets.at(1).appTargets.empty());
}

// Two entries of one list with the same identifier would share every edit the window makes by
// identifier. Each list below holds "A", "A", "B"; the same two identifiers in other lists stay.
TEST_F(TessarilSettingsStoreTest, ImportAndLoadGiveARepeatedIdentifierAFreshOneInItsOwnList) {
    const std::string threeRules = R"([{"id":"A","title":"1"},{"id":"A","title":"2"},{"id":"B","title":"3"}])";
    const std::string threeSets = R"([{"id":"A","name":"1","value":{}},{"id":"A","name":"2","value":{}},{"id":"B","name":"3","value":{}}])";
    const std::string document = R"({
        "customPresets": [{"id":"A","name":"1","settings":{}},{"id":"A","name":"2","settings":{}},{"id":"B","name":"3","settings":{}}],
        "shortcutGuardSets": )" + threeSets + R"(,
        "keypadShortcutHackSets": )" + threeSets + R"(,
        "writingAssistSets": [{"id":"A","value":{"pairAssistRules":)" + threeRules + R"(}},
                              {"id":"A","value":{}},{"id":"B","value":{}}],
        "fixedPhraseAssistSets": [{"id":"A","value":{"rules":)" + threeRules + R"(}},
                                  {"id":"A","value":{"rules":[]}},{"id":"B","value":{"rules":[]}}],
        "writingAssist": {"pairAssistRules": )" + threeRules + R"(},
        "appWritingAssistSettings": {"com.example.a": {"displayName":"A","writingAssist":{"pairAssistRules":)" + threeRules + R"(}}},
        "fixedPhraseAssist": {"rules": )" + threeRules + R"(},
        "appFixedPhraseAssistSettings": {"com.example.a": {"displayName":"A","usesDefaultFixedPhraseAssist":false,"fixedPhraseAssist":{"rules":)" + threeRules + R"(}}}
    })";
    using Identifiers = std::vector<std::string>;
    const auto ids = [](const auto& entries) {
        Identifiers result;
        for (const auto& entry : entries) result.push_back(entry.id);
        return result;
    };
    struct Case {
        const char* name;
        std::function<Identifiers(const TessarilSettings&)> identifiers;
    };
    const std::vector<Case> cases{
        {"custom presets", [&](const TessarilSettings& s) { return ids(s.customPresets); }},
        {"guard sets", [&](const TessarilSettings& s) { return ids(s.shortcutGuardSets); }},
        {"keypad sets", [&](const TessarilSettings& s) { return ids(s.keypadShortcutHackSets); }},
        {"writing-assist sets", [&](const TessarilSettings& s) { return ids(s.writingAssistSets); }},
        {"phrase sets", [&](const TessarilSettings& s) { return ids(s.fixedPhraseAssistSets); }},
        {"pair rules", [&](const TessarilSettings& s) { return ids(s.writingAssist.pairAssistRules); }},
        {"an application's pair rules",
         [&](const TessarilSettings& s) { return ids(s.appWritingAssistSettings.at("com.example.a").writingAssist.pairAssistRules); }},
        {"a set's pair rules", [&](const TessarilSettings& s) { return ids(s.writingAssistSets.at(0).value.pairAssistRules); }},
        {"phrases", [&](const TessarilSettings& s) { return ids(s.fixedPhraseAssist.rules); }},
        {"an application's phrases",
         [&](const TessarilSettings& s) { return ids(s.appFixedPhraseAssistSettings.at("com.example.a").fixedPhraseAssist.rules); }},
        {"a set's phrases", [&](const TessarilSettings& s) { return ids(s.fixedPhraseAssistSets.at(0).value.rules); }},
    };

    const auto file = scratch.write("repeated.json", document);
    const TessarilSettings imported = makeStore(defaults).previewImport(file);
    defaults.setData(Store::settingsKey, bytes(document));
    setFlags(true);
    const auto [loaded, saved] = makeStore(defaults).loadReportingSave();
    EXPECT_TRUE(saved) << "the fresh identifiers are kept for the next launch";
    EXPECT_EQ(makeStore(defaults).load(), loaded);
    for (const auto& [how, settings] : {std::pair{"import", &imported}, std::pair{"load", &loaded}}) {
        for (const auto& testCase : cases) {
            SCOPED_TRACE(std::string(how) + ", " + testCase.name);
            const Identifiers found = testCase.identifiers(*settings);
            ASSERT_EQ(found.size(), 3u);
            EXPECT_EQ(found[0], "A");
            EXPECT_NE(found[1], "A");
            EXPECT_NE(found[1], "B");
            EXPECT_FALSE(found[1].empty());
            EXPECT_EQ(found[2], "B");
        }
    }
}

TEST_F(TessarilSettingsStoreTest, FailedImportsLeaveTheStoredSettingsAndFlags) {
    auto store = makeStore(defaults);
    TessarilSettings current;
    current.activePreset = KeyboardPreset::fullSizeUS;
    store.save(current);
    setFlags(false);
    const auto stored = defaults.data(Store::settingsKey);

    const std::vector<std::filesystem::path> files{
        scratch.write("corrupt.json", "{\"activePreset\":"),
        scratch.write("future.json", R"({"schemaVersion":2,"settings":{}})"),
        scratch.write("large.json", std::string(Store::maximumImportFileSizeBytes + 10, ' ')),
        scratch.write("amplifying.json", bareCustomPresets(1100)),
        scratch.write("junk-after-nul.json", documentThenNULAndJunk),
        scratch.path() / "missing.json",
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        EXPECT_ANY_THROW(store.importSettings(file));
        EXPECT_EQ(defaults.data(Store::settingsKey), stored);
        EXPECT_EQ(flags(), (std::vector{false, false, false}));
    }
}

TEST_F(TessarilSettingsStoreTest, ImportSettingsStoresTheDocumentAndMarksAFirstStart) {
    auto file = scratch.write("import.json", R"({"activePreset":"compactUS"})");
    const auto imported = makeStore(defaults).importSettings(file);
    EXPECT_EQ(imported.activePreset, KeyboardPreset::compactUS);
    EXPECT_EQ(flags(), (std::vector{true, true, true}));
    EXPECT_EQ(makeStore(defaults).load(), imported);
}

// ---- export

TEST_F(TessarilSettingsStoreTest, ExportedFileReimportsToTheSameDocument) {
    UUIDGenerator::ScopedOverride uuids(UUIDGenerator::sequential());
    TessarilSettings settings;
    settings.activePreset = KeyboardPreset::fullSizeUS;
    settings.presetDisplayNames["laptop"] = "執筆";
    settings.keypadShortcutHacks.slash.isEnabled = true;
    settings.writingAssistSets.emplace_back("W", "Writing", WritingAssistSettings(),
                                            std::vector{SettingsSetAppTarget("com.example.a", "A")});
    normalizeImportedSettings(settings);

    const auto file = scratch.path() / "TessarilSettings.json";
    auto store = makeStore(defaults);
    store.exportSettings(settings, file);
    EXPECT_EQ(store.previewImport(file), settings);

    const std::string written = fileText(file);
    EXPECT_EQ(written, Store::encoded(coding::encode(TessarilSettingsExportEnvelope{1, settings})));
    EXPECT_EQ(written.rfind("{\n  \"schemaVersion\": 1,\n  \"settings\": {\n    \"activePreset\": \"fullSizeUS\",", 0), 0u);
    EXPECT_FALSE(defaults.hasValue(Store::settingsKey));
}

TEST_F(TessarilSettingsStoreTest, AFailedExportLeavesTheOldFile) {
    const auto file = scratch.write("TessarilSettings.json", "old");
    TessarilSettings unencodable;
    unencodable.presetDisplayNames["laptop"] = std::string("\xff", 1);
    EXPECT_THROW(makeStore(defaults).exportSettings(unencodable, file), TessarilSettingsStoreSystemError);
    EXPECT_EQ(fileText(file), "old");

    const auto nowhere = scratch.path() / "missing" / "TessarilSettings.json";
    try {
        makeStore(defaults).exportSettings(TessarilSettings(), nowhere);
        ADD_FAILURE() << "no error";
    } catch (const TessarilSettingsStoreSystemError& error) {
        EXPECT_EQ(error.description(),
                  "cannot create a temporary file in " + nowhere.parent_path().string() + ": No such file or directory");
    }
    EXPECT_EQ(std::vector<std::filesystem::path>(std::filesystem::directory_iterator(scratch.path()), {}),
              std::vector<std::filesystem::path>{file})
        << "no temporary file is left behind";
}

} // namespace
} // namespace tessaril
