// Feeds arbitrary bytes to the settings decoder and to the store's import, which read files the user
// picks and data that may have been damaged on disk. Besides crashes, hangs and leaks, it stops on:
// - a decoded document that does not come back the same through its own encoding;
// - an import that failed but changed the stored settings or the migration flags;
// - an imported list (phrases, pair rules, presets, sets) that holds one identifier twice.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "Platform/Foundation/UserDefaults.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilCore/Settings/TessarilSettingsMigrations.hpp"
#include "TessarilCore/Support/JSONParsing.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStore.hpp"

namespace {

using tessaril::Json;
using tessaril::TessarilSettings;
using tessaril::TessarilSettingsStore;
using tessaril::platform::UserDefaults;

[[noreturn]] void broken(const char* property, const std::string& detail) {
    std::fprintf(stderr, "SettingsImportFuzzer: %s\n%s\n", property, detail.c_str());
    std::abort();
}

std::optional<TessarilSettings> decoded(const Json& value) {
    try {
        return tessaril::coding::decode<TessarilSettings>(value);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void checkDecodingIsIdempotent(std::string_view bytes) {
    const std::optional<Json> parsed = tessaril::coding::parsedJSON(bytes);
    if (!parsed) return;
    const std::optional<TessarilSettings> first = decoded(*parsed);
    if (!first) return;
    Json encoded;
    try {
        encoded = tessaril::coding::encode(*first);
    } catch (const std::exception& error) {
        broken("a decoded document cannot be encoded", error.what());
    }
    // Through the stored text too, as a save and the next load take it.
    std::string stored;
    try {
        stored = TessarilSettingsStore::encoded(encoded);
    } catch (const std::exception& error) {
        broken("a decoded document has no stored form", error.what());
    }
    const std::optional<Json> reparsed = tessaril::coding::parsedJSON(stored);
    const std::optional<TessarilSettings> again = reparsed ? decoded(*reparsed) : std::nullopt;
    if (!again || *again != *first) broken("decode(encode(decode(x))) differs from decode(x)", stored);
}

// Everything the store writes: the document, the data it keeps aside and the three flags.
struct StoredState {
    std::optional<UserDefaults::Data> settings;
    std::optional<UserDefaults::Data> undecodable;
    std::vector<bool> flagsPresent;
    std::vector<bool> flags;
    friend bool operator==(const StoredState&, const StoredState&) = default;
};

StoredState storedState(UserDefaults& defaults) {
    StoredState state{defaults.data(TessarilSettingsStore::settingsKey),
                      defaults.data(TessarilSettingsStore::undecodableSettingsKey), {}, {}};
    for (auto key : TessarilSettingsStore::migrationKeys) {
        state.flagsPresent.push_back(defaults.hasValue(key));
        state.flags.push_back(defaults.boolean(key));
    }
    return state;
}

const std::filesystem::path& importFile() {
    static const std::filesystem::path path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessaril-import-fuzz-XXXXXX").string();
        const int descriptor = ::mkstemp(pattern.data());
        if (descriptor < 0) broken("no scratch file", pattern);
        ::close(descriptor);
        std::atexit([] { std::filesystem::remove(importFile()); });
        return std::filesystem::path(pattern);
    }();
    return path;
}

// An import into a domain that holds a document with pending migrations, and into an empty one (a
// first start, where a successful import also marks the migrations done).
void checkFailedImportChangesNothing(std::string_view bytes) {
    {
        std::ofstream file(importFile(), std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    for (const bool withDocument : {true, false}) {
        UserDefaults defaults;
        if (withDocument) {
            const std::string document = R"({"activePreset":"fullSizeUS"})";
            defaults.setData(TessarilSettingsStore::settingsKey, UserDefaults::Data(document.begin(), document.end()));
            for (auto key : TessarilSettingsStore::migrationKeys) defaults.setBool(key, false);
        }
        const StoredState before = storedState(defaults);
        TessarilSettingsStore store(defaults, tessaril::platform::ProcessLog(nullptr));
        try {
            const TessarilSettings imported = store.importSettings(importFile());
            TessarilSettings renewed = imported;
            tessaril::renewRepeatedIdentifiers(renewed);
            if (!(renewed == imported)) broken("an imported list holds one identifier twice", "");
        } catch (const tessaril::Error&) {
            if (!(storedState(defaults) == before)) broken("a failed import changed the stored settings", "");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkDecodingIsIdempotent(bytes);
    checkFailedImportChangesNothing(bytes);
    return 0;
}
