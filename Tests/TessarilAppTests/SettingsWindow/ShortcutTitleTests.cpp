#include <gtest/gtest.h>

#include "TessarilApp/SettingsWindow/SharedControls.hpp"

namespace tessaril {
namespace {

using Modifier = Shortcut::Modifier;
using Key = Shortcut::Key;

TEST(ShortcutTitleTests, ModifiersInTheFixedOrderThenTheKey) {
    struct Case {
        std::optional<Shortcut> shortcut;
        std::string title;
    };
    const std::vector<Case> cases{
        {std::nullopt, "未設定"},
        {Shortcut{{Modifier::control, Modifier::option, Modifier::shift, Modifier::command}, Key::character("q")},
         "⌘+⇧+⌥+⌃+Q"},
        {Shortcut{{}, Key::escape()}, "Escape"},
        {Shortcut{{Modifier::option}, Key::keypadPeriod()}, "⌥+テンキー ."},
        {Shortcut{{Modifier::command, Modifier::shift}, Key::character("?")}, "⌘+⇧+/"},
        {Shortcut{{Modifier::control, Modifier::command}, Key::character("ß")}, "⌘+⌃+SS"},
    };
    for (const auto& entry : cases) EXPECT_EQ(shortcutTitle(entry.shortcut), entry.title);
}

} // namespace
} // namespace tessaril
