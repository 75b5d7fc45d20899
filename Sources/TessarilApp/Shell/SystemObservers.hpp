#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "Platform/Workspace/RunningApplication.hpp"

namespace tessaril {

class AppDelegate;

// Keeps the keyboard pipeline told about the world outside: which application is frontmost, which input
// source is selected, whether the machine sleeps or the login session is away (the event tap stops
// then and starts again on return), and starts the virtual kana keyboard.
// Thread: main; the observers it registers are removed when it goes.
class SystemObservers {
public:
    explicit SystemObservers(AppDelegate& delegate) : delegate_(delegate) {}
    ~SystemObservers();
    SystemObservers(const SystemObservers&) = delete;
    SystemObservers& operator=(const SystemObservers&) = delete;

    void observeApplicationActivation();
    void observeWorkspaceLifecycleChanges();
    void observeSelectedInputSource();

    void startKanaModeKeyboard();
    void syncObservedInputMode();
    void workspaceWillSuspendInput();
    void workspaceDidResumeInput();
    void frontmostApplicationDidChange(const std::optional<platform::RunningApplication>& application);

private:
    AppDelegate& delegate_;
    std::vector<std::size_t> workspaceTokens_;
    std::optional<std::size_t> inputSourceToken_;
};

} // namespace tessaril
