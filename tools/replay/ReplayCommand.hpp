#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "UnreadableRequest.hpp"

namespace tessaril::replay {

// Exit statuses of the tool: 1 for a failure the system reports, 2 for a request the tool cannot read.
inline constexpr int exitSystemFailure = 1;
inline constexpr int exitUnreadableRequest = 2;

struct Invocation {
    std::vector<std::string> arguments; // the subcommand's own arguments, after its name(s)
    std::istream& input;
    std::ostream& output;
    std::ostream& errors;

    // The request document: the file of --input, else standard input. Throws UnreadableRequest.
    nlohmann::json readRequest() const;
    // A path the request names: a relative one is taken from the folder of the --input file, so that a
    // request and the files beside it work from wherever the tool runs; from standard input, from the
    // current directory.
    std::filesystem::path resolvedFromRequest(const std::filesystem::path& path) const;
    // Writes one compact JSON value as a line.
    void emit(const nlohmann::json& value) const;

    static nlohmann::json parse(const std::string& text);

private:
    // The file named by --input, if any. Throws UnreadableRequest when the option has no file.
    std::optional<std::string> inputFile() const;
};

using Handler = std::function<int(const Invocation&)>;

struct Subcommand {
    std::vector<std::string> words; // "engine" or {"settings", "decode"}
    std::string synopsis;
    Handler handler;
};

// Every subcommand the tool knows, in the order its usage lists them.
const std::vector<Subcommand>& subcommands();

int run(const std::vector<std::string>& arguments, std::istream& input, std::ostream& output, std::ostream& errors);

} // namespace tessaril::replay
