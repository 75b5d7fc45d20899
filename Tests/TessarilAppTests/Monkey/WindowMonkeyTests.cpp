// The window monkey's sequences reproduce from their saved request alone: each runs in a folder of
// its own that holds only what its request names, and the request saved with those files beside it
// replays, as often as it is replayed, to what the sequence met.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <QProcess>

#include "PlatformTests/TemporaryDirectory.hpp"
#include "RequestFiles.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "WindowMonkey.hpp"

namespace tessaril {
namespace {

using nlohmann::json;
using platform::test_support::fileText;
using platform::test_support::TemporaryDirectory;
using platform::test_support::writeFileText;

// The names of the files in `directory`.
std::set<std::string> fileNames(const std::filesystem::path& directory) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) names.insert(entry.path().filename().string());
    return names;
}

// The lines as text, with `folder`'s path (which error messages quote) put as "FOLDER", so the lines of
// one sequence run in two folders compare.
std::vector<std::string> linesIn(const std::vector<json>& lines, const std::filesystem::path& folder) {
    const std::string path = folder.string();
    std::vector<std::string> texts;
    for (const json& line : lines) {
        std::string text = line.dump();
        for (auto at = text.find(path); at != std::string::npos; at = text.find(path, at)) text.replace(at, path.size(), "FOLDER");
        texts.push_back(std::move(text));
    }
    return texts;
}

// Where two runs' lines first part, shortened; empty when they agree (saved documents are long).
std::string firstDifference(const std::vector<std::string>& replayed, const std::vector<std::string>& met) {
    for (std::size_t index = 0; index < std::max(replayed.size(), met.size()); ++index) {
        const std::string left = index < replayed.size() ? replayed[index] : "(none)";
        const std::string right = index < met.size() ? met[index] : "(none)";
        if (left != right) return "line " + std::to_string(index) + ": replayed " + left.substr(0, 400) + ", met " + right.substr(0, 400);
    }
    return {};
}

// What `tessaril-replay window --input request` prints, one JSON value a line.
std::vector<json> replayed(const std::filesystem::path& request) {
    QProcess process;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(TESSARIL_REPLAY_PATH, {"window", "--input", QString::fromStdString(request.string())});
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        ADD_FAILURE() << "the replay failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    std::vector<json> lines;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        if (!line.isEmpty()) lines.push_back(json::parse(line.toStdString()));
    }
    return lines;
}

TEST(RequestFiles, EachAnswerHasANameOfItsOwnAndOnlyFilesToOpenStartThere) {
    struct Case {
        std::size_t answer;
        monkey::RequestFile kind;
        const char* name;
    };
    const std::vector<Case> cases = {
        {1, monkey::RequestFile::sound, "1-sound.json"},
        {2, monkey::RequestFile::repeatedIDs, "2-repeated-ids.json"},
        {3, monkey::RequestFile::notJSON, "3-not-json.json"},
        {4, monkey::RequestFile::wrongShape, "4-wrong-shape.json"},
        {5, monkey::RequestFile::exported, "5-export.json"},
    };
    json files = json::array();
    for (const Case& each : cases) {
        EXPECT_EQ(monkey::requestFileName(each.answer, each.kind), each.name);
        files.push_back(each.name);
    }
    files.push_back({{"bundleIdentifier", "com.example.editor"}});
    files.push_back("elsewhere.json");
    const json request{{"files", files}, {"steps", json::array()}};

    TemporaryDirectory directory;
    // A save of the same sequence before left its export and another request there.
    writeFileText(directory.path() / "5-export.json", "{}");
    writeFileText(directory.path() / "request.json", "{}");
    const auto saved = monkey::saveRequest(request, directory.path());
    EXPECT_EQ(saved, directory.path() / "request.json");
    EXPECT_EQ(json::parse(fileText(saved)), request);
    EXPECT_EQ(fileNames(directory.path()),
              (std::set<std::string>{"1-sound.json", "2-repeated-ids.json", "3-not-json.json", "4-wrong-shape.json", "request.json"}));

    EXPECT_EQ(coding::decode<TessarilSettings>(json::parse(fileText(directory.path() / "1-sound.json"))), TessarilSettings{});
    const json repeated = json::parse(fileText(directory.path() / "2-repeated-ids.json"));
    EXPECT_EQ(repeated["fixedPhraseAssist"]["rules"][0]["id"], "SAME");
    EXPECT_EQ(repeated["fixedPhraseAssist"]["rules"][1]["id"], "SAME");
    EXPECT_EQ(fileText(directory.path() / "3-not-json.json"), "{\"fixedPhraseAssist\": [");
    EXPECT_EQ(fileText(directory.path() / "4-wrong-shape.json"), "[1, 2, 3]");
}

// Seed 10 exports to the name that seed 41's application chooser is answered with; seed 291 confirms
// an import and exports; seed 141 has two answers for exports. Each sequence runs where the one
// before it ran, and its saved request replays twice, from its own folder, to the lines it met.
// The replay runs as a child process. ThreadSanitizer cannot follow a fork of a process whose
// simulated session already runs threads, and this test is about files and requests, not threads.
#if defined(__SANITIZE_THREAD__)
#define TESSARIL_UNDER_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TESSARIL_UNDER_THREAD_SANITIZER 1
#endif
#endif

TEST(WindowMonkey, ASequenceMeetsOnlyItsOwnFilesAndItsSavedRequestReplaysToWhatItMet) {
#ifdef TESSARIL_UNDER_THREAD_SANITIZER
    GTEST_SKIP() << "ThreadSanitizer cannot follow the replay's fork";
#endif
    TemporaryDirectory root;
    const auto folder = root.path() / "sequence";
    bool imported = false;
    bool exported = false;
    for (const std::uint64_t seed : {10, 41, 141, 291}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const auto result = monkey::WindowMonkey(seed, folder).run();
        EXPECT_TRUE(result.problems.empty()) << result.problems.front();
        imported = imported || result.imports > 0;
        std::set<std::string> names;
        for (const json& answer : result.request["files"]) {
            if (!answer.is_string()) continue;
            const std::filesystem::path name = answer.get<std::string>();
            EXPECT_TRUE(name.is_relative()) << name;
            EXPECT_TRUE(names.insert(name.string()).second) << name << " answers twice";
            exported = exported || (name.string().ends_with("export.json") && std::filesystem::exists(folder / name));
        }
        const auto findings = root.path() / ("seed-" + std::to_string(seed));
        const auto request = monkey::saveRequest(result.request, findings);
        const auto met = linesIn(result.lines, folder);
        EXPECT_EQ(firstDifference(linesIn(replayed(request), findings), met), "");
        EXPECT_EQ(firstDifference(linesIn(replayed(request), findings), met), "") << "replayed again";
    }
    // The seeds still do what they are here for.
    EXPECT_TRUE(imported);
    EXPECT_TRUE(exported);
}

} // namespace
} // namespace tessaril
