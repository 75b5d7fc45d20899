#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril::platform {

// Whether the application starts with the user's session: not registered, registered and enabled,
// registered but switched off where the session's start-up items are managed (the user has to allow it
// there), the place of login items not found, or a state that cannot be read.
enum class LoginItemStatus { notRegistered, enabled, requiresApproval, notFound, unknown };

} // namespace tessaril::platform

template <> struct tessaril::EnumCases<tessaril::platform::LoginItemStatus> {
    static constexpr std::string_view typeName = "LoginItemStatus";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<platform::LoginItemStatus, std::string_view>, 5> cases{{
        {platform::LoginItemStatus::notRegistered, "notRegistered"},
        {platform::LoginItemStatus::enabled, "enabled"},
        {platform::LoginItemStatus::requiresApproval, "requiresApproval"},
        {platform::LoginItemStatus::notFound, "notFound"},
        {platform::LoginItemStatus::unknown, "unknown"},
    }};
};
