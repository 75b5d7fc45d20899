#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

namespace tessaril::monkey {

// The files a request's file-panel answers name. Each answer has a name of its own ("2-sound.json"),
// relative to the request's folder, and a file starts there only for an answer meant for the open
// panel; an answer meant for the save panel starts absent. As no name is read after another answer
// wrote it, a request replays alike however often it runs in a folder that held only these files.
// Any thread; one folder at a time.
enum class RequestFile { sound, repeatedIDs, notJSON, wrongShape, exported };

// The name of answer `answer` (counted from 1) holding a `kind` file.
std::string requestFileName(std::size_t answer, RequestFile kind);

// Writes into `directory` every file that `request`'s `files` answers name, as they stand before the
// first step: a sound document, one whose list repeats an id, one that is not JSON, one of the wrong
// shape. Names it does not know are left alone.
void writeRequestFiles(const nlohmann::json& request, const std::filesystem::path& directory);

// Saves `request` as `directory`/request.json with the files it names beside it, so that
// `tessaril-replay window --input` on it reproduces the sequence; returns the request's path.
std::filesystem::path saveRequest(const nlohmann::json& request, const std::filesystem::path& directory);

} // namespace tessaril::monkey
