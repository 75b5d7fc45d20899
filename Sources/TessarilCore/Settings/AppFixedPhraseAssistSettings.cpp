#include "TessarilCore/Settings/AppFixedPhraseAssistSettings.hpp"

namespace tessaril {

Json JSONCoding<AppFixedPhraseAssistSettings>::encode(const AppFixedPhraseAssistSettings& settings) {
    return Json{{"displayName", settings.displayName},
                {"usesDefaultFixedPhraseAssist", settings.usesDefaultFixedPhraseAssist},
                {"fixedPhraseAssist", coding::encode(settings.fixedPhraseAssist)}};
}

AppFixedPhraseAssistSettings JSONCoding<AppFixedPhraseAssistSettings>::decode(const Json& value) {
    coding::expectObject(value, "AppFixedPhraseAssistSettings");
    return AppFixedPhraseAssistSettings{
        coding::decodeRequired<std::string>(value, "displayName"),
        coding::decodeRequired<bool>(value, "usesDefaultFixedPhraseAssist"),
        coding::decodeRequired<FixedPhraseAssistSettings>(value, "fixedPhraseAssist"),
    };
}

} // namespace tessaril
