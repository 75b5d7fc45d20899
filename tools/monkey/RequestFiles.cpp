#include "RequestFiles.hpp"

#include <array>
#include <fstream>
#include <optional>
#include <string_view>

#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"

namespace tessaril::monkey {

namespace {

using Json = nlohmann::json;

constexpr std::array<std::pair<RequestFile, std::string_view>, 5> suffixes{{
    {RequestFile::sound, "sound.json"},
    {RequestFile::repeatedIDs, "repeated-ids.json"},
    {RequestFile::notJSON, "not-json.json"},
    {RequestFile::wrongShape, "wrong-shape.json"},
    {RequestFile::exported, "export.json"},
}};

// The kind of file an answer's name holds, from what follows its number.
std::optional<RequestFile> kindOf(std::string_view name) {
    const auto dash = name.find('-');
    if (dash == std::string_view::npos || dash == 0) return std::nullopt;
    for (const auto& [kind, suffix] : suffixes) {
        if (name.substr(dash + 1) == suffix) return kind;
    }
    return std::nullopt;
}

// What a file holds before the first step; none for an export.
std::optional<std::string> startingContents(RequestFile kind) {
    const Json sound = coding::encode(TessarilSettings{});
    switch (kind) {
    case RequestFile::sound: return sound.dump();
    case RequestFile::repeatedIDs: {
        Json repeated = sound;
        const Json rule{{"id", "SAME"}, {"title", "一"}, {"plainText", "いち"}};
        Json other = rule;
        other["title"] = "二";
        repeated["fixedPhraseAssist"]["rules"] = Json::array({rule, other});
        return repeated.dump();
    }
    case RequestFile::notJSON: return "{\"fixedPhraseAssist\": [";
    case RequestFile::wrongShape: return "[1, 2, 3]";
    case RequestFile::exported: return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::string requestFileName(std::size_t answer, RequestFile kind) {
    for (const auto& [each, suffix] : suffixes) {
        if (each == kind) return std::to_string(answer) + "-" + std::string(suffix);
    }
    return {};
}

void writeRequestFiles(const Json& request, const std::filesystem::path& directory) {
    for (const auto& answer : request.value("files", Json::array())) {
        if (!answer.is_string()) continue;
        const auto name = answer.get<std::string>();
        const auto kind = kindOf(name);
        if (!kind) continue;
        const auto contents = startingContents(*kind);
        if (contents) std::ofstream(directory / name, std::ios::binary) << *contents;
    }
}

std::filesystem::path saveRequest(const Json& request, const std::filesystem::path& directory) {
    // An earlier save of the same sequence, or a replay of it, may have left its exports there.
    std::filesystem::remove_all(directory);
    std::filesystem::create_directories(directory);
    writeRequestFiles(request, directory);
    const auto path = directory / "request.json";
    std::ofstream(path) << request.dump(2) << "\n";
    return path;
}

} // namespace tessaril::monkey
