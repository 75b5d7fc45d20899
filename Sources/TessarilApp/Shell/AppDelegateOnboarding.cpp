// The delegate's methods of the first-launch guide and the login-item default; their bodies live in
// the guide's component.
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilApp/Shell/OnboardingGuide.hpp"

namespace tessaril {

void AppDelegate::showOnboardingGuideIfNeeded() { OnboardingGuide(*this).showOnboardingGuideIfNeeded(); }

void AppDelegate::showOnboardingGuide() { OnboardingGuide(*this).showOnboardingGuide(); }

void AppDelegate::closeOnboardingGuide() { OnboardingGuide(*this).closeOnboardingGuide(); }

void AppDelegate::applyDefaultLoginItemRegistrationIfNeeded() {
    OnboardingGuide(*this).applyDefaultLoginItemRegistrationIfNeeded();
}

} // namespace tessaril
