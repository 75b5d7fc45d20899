#include "Platform/Foundation/UserDefaults.hpp"

#include <cstdlib>
#include <map>

#include <pwd.h>
#include <unistd.h>

#include "Platform/Foundation/DataEncoding.hpp"
#include "Platform/Foundation/UserDefaultsArgumentError.hpp"
#include "Platform/Foundation/UserDefaultsWriteError.hpp"

namespace tessaril::platform {

namespace {

constexpr std::string_view utf8DataKey = "utf8";
constexpr std::string_view base64DataKey = "base64";

void requireUTF8(std::string_view text, std::string_view what) {
    if (!data_encoding::isValidUTF8(text)) {
        throw UserDefaultsArgumentError("user defaults " + std::string(what) + " is not valid UTF-8");
    }
}

nlohmann::json encodedData(const UserDefaults::Data& value) {
    if (data_encoding::isValidUTF8(value)) {
        return nlohmann::json::object({{utf8DataKey, std::string(value.begin(), value.end())}});
    }
    return nlohmann::json::object({{base64DataKey, data_encoding::base64Encoded(value)}});
}

std::optional<UserDefaults::Data> decodedData(const nlohmann::json& entry) {
    if (!entry.is_object() || entry.size() != 1) return std::nullopt;
    const auto first = entry.begin();  // the items() proxy would dangle once the statement ends
    const std::string& form = first.key();
    const auto& text = first.value();
    if (!text.is_string()) return std::nullopt;
    const auto& string = text.get_ref<const std::string&>();
    if (form == utf8DataKey) return UserDefaults::Data(string.begin(), string.end());
    if (form == base64DataKey) return data_encoding::base64Decoded(string);
    return std::nullopt;
}

bool isPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

std::unique_ptr<UserDefaults> makeProcessDomain(std::string_view domain) {
    if (auto directory = UserDefaults::configurationDirectory()) {
        return std::make_unique<UserDefaults>(std::move(*directory), std::string(domain));
    }
    return std::make_unique<UserDefaults>();
}

// The process's objects per domain. Never destroyed, so callers in static destructors stay safe.
struct ProcessDomains {
    std::mutex mutex;
    std::map<std::string, std::unique_ptr<UserDefaults>, std::less<>> byName;

    UserDefaults& domain(std::string_view name) {
        std::lock_guard lock(mutex);
        auto found = byName.find(name);
        if (found == byName.end()) found = byName.emplace(std::string(name), makeProcessDomain(name)).first;
        return *found->second;
    }
};

ProcessDomains& processDomains() {
    static auto* domains = new ProcessDomains();
    return *domains;
}

} // namespace

UserDefaults& UserDefaults::standard() { return processDomains().domain(standardDomainName); }

UserDefaults& UserDefaults::suite(const std::string& name) {
    if (!isPlainFileName(name)) throw UserDefaultsArgumentError("invalid user defaults suite name \"" + name + "\"");
    if (name == standardDomainName) return standard();
    return processDomains().domain(name);
}

std::optional<std::filesystem::path> UserDefaults::configurationDirectory(
    const std::function<const char*(const char*)>& environment) {
    const auto lookup = [&](const char* name) -> const char* {
        return environment ? environment(name) : std::getenv(name);
    };
    // Relative values of XDG_CONFIG_HOME are invalid and ignored.
    if (const char* configHome = lookup("XDG_CONFIG_HOME"); configHome != nullptr && configHome[0] == '/') {
        return std::filesystem::path(configHome) / "tessaril";
    }
    const char* home = lookup("HOME");
    if (home == nullptr || home[0] == '\0') {
        if (!environment) {
            if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr) home = entry->pw_dir;
        }
    }
    if (home == nullptr || home[0] == '\0') return std::nullopt;
    return std::filesystem::path(home) / ".config" / "tessaril";
}

UserDefaults::UserDefaults() = default;

UserDefaults::UserDefaults(std::filesystem::path directory, std::string domain)
    : file_(DomainFile(std::move(directory), std::move(domain))) {
    reload();
}

const nlohmann::json* UserDefaults::entry(std::string_view key) {
    refreshIfChanged();
    const auto found = values_.find(key);
    return found == values_.end() ? nullptr : &*found;
}

std::optional<UserDefaults::Data> UserDefaults::data(std::string_view key) {
    std::lock_guard lock(mutex_);
    const auto* value = entry(key);
    return value == nullptr ? std::nullopt : decodedData(*value);
}

std::optional<std::string> UserDefaults::string(std::string_view key) {
    std::lock_guard lock(mutex_);
    const auto* value = entry(key);
    if (value == nullptr || !value->is_string()) return std::nullopt;
    return value->get<std::string>();
}

bool UserDefaults::boolean(std::string_view key) {
    std::lock_guard lock(mutex_);
    const auto* value = entry(key);
    return value != nullptr && value->is_boolean() && value->get<bool>();
}

bool UserDefaults::hasValue(std::string_view key) {
    std::lock_guard lock(mutex_);
    return entry(key) != nullptr;
}

void UserDefaults::setData(std::string_view key, const Data& value) {
    requireUTF8(key, "key");
    change([&](nlohmann::json& values) { values[std::string(key)] = encodedData(value); });
}

void UserDefaults::setString(std::string_view key, std::string_view value) {
    requireUTF8(key, "key");
    requireUTF8(value, "string");
    change([&](nlohmann::json& values) { values[std::string(key)] = std::string(value); });
}

void UserDefaults::setBool(std::string_view key, bool value) {
    requireUTF8(key, "key");
    change([&](nlohmann::json& values) { values[std::string(key)] = value; });
}

void UserDefaults::removeObject(std::string_view key) {
    change([&](nlohmann::json& values) {
        if (const auto found = values.find(key); found != values.end()) values.erase(found);
    });
}

void UserDefaults::removePersistentDomain() {
    change([](nlohmann::json& values) { values = nlohmann::json::object(); });
}

void UserDefaults::synchronize() {
    std::lock_guard lock(mutex_);
    reload();
}

std::optional<std::filesystem::path> UserDefaults::filePath() const {
    std::lock_guard lock(mutex_);
    if (!file_) return std::nullopt;
    return file_->path();
}

std::optional<std::string> UserDefaults::readProblem() {
    std::lock_guard lock(mutex_);
    refreshIfChanged();
    if (!file_) return std::string("no configuration directory: values are kept in memory only");
    return readProblem_;
}

std::optional<std::filesystem::path> UserDefaults::lastCorruptFileBackup() const {
    std::lock_guard lock(mutex_);
    return lastCorruptFileBackup_;
}

void UserDefaults::setWriteFailure(std::optional<std::string> reason) {
    std::lock_guard lock(mutex_);
    writeFailure_ = std::move(reason);
}

void UserDefaults::refreshIfChanged() {
    if (file_ && file_->identity() != loadedIdentity_) reload();
}

void UserDefaults::reload() {
    if (!file_) return;
    auto contents = file_->read();
    loadedIdentity_ = contents.identity;
    values_ = std::move(contents.values);
    readProblem_ = std::move(contents.problem);
}

void UserDefaults::change(const std::function<void(nlohmann::json&)>& edit) {
    std::lock_guard lock(mutex_);
    if (writeFailure_) throw UserDefaultsWriteError(*writeFailure_);
    if (!file_) {
        edit(values_);
        return;
    }
    const DomainFile::DirectoryLock directoryLock(file_->directory());
    // Start from what is on disk now, so that another writer's keys are not lost.
    refreshIfChanged();
    auto updated = values_;
    edit(updated);
    if (readProblem_) {
        if (auto backup = file_->moveAside()) lastCorruptFileBackup_ = std::move(backup);
        loadedIdentity_ = DomainFile::Identity{};
        readProblem_.reset();
    }
    loadedIdentity_ = file_->write(updated);
    values_ = std::move(updated);
}

} // namespace tessaril::platform
