#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "Doubles/RecordingKeystrokes.hpp"
#include "Doubles/ScriptedFrontmostApplication.hpp"
#include "Doubles/TextActionHostRecorder.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/Pasteboard/InMemoryPasteboard.hpp"
#include "Platform/Pasteboard/PasteboardType.hpp"
#include "TessarilMac/TextActions/PasteboardMarkers.hpp"
#include "TessarilMac/TextActions/PasteboardTextActions.hpp"

namespace tessaril::platform {

// Failure messages show an item as its types and data.
inline void PrintTo(const PasteboardItem& item, std::ostream* stream) {
    *stream << "[";
    for (const auto& entry : item.dataByType) {
        *stream << " " << entry.type << "=\"" << std::string(entry.data.begin(), entry.data.end()) << "\"";
    }
    *stream << " ]";
}

} // namespace tessaril::platform

namespace tessaril::testing {

using Items = std::vector<platform::PasteboardItem>;
using Keystroke = RecordingKeystrokes::Keystroke;

// An item of (type, UTF-8 data) pairs in order.
inline platform::PasteboardItem item(std::vector<std::pair<std::string_view, std::string_view>> pairs) {
    platform::PasteboardItem result;
    for (const auto& [type, data] : pairs) result.dataByType.push_back({std::string(type), platform::pasteboardData(data)});
    return result;
}

inline platform::PasteboardItem plain(std::string_view text) { return item({{platform::pasteboard_type::string, text}}); }

inline platform::PasteboardItem styled(std::string_view text) {
    return item({{platform::pasteboard_type::rtf, "{\\rtf1 styled}"}, {platform::pasteboard_type::string, text}});
}

// The item with the system's two markers after its own types, as the system leaves its writes.
inline platform::PasteboardItem marked(platform::PasteboardItem content) {
    PasteboardMarkers::add(content);
    return content;
}

inline Keystroke commandC(bool failed = false) { return {Keystroke::Kind::commandC, {}, 0, failed}; }
inline Keystroke commandV(bool failed = false) { return {Keystroke::Kind::commandV, {}, 0, failed}; }
inline Keystroke typed(std::string text, int count, bool failed = false) {
    return {Keystroke::Kind::insertTextAndMoveCursorLeft, std::move(text), count, failed};
}

// The text actions wired as the application wires them, on an in-memory pasteboard holding the user's
// styled "old" at change count 5, a scripted frontmost application and virtual time.
struct TextActionsRig {
    explicit TextActionsRig(TextToolSettings settings = {}) : host(std::move(settings)) {}

    void select(Items selection) { frontmost.setSelection(std::move(selection)); }
    void userCopies(Items items) {
        pasteboard->clearContents();
        pasteboard->writeObjects(items);
    }
    void at(std::uint64_t milliseconds) { scheduler.advanceTo(milliseconds); }
    const Items& contents() const { return pasteboard->items(); }
    std::int64_t changeCount() const { return pasteboard->changeCount(); }
    const std::vector<Keystroke>& keystrokes() const { return recorded.keystrokes(); }
    std::optional<std::string> status() const { return host.statusText(); }

    platform::VirtualUptimeClock clock;
    platform::VirtualScheduler scheduler{clock};
    std::shared_ptr<platform::InMemoryPasteboard> pasteboard =
        std::make_shared<platform::InMemoryPasteboard>(5, Items{styled("old")});
    platform::EventSystem events{clock};
    ScriptedFrontmostApplication frontmost{events, *pasteboard};
    RecordingKeystrokes recorded{events};
    TextActionHostRecorder host;
    std::unique_ptr<PasteboardTextActions> actions =
        std::make_unique<PasteboardTextActions>(PasteboardTextActions::Services{pasteboard, scheduler, recorded, host});
};

struct TextActionsFixture : ::testing::Test, TextActionsRig {};

} // namespace tessaril::testing
