#include "SavedDocumentCheck.hpp"

#include <exception>
#include <set>
#include <utility>

#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"

namespace tessaril::monkey {

namespace {

// Walks the document iteratively (a saved document is deep but never cyclic) and reports every list
// whose entries repeat an id, with the list's path.
void findRepeatedIDs(const nlohmann::json& document, std::vector<std::string>& problems) {
    std::vector<std::pair<const nlohmann::json*, std::string>> pending{{&document, ""}};
    while (!pending.empty()) {
        auto [value, path] = pending.back();
        pending.pop_back();
        if (value->is_object()) {
            for (const auto& [key, member] : value->items()) pending.emplace_back(&member, path + "/" + key);
        } else if (value->is_array()) {
            std::set<std::string> seen;
            for (std::size_t index = 0; index < value->size(); ++index) {
                const auto& entry = (*value)[index];
                if (entry.is_object() && entry.contains("id") && entry["id"].is_string() &&
                    !seen.insert(entry["id"].get<std::string>()).second) {
                    problems.push_back("the list " + path + " holds the id " + entry["id"].dump() + " twice");
                }
                pending.emplace_back(&entry, path + "/" + std::to_string(index));
            }
        }
    }
}

} // namespace

std::vector<std::string> savedDocumentProblems(const nlohmann::json& saved) {
    std::vector<std::string> problems;
    try {
        const auto decoded = coding::decode<TessarilSettings>(saved);
        if (coding::encode(decoded) != saved) problems.push_back("the saved document reads back as another document");
    } catch (const std::exception& error) {
        problems.push_back(std::string("the saved document does not decode: ") + error.what());
    }
    findRepeatedIDs(saved, problems);
    return problems;
}

} // namespace tessaril::monkey
