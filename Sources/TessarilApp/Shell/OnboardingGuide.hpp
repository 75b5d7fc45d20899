#pragma once

#include <optional>
#include <string>

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace tessaril {

class AppDelegate;

// The first-launch guide, a small popover hanging below the status item's button (and following it
// when the status area places the button late) that says where the icon is and whether the Accessibility permission is granted, and the login item registered by
// default on the first launch of the installed application. The popover is the delegate's
// `onboardingPopover`; the two one-shot flags live in the standard defaults. Keeps no state of its
// own; main thread only.
class OnboardingGuide {
public:
    static constexpr int width = 360;
    static constexpr int trustedHeight = 214;
    static constexpr int untrustedHeight = 254;

    explicit OnboardingGuide(AppDelegate& delegate) : delegate_(delegate) {}

    // Schedules the guide once per user, unless the input backend is switched off for a preview.
    void showOnboardingGuideIfNeeded();
    void showOnboardingGuide();
    QWidget* makeOnboardingGuideView(bool isAccessibilityTrusted);
    QWidget* makeOnboardingButtonRow(bool isAccessibilityTrusted);
    void openAccessibilitySettingsFromOnboarding();
    void openSettingsFromOnboarding();
    void closeOnboardingGuide();
    // Hangs the guide from the status item's button where its place is known, else at the top right.
    void placeOnboardingGuide();

    void applyDefaultLoginItemRegistrationIfNeeded();

    // The top-left corner of a popover of `size` centred below `anchor` (above it when there is no room
    // below), kept inside `screenArea`; without an anchor, or with an empty one, which tells nothing, at
    // the top right of the area.
    static QPoint popoverTopLeft(const std::optional<QRect>& anchor, QSize size, const QRect& screenArea);

private:
    // Sets a one-shot flag; a failure goes to the process log and answers false.
    bool setFlag(const char* purpose, const std::string& key);

    AppDelegate& delegate_;
};

} // namespace tessaril
