#include "ReplayCommand.hpp"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string_view>
#include <utility>

#include "TessarilCore/Support/Error.hpp"
#include "TessarilCore/Support/JSONParsing.hpp"

namespace tessaril::replay {
namespace {

void printUsage(std::ostream& stream) {
    stream << "usage: tessaril-replay <subcommand> [--input FILE]\n"
              "Reads one JSON request (standard input, or FILE) and prints what the system does, as JSON lines.\n\n"
              "subcommands:\n";
    for (const auto& subcommand : subcommands()) {
        std::string name;
        for (const auto& word : subcommand.words) name += (name.empty() ? "" : " ") + word;
        stream << "  " << name << "\n      " << subcommand.synopsis << "\n";
    }
}

// The tool's own complaint quotes names from the request, which may hold line breaks; it must stay
// one line so that a caller can read it as the one line the tool promises.
std::string oneLine(std::string_view text) {
    std::string line;
    for (char character : text) {
        if (character == '\n') {
            line += "\\n";
        } else if (character == '\r') {
            line += "\\r";
        } else {
            line += character;
        }
    }
    return line;
}

bool matches(const Subcommand& subcommand, const std::vector<std::string>& arguments) {
    if (arguments.size() < subcommand.words.size()) return false;
    for (std::size_t index = 0; index < subcommand.words.size(); ++index) {
        if (arguments[index] != subcommand.words[index]) return false;
    }
    return true;
}

} // namespace

std::optional<std::string> Invocation::inputFile() const {
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        if (arguments[index] != "--input") continue;
        if (index + 1 >= arguments.size()) throw UnreadableRequest("--input needs a file name");
        return arguments[index + 1];
    }
    return std::nullopt;
}

nlohmann::json Invocation::readRequest() const {
    std::string text;
    if (const auto name = inputFile()) {
        std::ifstream file(*name, std::ios::binary);
        if (!file) throw UnreadableRequest("cannot open input file " + *name);
        text.assign(std::istreambuf_iterator<char>(file), {});
    } else {
        text.assign(std::istreambuf_iterator<char>(input), {});
    }
    return parse(text);
}

std::filesystem::path Invocation::resolvedFromRequest(const std::filesystem::path& path) const {
    const auto name = inputFile();
    if (!path.empty() && path.is_relative() && name) return std::filesystem::path(*name).parent_path() / path;
    return path;
}

nlohmann::json Invocation::parse(const std::string& text) {
    auto parsed = coding::parsedJSON(text);
    if (!parsed) throw UnreadableRequest("the request is not JSON");
    return std::move(*parsed);
}

void Invocation::emit(const nlohmann::json& value) const {
    output << value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

int run(const std::vector<std::string>& arguments, std::istream& input, std::ostream& output, std::ostream& errors) {
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help") {
        printUsage(arguments.empty() ? errors : output);
        return arguments.empty() ? exitUnreadableRequest : 0;
    }
    for (const auto& subcommand : subcommands()) {
        if (!matches(subcommand, arguments)) continue;
        Invocation invocation{{arguments.begin() + static_cast<std::ptrdiff_t>(subcommand.words.size()), arguments.end()},
                              input, output, errors};
        try {
            return subcommand.handler(invocation);
        } catch (const UnreadableRequest& failure) {
            errors << oneLine(failure.what()) << '\n';
            return exitUnreadableRequest;
        } catch (const Error& failure) {
            errors << failure.description() << '\n';
            return exitSystemFailure;
        }
    }
    errors << "unknown subcommand: " << arguments[0] << "\n";
    printUsage(errors);
    return exitUnreadableRequest;
}

} // namespace tessaril::replay
