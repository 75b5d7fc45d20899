#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace tessaril::monkey {

// One random sequence of 20 to 60 steps through the real settings window (off screen, everything
// around it stood in, as `tessaril-replay window` drives it): clicks, choices, typing, Return, keys,
// mouse presses, status-menu items, imports and exports, other frontmost applications, opening and
// closing. It picks among the controls that are there at each step, and answers alerts, file
// panels, the colour panel and the link dialog at random. Every saved document is checked; a
// dialog that waits for a person fails the sequence. The same seed makes the same sequence.
// Main thread only; needs a QApplication.
class WindowMonkey {
public:
    struct Result {
        std::vector<std::string> problems;
        // The sequence as a `tessaril-replay window` request, to reproduce it.
        nlohmann::json request;
        // What the sequence reported, line by line, as `tessaril-replay window` prints it for the request.
        std::vector<nlohmann::json> lines;
        std::size_t saves = 0;
        // Imports the user confirmed.
        std::size_t imports = 0;
    };

    // `directory` is the sequence's own: it is emptied as the sequence starts and given the files its
    // request names, and exports go there too. Ids are numbered from …0001 in every sequence, as the
    // replay tool numbers them, so a request reproduces with the ids it met; no sequence sees another's
    // files, so no id of another sequence can meet it.
    WindowMonkey(std::uint64_t seed, std::filesystem::path directory);

    Result run();

private:
    nlohmann::json randomRequestHead();
    nlohmann::json randomStep(const nlohmann::json& controls, const std::vector<nlohmann::json>& menuItems);
    std::string randomText();
    std::size_t below(std::size_t count);
    bool chance(double probability);

    std::mt19937_64 random_;
    std::filesystem::path directory_;
};

} // namespace tessaril::monkey
