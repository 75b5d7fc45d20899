#include "TessarilCore/Rules/TextToolShortcutRule.hpp"

namespace tessaril {

Json JSONCoding<TextToolShortcutRule>::encode(const TextToolShortcutRule& rule) {
    return Json{{"isEnabled", rule.isEnabled}, {"shortcut", coding::encode(rule.shortcut)}};
}

TextToolShortcutRule JSONCoding<TextToolShortcutRule>::decode(const Json& value) {
    coding::expectObject(value, "TextToolShortcutRule");
    return TextToolShortcutRule{coding::decodeRequired<bool>(value, "isEnabled"),
                                coding::decodeRequired<Shortcut>(value, "shortcut")};
}

} // namespace tessaril
