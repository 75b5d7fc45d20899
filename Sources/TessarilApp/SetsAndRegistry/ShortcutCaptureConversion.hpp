#pragma once

#include <optional>
#include <string_view>

#include "TessarilApp/AppKit/Event.hpp"
#include "TessarilCore/Input/Shortcut.hpp"
#include "TessarilCore/Rules/PairAssistRule.hpp"
#include "TessarilCore/Rules/WritingAssistSettings.hpp"

namespace tessaril {

class AppDelegate;

// What a shortcut capture makes of a pressed key, the alert that explains a refusal, and the two
// helpers of the pair-rule capture. Main thread only.

// The key of the event: a key of the capture table by key code, else the first character the key
// types (lower-cased, white space skipped) in base form. A character that can never arrive as typed
// text (a control character, or the private-use range U+F700–U+F8FF of arrows, function keys and
// delete) gives none, like a key without characters.
std::optional<ShortcutKey> writingAssistShortcutKey(const appkit::Event& event);
// The event's modifiers with its key; none without a modifier or a key.
std::optional<Shortcut> writingAssistShortcut(const appkit::Event& event);
// "記録できません", "修飾キーが必要です" or "文字キーが必要です", after what the event lacks.
void showShortcutCaptureFailure(AppDelegate& delegate, const appkit::Event& event);

// The first effective rule with the identifier.
std::optional<PairAssistRule> pairAssistRule(std::string_view id, const WritingAssistSettings& settings);
// "このキーを移動しますか？"; true when the move was chosen.
bool confirmPairAssistShortcutOverwrite(AppDelegate& delegate, const PairAssistRule& newRule, const PairAssistRule& oldRule);

} // namespace tessaril
