#pragma once

#include <utility>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Engine/RuleEngineSettings.hpp"

namespace tessaril {

// The rule-engine settings of the three built-in presets, one field per preset. It has no default of
// its own: whoever builds one supplies all three. A plain value, used on any thread.
struct KeyboardPresetProfiles {
    RuleEngineSettings laptop;
    RuleEngineSettings compactUS;
    RuleEngineSettings fullSizeUS;

    KeyboardPresetProfiles(RuleEngineSettings laptopSettings, RuleEngineSettings compactUSSettings,
                           RuleEngineSettings fullSizeUSSettings)
        : laptop(std::move(laptopSettings)),
          compactUS(std::move(compactUSSettings)),
          fullSizeUS(std::move(fullSizeUSSettings)) {}

    // The field the preset names; writing through the reference changes only that field.
    const RuleEngineSettings& operator[](KeyboardPreset preset) const;
    RuleEngineSettings& operator[](KeyboardPreset preset);

    friend bool operator==(const KeyboardPresetProfiles&, const KeyboardPresetProfiles&) = default;
};

template <> struct JSONCoding<KeyboardPresetProfiles> {
    static Json encode(const KeyboardPresetProfiles& profiles);
    // All three keys are required; each object is read by the settings' tolerant decoder.
    static KeyboardPresetProfiles decode(const Json& value);
};

} // namespace tessaril
