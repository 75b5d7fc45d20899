#pragma once

#include <optional>
#include <vector>

#include "Platform/Pasteboard/Pasteboard.hpp"
#include "Platform/Quartz/EventSystem.hpp"

namespace tessaril {

// The frontmost application as the text actions meet it: every ⌘C key-down that reaches it copies its
// selection to the pasteboard (a clear and a write of its own); with nothing selected ⌘C changes
// nothing. It receives what the event system delivers. Thread: the posting thread.
class ScriptedFrontmostApplication {
public:
    using Selection = std::optional<std::vector<platform::PasteboardItem>>;

    // Both must outlive the application; it is the event system's one delivery observer.
    ScriptedFrontmostApplication(platform::EventSystem& events, platform::Pasteboard& pasteboard);
    ~ScriptedFrontmostApplication();
    ScriptedFrontmostApplication(const ScriptedFrontmostApplication&) = delete;
    ScriptedFrontmostApplication& operator=(const ScriptedFrontmostApplication&) = delete;

    // What ⌘C copies from now on; none: nothing is selected.
    void setSelection(Selection selection) { selection_ = std::move(selection); }

private:
    void receive(const platform::Event& event);

    platform::EventSystem& events_;
    platform::Pasteboard& pasteboard_;
    Selection selection_;
};

} // namespace tessaril
