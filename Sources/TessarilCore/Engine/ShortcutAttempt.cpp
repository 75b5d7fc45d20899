#include "TessarilCore/Engine/ShortcutAttempt.hpp"

namespace tessaril {

Json JSONCoding<ShortcutAttempt>::encode(const ShortcutAttempt& attempt) {
    return Json{{"shortcut", coding::encode(attempt.shortcut)},
                {"timeMilliseconds", attempt.timeMilliseconds},
                {"isRepeat", attempt.isRepeat}};
}

ShortcutAttempt JSONCoding<ShortcutAttempt>::decode(const Json& value) {
    coding::expectObject(value, "ShortcutAttempt");
    return ShortcutAttempt{
        coding::decodeRequired<Shortcut>(value, "shortcut"),
        coding::decodeRequired<std::int64_t>(value, "timeMilliseconds"),
        coding::decodeRequired<bool>(value, "isRepeat"),
    };
}

} // namespace tessaril
