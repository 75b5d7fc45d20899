#pragma once

#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ReplayCommand.hpp"

namespace tessaril::replay {

// One function of `text FUNCTION`: it takes the request object and answers the one output line. A
// request it cannot read throws UnreadableRequest; a failure of the system throws that error.
struct TextFunction {
    std::string name;
    std::string synopsis;
    std::function<nlohmann::json(const nlohmann::json& request)> run;
};

// Every text function, in the order the usage lists them.
const std::vector<TextFunction>& textFunctions();

// `text FUNCTION`: the rich-text codecs and converters as pure functions of one JSON request.
int runTextReplay(const Invocation& invocation);

// The request's member `name`, which must be present and a string.
const std::string& requestString(const nlohmann::json& request, const std::string& name);

} // namespace tessaril::replay
