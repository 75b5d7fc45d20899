#pragma once

#include <cstdint>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril {

// The form of an exported settings file: the file format's version and the whole document. A value.
struct TessarilSettingsExportEnvelope {
    static constexpr std::int64_t currentSchemaVersion = 1;

    std::int64_t schemaVersion = currentSchemaVersion;
    TessarilSettings settings;

    friend bool operator==(const TessarilSettingsExportEnvelope&, const TessarilSettingsExportEnvelope&) = default;
};

template <> struct JSONCoding<TessarilSettingsExportEnvelope> {
    static Json encode(const TessarilSettingsExportEnvelope& envelope);
    // Both keys are required.
    static TessarilSettingsExportEnvelope decode(const Json& value);
};

} // namespace tessaril
