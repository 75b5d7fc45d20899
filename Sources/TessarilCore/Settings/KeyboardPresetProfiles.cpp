#include "TessarilCore/Settings/KeyboardPresetProfiles.hpp"

namespace tessaril {

const RuleEngineSettings& KeyboardPresetProfiles::operator[](KeyboardPreset preset) const {
    switch (preset) {
    case KeyboardPreset::laptop: return laptop;
    case KeyboardPreset::compactUS: return compactUS;
    case KeyboardPreset::fullSizeUS: return fullSizeUS;
    }
    return laptop;
}

RuleEngineSettings& KeyboardPresetProfiles::operator[](KeyboardPreset preset) {
    return const_cast<RuleEngineSettings&>(std::as_const(*this)[preset]);
}

Json JSONCoding<KeyboardPresetProfiles>::encode(const KeyboardPresetProfiles& profiles) {
    return Json{{"laptop", coding::encode(profiles.laptop)},
                {"compactUS", coding::encode(profiles.compactUS)},
                {"fullSizeUS", coding::encode(profiles.fullSizeUS)}};
}

KeyboardPresetProfiles JSONCoding<KeyboardPresetProfiles>::decode(const Json& value) {
    coding::expectObject(value, "KeyboardPresetProfiles");
    auto laptop = coding::decodeRequired<RuleEngineSettings>(value, "laptop");
    auto compactUS = coding::decodeRequired<RuleEngineSettings>(value, "compactUS");
    auto fullSizeUS = coding::decodeRequired<RuleEngineSettings>(value, "fullSizeUS");
    return KeyboardPresetProfiles(std::move(laptop), std::move(compactUS), std::move(fullSizeUS));
}

} // namespace tessaril
