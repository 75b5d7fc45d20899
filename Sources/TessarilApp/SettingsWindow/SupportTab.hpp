#pragma once

class QWidget;

namespace tessaril {

class AppDelegate;

// The support page ("サポート"), the last of the sidebar: who made the application and its version
// with a link to the web site, the guide to show again, and the diagnostics copy with the current
// status. Built on every rebuild; keeps no state; main thread only.
class SupportTab {
public:
    explicit SupportTab(AppDelegate& delegate) : delegate_(delegate) {}

    QWidget* makeSupportTab();
    QWidget* makeSupportIdentityPanel();
    QWidget* makeSupportGuidePanel();

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
