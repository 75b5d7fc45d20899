#include "TessarilCore/Settings/AppKeypadShortcutHackSettings.hpp"

namespace tessaril {

Json JSONCoding<AppKeypadShortcutHackSettings>::encode(const AppKeypadShortcutHackSettings& settings) {
    return Json{{"displayName", settings.displayName},
                {"usesDefaultKeypadShortcutHacks", settings.usesDefaultKeypadShortcutHacks},
                {"keypadShortcutHacks", coding::encode(settings.keypadShortcutHacks)}};
}

AppKeypadShortcutHackSettings JSONCoding<AppKeypadShortcutHackSettings>::decode(const Json& value) {
    coding::expectObject(value, "AppKeypadShortcutHackSettings");
    AppKeypadShortcutHackSettings settings;
    settings.displayName = coding::decodeRequired<std::string>(value, "displayName");
    settings.usesDefaultKeypadShortcutHacks = coding::decodeOr<bool>(value, "usesDefaultKeypadShortcutHacks", false);
    settings.keypadShortcutHacks =
        coding::decodeOr<KeypadShortcutHackSettings>(value, "keypadShortcutHacks", KeypadShortcutHackSettings{});
    return settings;
}

} // namespace tessaril
