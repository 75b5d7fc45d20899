#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace tessaril::monkey {

// What is wrong with a settings document as it was saved: it must decode again, and no list in it may
// hold two entries with the same "id" (the same id in different lists is allowed). Empty when sound.
std::vector<std::string> savedDocumentProblems(const nlohmann::json& saved);

} // namespace tessaril::monkey
