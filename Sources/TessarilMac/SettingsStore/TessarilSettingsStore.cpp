#include "TessarilMac/SettingsStore/TessarilSettingsStore.hpp"

#include <array>
#include <optional>
#include <utility>

#include "Platform/Foundation/AtomicFile.hpp"
#include "Platform/Foundation/FileWriteError.hpp"
#include "Platform/Foundation/UserDefaultsWriteError.hpp"
#include "Platform/Logging/StandardErrorLogSink.hpp"
#include "TessarilCore/Support/DecodedSizeLimit.hpp"
#include "TessarilCore/Support/DecodingError.hpp"
#include "TessarilCore/Support/JSONParsing.hpp"
#include "TessarilCore/Settings/TessarilSettingsMigrations.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsExportEnvelope.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStoreError.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStoreFiles.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStoreSystemError.hpp"

namespace tessaril {
namespace {

constexpr std::string_view saveFailedPrefix = "Tessaril settings save failed: ";
constexpr std::string_view loadFailedPrefix = "Tessaril settings load failed: ";

std::string_view textOf(const platform::UserDefaults::Data& data) {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

TessarilSettings decodedSettings(const platform::UserDefaults::Data& data) {
    std::optional<Json> parsed = coding::parsedJSON(textOf(data));
    if (!parsed) throw DecodingError::dataCorrupted("The given data was not valid JSON.");
    return coding::decode<TessarilSettings>(*parsed);
}

// Whether a stored settings set lacks an identifier: decoding gives it a new one, which must be saved
// to stay the same from one launch to the next.
bool storedSetsLackIdentifiers(const platform::UserDefaults::Data& data) {
    const Json document = coding::parsedJSON(textOf(data)).value_or(Json());
    if (!document.is_object()) return false;
    for (auto key : {"shortcutGuardSets", "keypadShortcutHackSets", "writingAssistSets", "fixedPhraseAssistSets"}) {
        const Json* sets = coding::member(document, key);
        if (sets == nullptr || !sets->is_array()) continue;
        for (const auto& set : *sets) {
            const Json* id = set.is_object() ? coding::member(set, "id") : nullptr;
            if (id == nullptr || (id->is_string() && id->get_ref<const std::string&>().empty())) return true;
        }
    }
    return false;
}

// An import file's "schemaVersion" when it is an integer.
std::optional<std::int64_t> integerSchemaVersion(const Json& document) {
    const Json* version = coding::member(document, "schemaVersion");
    if (version == nullptr) return std::nullopt;
    try {
        return coding::decode<std::int64_t>(*version);
    } catch (const DecodingError&) {
        return std::nullopt;
    }
}

template <class Decode> TessarilSettings decodedOrInvalid(Decode&& decode) {
    try {
        return decode();
    } catch (const DecodingError&) {
        throw TessarilSettingsStoreError::invalidSettingsFile();
    } catch (const Json::exception&) {
        throw TessarilSettingsStoreError::invalidSettingsFile();
    }
}

[[noreturn]] void throwDocumentTooLarge() {
    throw TessarilSettingsStoreError::documentTooLarge(TessarilSettingsStore::maximumImportedDocumentBytes);
}

TessarilSettings importedDocument(std::string contents) {
    if (coding::holdsMoreJSONValuesThan(contents, TessarilSettingsStore::maximumImportValueCount)) {
        throw TessarilSettingsStoreError::tooManyValues(TessarilSettingsStore::maximumImportValueCount);
    }
    const Json document = coding::parsedJSON(contents).value_or(Json());
    std::string().swap(contents);  // the file's text is not needed while its document is built
    const bool isObject = document.is_object();
    if (isObject && (document.contains("schemaVersion") || document.contains("settings"))) {
        // A version this build does not know is named even when the rest of the file is unreadable.
        if (auto version = integerSchemaVersion(document);
            version && *version != TessarilSettingsExportEnvelope::currentSchemaVersion) {
            throw TessarilSettingsStoreError::unsupportedSchemaVersion(*version);
        }
        return decodedOrInvalid([&] { return coding::decode<TessarilSettingsExportEnvelope>(document).settings; });
    }
    bool hasDocumentKey = false;
    if (isObject) {
        for (const auto& item : document.items()) {
            if (TessarilSettingsStore::legacySettingsTopLevelKeys().contains(item.key())) hasDocumentKey = true;
        }
    }
    if (!hasDocumentKey) throw TessarilSettingsStoreError::invalidSettingsFile();
    return decodedOrInvalid([&] { return coding::decode<TessarilSettings>(document); });
}

} // namespace

const std::unordered_set<std::string>& TessarilSettingsStore::legacySettingsTopLevelKeys() {
    static const std::unordered_set<std::string> keys{
        "activePreset",          "activeCustomPresetID",         "usesPerKeyboardPresetAssignments",
        "keyboardPresetAssignments", "keyboardCustomPresetAssignments", "customPresets",
        "globalShortcutGuard",   "appShortcutGuardSettings",     "writingAssist",
        "appWritingAssistSettings", "textTools",                 "fixedPhraseAssist",
        "appFixedPhraseAssistSettings", "profiles",              "keypadShortcutHacks",
        "appKeypadShortcutHackSettings", "shortcutGuardSets",    "keypadShortcutHackSets",
        "writingAssistSets",     "fixedPhraseAssistSets",        "presetDisplayNames",
    };
    return keys;
}

platform::ProcessLog TessarilSettingsStore::defaultProcessLog() {
    return platform::ProcessLog(std::make_shared<platform::StandardErrorLogSink>());
}

TessarilSettingsStore::TessarilSettingsStore(platform::UserDefaults& defaults, platform::ProcessLog processLog)
    : defaults_(defaults), processLog_(std::move(processLog)) {}

std::string TessarilSettingsStore::encoded(const Json& value) {
    return value.dump(2, ' ', false, Json::error_handler_t::strict);
}

TessarilSettings TessarilSettingsStore::load() { return loadReportingSave().settings; }

TessarilSettingsStore::LoadResult TessarilSettingsStore::loadReportingSave() {
    const auto data = defaults_.data(settingsKey);
    if (!data) {
        for (auto key : migrationKeys) markMigrationDoneLoggingFailure(key);
        return {};
    }

    LoadResult result;
    try {
        result.settings = decodedSettings(*data);
    } catch (const std::exception& error) {
        keepUndecodableData(*data);
        processLog_.write(std::string(loadFailedPrefix) + error.what());
        return {};
    }
    bool changed = storedSetsLackIdentifiers(*data);
    changed = repairLoadedDocument(result.settings) || changed;
    if (changed) result.saved = saveLoggingFailure(result.settings);
    return result;
}

bool TessarilSettingsStore::repairLoadedDocument(TessarilSettings& settings) {
    bool changed = false;
    if (!migrationDone(optionalHelpersMigrationKey)) {
        // Counts as a change whatever it altered, so that the flag and the document are saved together.
        disableLegacyOptionalHelpersByDefault(settings);
        markMigrationDoneLoggingFailure(optionalHelpersMigrationKey);
        changed = true;
    }
    if (!migrationDone(enabledDefaultAssistMigrationKey)) {
        changed = changes(settings, disableLegacyEnabledDefaultAssistFeatures) || changed;
        markMigrationDoneLoggingFailure(enabledDefaultAssistMigrationKey);
    }
    if (!migrationDone(unsafeKeypadHackMigrationKey)) {
        changed = changes(settings, disableUnsafeKeypadHackDevelopmentDefaults) || changed;
        markMigrationDoneLoggingFailure(unsafeKeypadHackMigrationKey);
    }
    changed = changes(settings, removeLegacySystemSettingsShortcutTarget) || changed;
    changed = changes(settings, disablePerKeyboardPresetAssignments) || changed;
    changed = changes(settings, [](TessarilSettings& document) { document.ensureStandardAppShortcutGuardTargets(); }) ||
              changed;
    changed = changes(settings, [](TessarilSettings& document) { normalizeShortcutBaseKeys(document); }) || changed;
    changed = changes(settings, [](TessarilSettings& document) { renewRepeatedIdentifiers(document); }) || changed;
    return changed;
}

void TessarilSettingsStore::save(const TessarilSettings& settings) { saveLoggingFailure(settings); }

bool TessarilSettingsStore::saveLoggingFailure(const TessarilSettings& settings) {
    try {
        store(settings);
        return true;
    } catch (const TessarilSettingsStoreSystemError& error) {
        processLog_.write(std::string(saveFailedPrefix) + error.description());
        return false;
    }
}

void TessarilSettingsStore::exportSettings(const TessarilSettings& settings, const std::filesystem::path& url) {
    std::string contents;
    try {
        contents = encoded(coding::encode(TessarilSettingsExportEnvelope{1, settings}));
    } catch (const Json::exception& error) {
        throw TessarilSettingsStoreSystemError(error.what());
    }
    try {
        platform::AtomicFile::write(url, contents, 0644, platform::AtomicFile::DirectorySync::bestEffort);
    } catch (const platform::FileWriteError& error) {
        throw TessarilSettingsStoreSystemError(error.what());
    }
}

TessarilSettings TessarilSettingsStore::previewImport(const std::filesystem::path& url) {
    TessarilSettings settings = decodedWithinLimit(url);
    normalizeImportedSettings(settings);
    // As every load does: assignments name keyboards of the machine that wrote the file.
    disablePerKeyboardPresetAssignments(settings);
    // Decoding weighed the document by its compact form; this is the exact measure.
    if (static_cast<std::int64_t>(storedForm(settings).size()) > maximumImportedDocumentBytes) throwDocumentTooLarge();
    return settings;
}

TessarilSettings TessarilSettingsStore::decodedWithinLimit(const std::filesystem::path& url) {
    std::string contents = settings_store_files::readRegularFile(url, maximumImportFileSizeBytes);
    try {
        const coding::DecodedSizeLimit limit(maximumImportedDocumentBytes);
        return importedDocument(std::move(contents));
    } catch (const coding::DecodedSizeExceeded&) {
        throwDocumentTooLarge();
    }
}

TessarilSettings TessarilSettingsStore::importSettings(const std::filesystem::path& url) {
    TessarilSettings settings = previewImport(url);
    try {
        store(settings);
    } catch (const TessarilSettingsStoreSystemError& error) {
        processLog_.write(std::string(saveFailedPrefix) + error.description());
        throw;
    }
    return settings;
}

std::string TessarilSettingsStore::storedForm(const TessarilSettings& settings) {
    try {
        return encoded(coding::encode(settings));
    } catch (const Json::exception& error) {
        throw TessarilSettingsStoreSystemError(error.what());
    }
}

void TessarilSettingsStore::store(const TessarilSettings& settings) {
    const std::string contents = storedForm(settings);
    // Whatever this version stores is a document of this version, and the one-time migrations are for
    // documents of earlier ones: their flags go first, so that no later load runs a migration over the
    // user's own choices. Usually they are set already; they are not when the document replaces data
    // that could not be read, is the first one stored, or follows a load whose flags could not be written.
    for (auto key : migrationKeys) markMigrationDone(key);
    try {
        defaults_.setData(settingsKey, platform::UserDefaults::Data(contents.begin(), contents.end()));
    } catch (const platform::UserDefaultsWriteError& error) {
        throw TessarilSettingsStoreSystemError(error.what());
    }
}

bool TessarilSettingsStore::migrationDone(std::string_view key) { return defaults_.boolean(key); }

void TessarilSettingsStore::markMigrationDone(std::string_view key) {
    if (defaults_.boolean(key)) return;
    try {
        defaults_.setBool(key, true);
    } catch (const platform::UserDefaultsWriteError& error) {
        throw TessarilSettingsStoreSystemError(error.what());
    }
}

void TessarilSettingsStore::markMigrationDoneLoggingFailure(std::string_view key) {
    try {
        markMigrationDone(key);
    } catch (const TessarilSettingsStoreSystemError& error) {
        // The migration runs again at the next load; every one of them is idempotent.
        processLog_.write(std::string(saveFailedPrefix) + error.description());
    }
}

void TessarilSettingsStore::keepUndecodableData(const platform::UserDefaults::Data& data) {
    if (defaults_.data(undecodableSettingsKey) == data) return;
    try {
        defaults_.setData(undecodableSettingsKey, data);
    } catch (const platform::UserDefaultsWriteError& error) {
        processLog_.write(std::string(saveFailedPrefix) + error.what());
    }
}

bool TessarilSettingsStore::changes(TessarilSettings& settings, const std::function<void(TessarilSettings&)>& step) {
    const TessarilSettings before = settings;
    step(settings);
    return settings != before;
}

} // namespace tessaril
