#include "TessarilCore/Rules/TextToolSettings.hpp"

namespace tessaril {

void TextToolSettings::normalizeShortcutBaseKeys() {
    for (TextToolShortcutRule* rule : {&plainCopy, &plainPaste, &characterCount}) {
        rule->shortcut = rule->shortcut.normalizedToBaseKey();
    }
}

Json JSONCoding<TextToolSettings>::encode(const TextToolSettings& settings) {
    return Json{{"plainCopy", coding::encode(settings.plainCopy)},
                {"plainPaste", coding::encode(settings.plainPaste)},
                {"characterCount", coding::encode(settings.characterCount)},
                {"characterCountHUDPosition", coding::encode(settings.characterCountHUDPosition)},
                {"copiesCharacterCountResult", settings.copiesCharacterCountResult}};
}

TextToolSettings JSONCoding<TextToolSettings>::decode(const Json& value) {
    coding::expectObject(value, "TextToolSettings");
    const TextToolSettings defaults;
    return TextToolSettings{
        coding::decodeOr(value, "plainCopy", defaults.plainCopy),
        coding::decodeOr(value, "plainPaste", defaults.plainPaste),
        coding::decodeOr(value, "characterCount", defaults.characterCount),
        coding::decodeOr(value, "characterCountHUDPosition", defaults.characterCountHUDPosition),
        coding::decodeOr(value, "copiesCharacterCountResult", defaults.copiesCharacterCountResult),
    };
}

} // namespace tessaril
