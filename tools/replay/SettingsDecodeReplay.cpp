#include "SettingsDecodeReplay.hpp"

#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril::replay {

int runSettingsDecode(const Invocation& invocation) {
    auto request = invocation.readRequest();
    auto settings = coding::decode<TessarilSettings>(request);
    invocation.emit(coding::encode(settings));
    return 0;
}

} // namespace tessaril::replay
