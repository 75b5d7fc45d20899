#include "TessarilCore/Settings/AppShortcutGuardSettings.hpp"

namespace tessaril {

Json JSONCoding<AppShortcutGuardSettings>::encode(const AppShortcutGuardSettings& settings) {
    return Json{{"displayName", settings.displayName},
                {"usesDefaultShortcutGuard", settings.usesDefaultShortcutGuard},
                {"doublePressGuard", coding::encode(settings.doublePressGuard)}};
}

AppShortcutGuardSettings JSONCoding<AppShortcutGuardSettings>::decode(const Json& value) {
    coding::expectObject(value, "AppShortcutGuardSettings");
    AppShortcutGuardSettings settings;
    settings.displayName = coding::decodeRequired<std::string>(value, "displayName");
    settings.usesDefaultShortcutGuard = coding::decodeOr<bool>(value, "usesDefaultShortcutGuard", false);
    settings.doublePressGuard =
        coding::decodeOr<DoublePressGuardSettings>(value, "doublePressGuard", DoublePressGuardSettings{});
    return settings;
}

} // namespace tessaril
