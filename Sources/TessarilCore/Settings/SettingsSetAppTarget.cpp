#include "TessarilCore/Settings/SettingsSetAppTarget.hpp"

#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {

SettingsSetAppTarget::SettingsSetAppTarget(std::string_view identifier, std::string_view name)
    : bundleIdentifier(unicode::trimmingWhitespaceAndNewlines(identifier)) {
    auto trimmedName = unicode::trimmingWhitespaceAndNewlines(name);
    // A name that is the identifier itself is kept whole, as the fallback is, so that cleaning a
    // cleaned target again changes nothing even for identifiers longer than the limit.
    if (trimmedName.empty() || trimmedName == bundleIdentifier) {
        displayName = bundleIdentifier;
    } else {
        // Trimmed again after the cut so that the cut cannot leave blanks at the end.
        displayName = unicode::prefixCharactersTrimmingEnd(trimmedName, maximumDisplayNameLength);
    }
}

Json JSONCoding<SettingsSetAppTarget>::encode(const SettingsSetAppTarget& target) {
    return Json{{"bundleIdentifier", target.bundleIdentifier}, {"displayName", target.displayName}};
}

SettingsSetAppTarget JSONCoding<SettingsSetAppTarget>::decode(const Json& value) {
    coding::expectObject(value, "SettingsSetAppTarget");
    SettingsSetAppTarget target;
    target.bundleIdentifier = coding::decodeRequired<std::string>(value, "bundleIdentifier");
    target.displayName = coding::decodeRequired<std::string>(value, "displayName");
    return target;
}

} // namespace tessaril
