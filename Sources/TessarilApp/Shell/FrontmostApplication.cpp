#include "TessarilApp/Shell/FrontmostApplication.hpp"

namespace tessaril {

std::optional<FrontmostApplication> FrontmostApplication::make(const platform::RunningApplication& application,
                                                               const std::set<std::string, std::less<>>& excluding) {
    if (!application.bundleIdentifier || excluding.contains(*application.bundleIdentifier)) return std::nullopt;
    return FrontmostApplication{*application.bundleIdentifier,
                                application.localizedName.value_or(*application.bundleIdentifier)};
}

} // namespace tessaril
