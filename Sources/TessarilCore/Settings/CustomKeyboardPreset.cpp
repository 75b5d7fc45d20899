#include "TessarilCore/Settings/CustomKeyboardPreset.hpp"

namespace tessaril {

Json JSONCoding<CustomKeyboardPreset>::encode(const CustomKeyboardPreset& preset) {
    return Json{{"id", preset.id}, {"name", preset.name}, {"settings", coding::encode(preset.settings)}};
}

CustomKeyboardPreset JSONCoding<CustomKeyboardPreset>::decode(const Json& value) {
    coding::expectObject(value, "CustomKeyboardPreset");
    CustomKeyboardPreset preset;
    preset.id = coding::decodeRequired<std::string>(value, "id");
    preset.name = coding::decodeRequired<std::string>(value, "name");
    preset.settings = coding::decodeRequired<RuleEngineSettings>(value, "settings");
    return preset;
}

} // namespace tessaril
