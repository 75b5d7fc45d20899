#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "Platform/Foundation/DomainFile.hpp"

namespace tessaril::platform {

// Key-value preferences of one domain: data, booleans and strings. `standard()` and `suite(_:)` give the
// process's one object per domain, persisted as "<domain>.json" in the configuration directory; tests
// and throw-away suites use an object that keeps its values in memory. A persisted object re-reads its
// file whenever the file changed (another process or another object saved), and every change is written
// through at once; a change that cannot be written throws UserDefaultsWriteError and is not kept.
// A file that cannot be read as a JSON object is left untouched and the domain reads as empty; the first
// change then moves it aside to "<domain>.json.corrupt-N" before writing, so nothing is silently lost.
// Thread-safe: every operation takes the object's own lock (file writes also lock the directory against
// other processes). Values in the file: booleans and strings as themselves, data as {"utf8": text} when
// it is UTF-8 text and {"base64": text} otherwise; entries of other shapes are kept but not answered.
class UserDefaults {
public:
    using Data = std::vector<std::uint8_t>;

    // The file name (without ".json") of the standard domain.
    static constexpr std::string_view standardDomainName = "standard";

    // The process's standard defaults. Persisted in `configurationDirectory()`; when no directory can
    // be determined (no HOME), the object keeps its values in memory and says so in `readProblem()`.
    static UserDefaults& standard();
    // The process's one object of a named domain, persisted beside the standard domain. The name must be
    // a plain file name (not empty, no '/', not "." or ".."): UserDefaultsArgumentError otherwise.
    static UserDefaults& suite(const std::string& name);

    // "$XDG_CONFIG_HOME/tessaril" when that variable holds an absolute path, else "$HOME/.config/tessaril";
    // none without a home directory. `environment` looks a variable up (std::getenv by default).
    static std::optional<std::filesystem::path> configurationDirectory(
        const std::function<const char*(const char*)>& environment = nullptr);

    // An empty domain kept in memory only.
    UserDefaults();
    // The domain `domain` persisted as "<domain>.json" in `directory` (created 0700 on first write).
    UserDefaults(std::filesystem::path directory, std::string domain);

    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;
    ~UserDefaults() = default;

    std::optional<Data> data(std::string_view key);
    std::optional<std::string> string(std::string_view key);
    // False when the key is absent or holds no boolean.
    bool boolean(std::string_view key);
    bool hasValue(std::string_view key);

    // Each throws UserDefaultsWriteError when the change cannot be persisted (nothing changes then), and
    // UserDefaultsArgumentError for a key or string that is not UTF-8.
    void setData(std::string_view key, const Data& value);
    void setString(std::string_view key, std::string_view value);
    void setBool(std::string_view key, bool value);
    void removeObject(std::string_view key);
    // Empties the domain (the file then holds an empty object).
    void removePersistentDomain();

    // Re-reads the file even if it looks unchanged.
    void synchronize();

    // The file behind this object; none for an in-memory object.
    std::optional<std::filesystem::path> filePath() const;
    // Why the last read found no usable file although one exists (unreadable, not JSON, not an object).
    std::optional<std::string> readProblem();
    // Where the last unreadable file was moved before being replaced.
    std::optional<std::filesystem::path> lastCorruptFileBackup() const;

    // Makes every later change fail with UserDefaultsWriteError(`reason`) until called with none; lets
    // tests of the callers reach their failure paths. Works for persisted and in-memory objects alike.
    void setWriteFailure(std::optional<std::string> reason);

private:
    const nlohmann::json* entry(std::string_view key);
    void refreshIfChanged();
    void reload();
    void change(const std::function<void(nlohmann::json&)>& edit);

    mutable std::mutex mutex_;
    std::optional<DomainFile> file_;
    nlohmann::json values_ = nlohmann::json::object();
    DomainFile::Identity loadedIdentity_;
    std::optional<std::string> readProblem_;
    std::optional<std::filesystem::path> lastCorruptFileBackup_;
    std::optional<std::string> writeFailure_;
};

} // namespace tessaril::platform
