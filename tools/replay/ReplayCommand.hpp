#pragma once

#include <functional>
#include <iosfwd>
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
    // Writes one compact JSON value as a line.
    void emit(const nlohmann::json& value) const;

    static nlohmann::json parse(const std::string& text);
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
