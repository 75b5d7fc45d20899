#include "TessarilCore/Settings/AppWritingAssistSettings.hpp"

namespace tessaril {

Json JSONCoding<AppWritingAssistSettings>::encode(const AppWritingAssistSettings& settings) {
    Json object = Json::object();
    object["displayName"] = settings.displayName;
    object["usesDefaultWritingAssist"] = settings.usesDefaultWritingAssist;
    object["writingAssist"] = coding::encode(settings.writingAssist);
    return object;
}

AppWritingAssistSettings JSONCoding<AppWritingAssistSettings>::decode(const Json& value) {
    coding::expectObject(value, "AppWritingAssistSettings");
    return AppWritingAssistSettings{
        coding::decodeRequired<std::string>(value, "displayName"),
        coding::decodeOr<bool>(value, "usesDefaultWritingAssist", false),
        coding::decodeOr(value, "writingAssist", WritingAssistSettings()),
    };
}

} // namespace tessaril
