#include "TessarilMac/SettingsStore/TessarilSettingsExportEnvelope.hpp"

namespace tessaril {

Json JSONCoding<TessarilSettingsExportEnvelope>::encode(const TessarilSettingsExportEnvelope& envelope) {
    return Json{{"schemaVersion", envelope.schemaVersion}, {"settings", coding::encode(envelope.settings)}};
}

TessarilSettingsExportEnvelope JSONCoding<TessarilSettingsExportEnvelope>::decode(const Json& value) {
    coding::expectObject(value, "TessarilSettingsExportEnvelope");
    auto schemaVersion = coding::decodeRequired<std::int64_t>(value, "schemaVersion");
    auto settings = coding::decodeRequired<TessarilSettings>(value, "settings");
    return TessarilSettingsExportEnvelope{schemaVersion, std::move(settings)};
}

} // namespace tessaril
