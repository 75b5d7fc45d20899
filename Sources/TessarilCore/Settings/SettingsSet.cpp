#include "TessarilCore/Settings/SettingsSet.hpp"

#include <unordered_set>

#include "TessarilCore/Support/UUIDGenerator.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::settings_set {

std::vector<SettingsSetAppTarget> normalizedAppTargets(const std::vector<SettingsSetAppTarget>& targets) {
    std::vector<SettingsSetAppTarget> kept;
    kept.reserve(targets.size());
    std::unordered_set<std::string> taken;
    for (const auto& target : targets) {
        auto identifier = unicode::trimmingWhitespaceAndNewlines(target.bundleIdentifier);
        if (identifier.empty() || !taken.insert(identifier).second) continue;
        kept.emplace_back(identifier, target.displayName);
    }
    unicode::stableSortLocalized(kept, [](const SettingsSetAppTarget& target) -> const std::string& {
        return target.displayName;
    });
    return kept;
}

std::string normalizedName(std::string_view name) {
    auto trimmed = unicode::trimmingWhitespaceAndNewlines(name);
    if (trimmed.empty()) return std::string(defaultName);
    // Trimmed again after the cut so that a cleaned name stays the same when cleaned again.
    return unicode::prefixCharactersTrimmingEnd(trimmed, maximumNameLength);
}

std::string identifierOrNew(std::string id) {
    if (id.empty()) return UUIDGenerator::next();
    return id;
}

} // namespace tessaril::settings_set
