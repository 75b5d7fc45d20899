// The first-launch guide and the login-item default, until they exist: a launch shows no guide and
// registers nothing.
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

void AppDelegate::showOnboardingGuideIfNeeded() {}

void AppDelegate::applyDefaultLoginItemRegistrationIfNeeded() {}

} // namespace tessaril
