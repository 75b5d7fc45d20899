#include "TessarilCore/Rules/KeypadShortcutHackSettings.hpp"

#include <utility>

namespace tessaril {

KeypadShortcutHackSettings::KeypadShortcutHackSettings(bool usesKeypadEqualCombo_, KeypadShortcutHackRule period_,
                                                       KeypadShortcutHackRule slash_, KeypadShortcutHackRule asterisk_,
                                                       KeypadShortcutHackRule hyphen_, KeypadShortcutHackRule plus_)
    : usesKeypadEqualCombo(usesKeypadEqualCombo_), period(std::move(period_)), slash(std::move(slash_)),
      asterisk(std::move(asterisk_)), hyphen(std::move(hyphen_)), plus(std::move(plus_)) {
    normalizeForImport();
}

void KeypadShortcutHackSettings::normalizeForImport() {
    period.normalizeForImport(defaultOutputText(KeypadShortcutHackKey::period));
    slash.normalizeForImport(defaultOutputText(KeypadShortcutHackKey::slash));
    asterisk.normalizeForImport(defaultOutputText(KeypadShortcutHackKey::asterisk));
    // "$" on the asterisk key is a known slip in stored settings; it gets the full-width asterisk.
    if (asterisk.outputText == "$") asterisk.outputText = std::string(defaultOutputText(KeypadShortcutHackKey::asterisk));
    hyphen.normalizeForImport(defaultOutputText(KeypadShortcutHackKey::hyphen));
    plus.normalizeForImport(defaultOutputText(KeypadShortcutHackKey::plus));
}

const KeypadShortcutHackRule& KeypadShortcutHackSettings::operator[](KeypadShortcutHackKey key) const {
    switch (key) {
    case KeypadShortcutHackKey::period: return period;
    case KeypadShortcutHackKey::slash: return slash;
    case KeypadShortcutHackKey::asterisk: return asterisk;
    case KeypadShortcutHackKey::hyphen: return hyphen;
    case KeypadShortcutHackKey::plus: return plus;
    }
    return period;
}

KeypadShortcutHackRule& KeypadShortcutHackSettings::operator[](KeypadShortcutHackKey key) {
    return const_cast<KeypadShortcutHackRule&>(std::as_const(*this)[key]);
}

void KeypadShortcutHackSettings::disableAll() {
    usesKeypadEqualCombo = false;
    for (KeypadShortcutHackKey key : allCases<KeypadShortcutHackKey>()) (*this)[key].isEnabled = false;
}

Json JSONCoding<KeypadShortcutHackSettings>::encode(const KeypadShortcutHackSettings& settings) {
    Json object = Json::object();
    object["usesKeypadEqualCombo"] = settings.usesKeypadEqualCombo;
    for (KeypadShortcutHackKey key : allCases<KeypadShortcutHackKey>()) {
        object[std::string(rawValue(key))] = coding::encode(settings[key]);
    }
    return object;
}

KeypadShortcutHackSettings JSONCoding<KeypadShortcutHackSettings>::decode(const Json& value) {
    coding::expectObject(value, "KeypadShortcutHackSettings");
    KeypadShortcutHackSettings settings;
    settings.usesKeypadEqualCombo = coding::decodeOr<bool>(value, "usesKeypadEqualCombo", false);
    for (KeypadShortcutHackKey key : allCases<KeypadShortcutHackKey>()) {
        settings[key] = coding::decodeOr(value, rawValue(key), KeypadShortcutHackRule::defaultRule(key));
    }
    settings.normalizeForImport();
    return settings;
}

} // namespace tessaril
