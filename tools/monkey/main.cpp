// tessaril-window-monkey: random use of the settings window, for CI and by hand.
//   tessaril-window-monkey [--seconds N | --sequences N] [--seed S] [--out DIRECTORY]
// Runs random sequences (seed S, S+1, …) until the time or the count is reached, each in a folder of
// its own. A sequence that finds a problem is written to DIRECTORY/seed-N/request.json as a
// `tessaril-replay window` request, with the files it imports beside it, and the run fails (status 1);
// a sequence that hangs ends the process (status 2). A crash or a sanitizer report ends it too.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "RequestFiles.hpp"
#include "WindowDoubles/OffscreenApplication.hpp"
#include "WindowMonkey.hpp"

using namespace tessaril;

namespace {

constexpr std::chrono::seconds sequenceBound{120};

struct Options {
    std::optional<std::chrono::seconds> seconds;
    std::optional<std::uint64_t> sequences;
    std::uint64_t seed = std::random_device{}();
    std::filesystem::path out = "monkey-findings";
};

[[noreturn]] void usage() {
    std::fputs("usage: tessaril-window-monkey [--seconds N | --sequences N] [--seed S] [--out DIRECTORY]\n", stderr);
    std::exit(64);
}

Options readOptions(int argc, char** argv) {
    Options options;
    for (int index = 1; index < argc; ++index) {
        const std::string name = argv[index];
        if (index + 1 >= argc) usage();
        const std::string value = argv[++index];
        try {
            if (name == "--seconds") {
                options.seconds = std::chrono::seconds(std::stoull(value));
            } else if (name == "--sequences") {
                options.sequences = std::stoull(value);
            } else if (name == "--seed") {
                options.seed = std::stoull(value);
            } else if (name == "--out") {
                options.out = value;
            } else {
                usage();
            }
        } catch (const std::logic_error&) {
            usage();
        }
    }
    if (!options.seconds && !options.sequences) options.sequences = 20;
    return options;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = readOptions(argc, argv);
    const replay::OffscreenApplication application("tessaril-window-monkey");

    std::filesystem::create_directories(options.out);
    const auto files = std::filesystem::temp_directory_path() / ("tessaril-monkey-" + std::to_string(options.seed));
    std::filesystem::create_directories(files);

    // A sequence that never ends has met something that waits; say which and stop.
    std::atomic<std::uint64_t> running{options.seed};
    std::atomic<std::int64_t> startedAt{0};
    std::atomic<bool> finished{false};
    const auto now = [] { return std::chrono::steady_clock::now().time_since_epoch() / std::chrono::seconds(1); };
    std::thread watchdog([&] {
        while (!finished) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            if (!finished && now() - startedAt > sequenceBound.count()) {
                std::fprintf(stderr, "monkey: the sequence of seed %llu hangs\n", static_cast<unsigned long long>(running.load()));
                std::_Exit(2);
            }
        }
    });

    const auto deadline = std::chrono::steady_clock::now() + options.seconds.value_or(std::chrono::seconds(0));
    std::uint64_t ran = 0, saves = 0, imports = 0, failed = 0;
    for (std::uint64_t seed = options.seed;; ++seed) {
        if (options.sequences && ran >= *options.sequences) break;
        if (options.seconds && std::chrono::steady_clock::now() >= deadline) break;
        running = seed;
        startedAt = now();
        const auto folder = files / ("seed-" + std::to_string(seed));
        const auto result = monkey::WindowMonkey(seed, folder).run();
        std::filesystem::remove_all(folder);
        ++ran;
        saves += result.saves;
        imports += result.imports;
        if (result.problems.empty()) continue;
        ++failed;
        const auto where = monkey::saveRequest(result.request, options.out / ("seed-" + std::to_string(seed)));
        std::fprintf(stderr, "monkey: seed %llu: %s (request: %s)\n", static_cast<unsigned long long>(seed),
                     result.problems.front().c_str(), where.c_str());
        for (std::size_t index = 1; index < result.problems.size(); ++index) {
            std::fprintf(stderr, "  also: %s\n", result.problems[index].c_str());
        }
    }
    finished = true;
    watchdog.join();
    std::filesystem::remove_all(files);
    std::fprintf(stderr, "monkey: %llu sequences from seed %llu, %llu saves checked, %llu imports confirmed, %llu failed\n",
                 static_cast<unsigned long long>(ran), static_cast<unsigned long long>(options.seed),
                 static_cast<unsigned long long>(saves), static_cast<unsigned long long>(imports),
                 static_cast<unsigned long long>(failed));
    return failed == 0 ? 0 : 1;
}
