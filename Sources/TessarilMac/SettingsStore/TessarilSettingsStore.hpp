#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

#include "Platform/Foundation/UserDefaults.hpp"
#include "Platform/Logging/ProcessLog.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril {

// Keeps the settings document as JSON in the user defaults, repairs it on load (one-time migrations,
// each guarded by a flag in the same defaults, and the normalisations that run on every load), and
// exports it to a file and reads it back. It never loses stored data: a document that cannot be
// decoded is kept aside, and a failed write leaves the previous data in place. No state beyond the
// defaults it writes; main thread only.
class TessarilSettingsStore {
public:
    static constexpr std::string_view settingsKey = "Tessaril.settings.v1";
    static constexpr std::string_view optionalHelpersMigrationKey = "Tessaril.didMigrateOptionalHelpers.v2";
    static constexpr std::string_view enabledDefaultAssistMigrationKey = "Tessaril.didMigrateEnabledDefaultAssist.v1";
    static constexpr std::string_view unsafeKeypadHackMigrationKey = "Tessaril.didMigrateUnsafeKeypadHacks.v1";
    // Stored data that could not be decoded, kept here until the user's next save replaces it.
    static constexpr std::string_view undecodableSettingsKey = "Tessaril.settings.v1.undecodable";
    static constexpr std::array<std::string_view, 3> migrationKeys{
        optionalHelpersMigrationKey, enabledDefaultAssistMigrationKey, unsafeKeypadHackMigrationKey};

    // The largest stored form of a document that import takes: 4 MiB. Decoding fills out every record
    // with its defaults, so a small file of bare entries can grow a hundred-fold, and whatever is
    // imported is saved again on every edit.
    static constexpr std::int64_t maximumImportedDocumentBytes = 4 * 1024 * 1024;
    // The largest file that import reads: 5.5 MiB, room for the export of any document import takes.
    // An export is the stored form inside a four-line envelope, every line indented two spaces more.
    // Below the document's 21 keys every line of the stored form is at least six bytes long (four spaces,
    // a character, the line feed), so the export adds at most a third, and the envelope and the lines
    // of the top-level keys about 130 bytes.
    static constexpr std::int64_t maximumImportFileSizeBytes = 11 * maximumImportedDocumentBytes / 8;
    static_assert(maximumImportFileSizeBytes >= maximumImportedDocumentBytes * 4 / 3 + 256);
    // The most JSON values that an import file may hold, by the same count: each value below the
    // document's keys stands on a line of its own of at least six bytes. It bounds the parsed file before
    // it is built, as the file's size cannot: two bytes ("0,") make a value.
    static constexpr std::size_t maximumImportValueCount = maximumImportedDocumentBytes / 6 + 64;

    // The 21 top-level keys of the settings document, by which a bare document of older versions is
    // told from other JSON.
    static const std::unordered_set<std::string>& legacySettingsTopLevelKeys();

    // Lines that are not unified-log lines (a failed save) go to `processLog`. Touches no stored data.
    explicit TessarilSettingsStore(platform::UserDefaults& defaults, platform::ProcessLog processLog = defaultProcessLog());

    // The document to start with; never fails. No stored data: the default document, with the
    // one-time migrations marked done. Undecodable data: the default document; the data stays stored.
    // Otherwise the stored document, repaired, and saved when a repair changed it. A flag or a save
    // that cannot be written goes to the process log; the flags are written again before any save.
    TessarilSettings load();
    // What load() did: the document it answers, and whether it stored that document (even where the
    // stored bytes come out the same).
    struct LoadResult {
        TessarilSettings settings;
        bool saved = false;
    };
    LoadResult loadReportingSave();
    // Stores the document. A failure is written to the process log; the previous data stays.
    void save(const TessarilSettings& settings);
    // Writes the export file ("schemaVersion" 1 and "settings") atomically. Throws
    // TessarilSettingsStoreSystemError; the stored settings are untouched. (`export` is a keyword.)
    void exportSettings(const TessarilSettings& settings, const std::filesystem::path& url);
    // The document of an export file, or of a bare document as older versions wrote it, validated and
    // normalised; nothing is stored. Throws TessarilSettingsStoreError (fileTooLarge beyond
    // maximumImportFileSizeBytes; tooManyValues beyond maximumImportValueCount; documentTooLarge when
    // its stored form would exceed maximumImportedDocumentBytes, found while decoding) or
    // TessarilSettingsStoreSystemError.
    TessarilSettings previewImport(const std::filesystem::path& url);
    // previewImport, then stores the document and answers it. Throws as previewImport, and
    // TessarilSettingsStoreSystemError when the document cannot be stored.
    TessarilSettings importSettings(const std::filesystem::path& url);

    // The store's encoding of any JSON value: pretty-printed, keys sorted. Throws on text that is not
    // UTF-8.
    static std::string encoded(const Json& value);

private:
    static platform::ProcessLog defaultProcessLog();

    // save(); true when the document was stored.
    bool saveLoggingFailure(const TessarilSettings& settings);
    // The repairs of every load (and the one-time migrations still pending); true when the document
    // must be saved.
    bool repairLoadedDocument(TessarilSettings& settings);
    // Marks the one-time migrations done, then stores the document; nothing is stored when a flag
    // cannot be written. Throws TessarilSettingsStoreSystemError.
    void store(const TessarilSettings& settings);
    // The document of an import file, read and decoded with the work bounded by the import limits.
    static TessarilSettings decodedWithinLimit(const std::filesystem::path& url);
    // The stored form of the document; throws TessarilSettingsStoreSystemError.
    static std::string storedForm(const TessarilSettings& settings);
    bool migrationDone(std::string_view key);
    // Sets the flag; throws TessarilSettingsStoreSystemError.
    void markMigrationDone(std::string_view key);
    // Sets the flag; a failure goes to the process log only.
    void markMigrationDoneLoggingFailure(std::string_view key);
    void keepUndecodableData(const platform::UserDefaults::Data& data);
    // Runs the step; true when it changed the document.
    static bool changes(TessarilSettings& settings, const std::function<void(TessarilSettings&)>& step);

    platform::UserDefaults& defaults_;
    platform::ProcessLog processLog_;
};

} // namespace tessaril
