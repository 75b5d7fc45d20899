#include <gtest/gtest.h>

#include <limits>

#include "Platform/Quartz/Event.hpp"
#include "TessarilMac/EventTap/CGKeyCodeMapper.hpp"
#include "TessarilMac/EventTap/TessarilSyntheticEvent.hpp"

using namespace tessaril;
using platform::Event;
using platform::EventField;
using platform::EventType;
namespace flags = platform::event_flags;
using Modifiers = KeyboardInputEvent::Modifiers;

namespace {

Event keyboardEvent(EventType type, std::int64_t keyCode, platform::EventFlags eventFlags = 0) {
    Event event = Event::keyboard(type, keyCode, eventFlags, 0);
    event.setIntegerValueField(EventField::keyboardEventKeyboardType, 40);
    return event;
}

TEST(CGKeyCodeMapper, InputEventCarriesEveryField) {
    Event event = keyboardEvent(EventType::keyUp, 12, flags::maskCommand | flags::maskAlternate | flags::maskAlphaShift);
    event.setTimestamp(1'999'999);
    event.setIntegerValueField(EventField::keyboardEventAutorepeat, 1);
    event.setIntegerValueField(EventField::eventSourceUserData, TessarilSyntheticEvent::marker);

    auto input = CGKeyCodeMapper().inputEvent(event, EventType::keyUp);
    ASSERT_TRUE(input);
    EXPECT_EQ(*input, (KeyboardInputEvent{KeyboardInputEvent::Kind::keyUp, 12, {Modifiers::command(), Modifiers::option()},
                                          1, true, KeyboardIdentifier{"keyboard-type:40"}, true,
                                          std::string("keyboard-type:40")}));
}

TEST(CGKeyCodeMapper, InputEventFieldRules) {
    struct Case {
        const char* name;
        EventType type;
        std::int64_t keyCode;
        platform::EventFlags flags;
        std::uint64_t timestamp;
        std::int64_t userData;
        bool mapped;
        KeyboardInputEvent::Kind kind;
        Modifiers modifiers;
        std::int64_t milliseconds;
        bool synthetic;
    };
    constexpr auto keyDown = KeyboardInputEvent::Kind::keyDown;
    const Case cases[] = {
        {"timestamp truncates", EventType::keyDown, 0, 0, 1'999'999, 0, true, keyDown, {}, 1, false},
        {"whole milliseconds", EventType::keyDown, 0, 0, 2'000'000, 0, true, keyDown, {}, 2, false},
        {"flags changed", EventType::flagsChanged, 55, flags::maskCommand, 0, 0, true,
         KeyboardInputEvent::Kind::modifierFlagsChanged, Modifiers::command(), 0, false},
        {"all four modifiers", EventType::keyDown, 0,
         flags::maskCommand | flags::maskShift | flags::maskAlternate | flags::maskControl, 0, 0, true, keyDown,
         Modifiers(std::uint8_t{15}), 0, false},
        {"caps lock, fn, keypad bits ignored", EventType::keyDown, 0,
         flags::maskAlphaShift | flags::maskSecondaryFn | flags::maskNumericPad | 0x2, 0, 0, true, keyDown, {}, 0, false},
        {"zero user data", EventType::keyDown, 0, 0, 0, 0, true, keyDown, {}, 0, false},
        {"other user data", EventType::keyDown, 0, 0, 0, TessarilSyntheticEvent::marker + 1, true, keyDown, {}, 0, false},
        {"largest key code", EventType::keyDown, 65535, 0, 0, 0, true, keyDown, {}, 0, false},
        {"key code above 16 bits", EventType::keyDown, 65536, 0, 0, 0, false, keyDown, {}, 0, false},
        {"negative key code", EventType::keyDown, -1, 0, 0, 0, false, keyDown, {}, 0, false},
        {"mouse down", EventType::leftMouseDown, 0, 0, 0, 0, false, keyDown, {}, 0, false},
        {"null event", EventType::null, 0, 0, 0, 0, false, keyDown, {}, 0, false},
        {"tap disabled", EventType::tapDisabledByTimeout, 0, 0, 0, 0, false, keyDown, {}, 0, false},
    };
    for (const auto& testCase : cases) {
        Event event = keyboardEvent(testCase.type, testCase.keyCode, testCase.flags);
        event.setTimestamp(testCase.timestamp);
        event.setIntegerValueField(EventField::eventSourceUserData, testCase.userData);
        auto input = CGKeyCodeMapper().inputEvent(event, testCase.type);
        ASSERT_EQ(input.has_value(), testCase.mapped) << testCase.name;
        if (!input) continue;
        EXPECT_EQ(input->kind, testCase.kind) << testCase.name;
        EXPECT_EQ(input->keyCode, static_cast<std::uint16_t>(testCase.keyCode)) << testCase.name;
        EXPECT_EQ(input->modifiers, testCase.modifiers) << testCase.name;
        EXPECT_EQ(input->timeMilliseconds, testCase.milliseconds) << testCase.name;
        EXPECT_EQ(input->isSynthetic, testCase.synthetic) << testCase.name;
    }
}

TEST(CGKeyCodeMapper, TablesHoldTheAnsiKeysAndTheKeypadPeriod) {
    EXPECT_EQ(characterByKeyCode().size(), 47u);
    EXPECT_EQ(shortcutKeyByKeyCode().size(), 48u);
    const std::pair<std::uint16_t, const char*> samples[] = {
        {0, "a"}, {22, "6"}, {23, "5"}, {24, "="}, {27, "-"}, {30, "]"}, {33, "["},
        {39, "'"}, {41, ";"}, {42, "\\"}, {43, ","}, {44, "/"}, {47, "."}, {50, "`"},
    };
    for (const auto& [code, character] : samples) {
        EXPECT_EQ(characterByKeyCode().at(code), character) << code;
        EXPECT_EQ(shortcutKeyByKeyCode().at(code), Shortcut::Key::character(character)) << code;
    }
    for (std::uint16_t absent : {10, 36, 48, 49, 51, 53, 65, 102, 104}) {
        EXPECT_FALSE(characterByKeyCode().contains(absent)) << absent;
    }
    EXPECT_EQ(shortcutKeyByKeyCode().at(65), Shortcut::Key::keypadPeriod());
    EXPECT_FALSE(shortcutKeyByKeyCode().contains(75));
}

TEST(CGKeyCodeMapper, PhysicalKeys) {
    const std::pair<std::uint16_t, std::optional<PhysicalKey>> cases[] = {
        {54, PhysicalKey::command(CommandKeySide::right)}, {55, PhysicalKey::command(CommandKeySide::left)},
        {56, PhysicalKey::shift(ShiftKeySide::left)},      {60, PhysicalKey::shift(ShiftKeySide::right)},
        {58, PhysicalKey::option(ModifierKeySide::left)},  {61, PhysicalKey::option(ModifierKeySide::right)},
        {59, PhysicalKey::control(ModifierKeySide::left)}, {62, PhysicalKey::control(ModifierKeySide::right)},
        {65, PhysicalKey::keypadPeriod()},                 {67, PhysicalKey::keypadAsterisk()},
        {69, PhysicalKey::keypadPlus()},                   {75, PhysicalKey::keypadSlash()},
        {78, PhysicalKey::keypadHyphen()},                 {81, PhysicalKey::keypadEqual()},
        {0, PhysicalKey::character("a")},                  {50, PhysicalKey::character("`")},
        {57, std::nullopt}, {63, std::nullopt}, {36, std::nullopt}, {48, std::nullopt}, {49, std::nullopt},
        {51, std::nullopt}, {53, std::nullopt}, {102, std::nullopt}, {104, std::nullopt}, {82, std::nullopt},
    };
    for (const auto& [code, key] : cases) EXPECT_EQ(CGKeyCodeMapper().physicalKey(code), key) << code;
}

TEST(CGKeyCodeMapper, PhysicalKeyEventPhases) {
    struct Case {
        const char* name;
        KeyboardInputEvent::Kind kind;
        std::uint16_t keyCode;
        Modifiers modifiers;
        bool wasDown;
        bool twinHeld;
        std::optional<KeyPhase> phase;
    };
    using Kind = KeyboardInputEvent::Kind;
    const Case cases[] = {
        {"left shift down while right held", Kind::modifierFlagsChanged, 56, Modifiers::shift(), false, true, KeyPhase::down},
        {"left shift up while right held", Kind::modifierFlagsChanged, 56, Modifiers::shift(), true, true, KeyPhase::up},
        {"held key changes alone", Kind::modifierFlagsChanged, 56, Modifiers::shift(), true, false, KeyPhase::down},
        {"right command bit clear, held", Kind::modifierFlagsChanged, 54, {}, true, false, KeyPhase::up},
        {"right command bit clear, not held", Kind::modifierFlagsChanged, 54, {}, false, false, KeyPhase::up},
        {"option with only command bit", Kind::modifierFlagsChanged, 58, Modifiers::command(), false, false, KeyPhase::up},
        {"character on flags changed", Kind::modifierFlagsChanged, 0, Modifiers::shift(), false, false, KeyPhase::up},
        {"modifier key down event", Kind::keyDown, 55, {}, false, false, KeyPhase::down},
        {"character key up", Kind::keyUp, 0, Modifiers::command(), false, false, KeyPhase::up},
        {"caps lock", Kind::modifierFlagsChanged, 57, {}, false, false, std::nullopt},
        {"function key", Kind::modifierFlagsChanged, 63, {}, false, false, std::nullopt},
    };
    for (const auto& testCase : cases) {
        KeyboardInputEvent event{testCase.kind, testCase.keyCode, testCase.modifiers, 77, true,
                                 KeyboardIdentifier::keyboardType(40), false, std::nullopt};
        auto result = CGKeyCodeMapper().physicalKeyEvent(event, testCase.wasDown, testCase.twinHeld);
        ASSERT_EQ(result.has_value(), testCase.phase.has_value()) << testCase.name;
        if (!result) continue;
        EXPECT_EQ(*result, (PhysicalKeyEvent{*CGKeyCodeMapper().physicalKey(testCase.keyCode), *testCase.phase, 77, true}))
            << testCase.name;
    }
}

TEST(CGKeyCodeMapper, ShortcutAttempts) {
    struct Case {
        const char* name;
        EventType type;
        std::int64_t keyCode;
        platform::EventFlags flags;
        std::optional<Shortcut> shortcut;
    };
    const Case cases[] = {
        {"shift a", EventType::keyDown, 0, flags::maskShift,
         Shortcut{{Shortcut::Modifier::shift}, Shortcut::Key::character("a")}},
        {"a alone", EventType::keyDown, 0, 0, std::nullopt},
        {"a with caps lock", EventType::keyDown, 0, flags::maskAlphaShift, std::nullopt},
        {"command keypad period", EventType::keyDown, 65, flags::maskCommand,
         Shortcut{{Shortcut::Modifier::command}, Shortcut::Key::keypadPeriod()}},
        {"command keypad slash", EventType::keyDown, 75, flags::maskCommand, std::nullopt},
        {"all modifiers q", EventType::keyDown, 12,
         flags::maskCommand | flags::maskShift | flags::maskAlternate | flags::maskControl,
         Shortcut{ShortcutModifierSet::all(), Shortcut::Key::character("q")}},
        {"key up", EventType::keyUp, 12, flags::maskCommand, std::nullopt},
        {"flags changed", EventType::flagsChanged, 55, flags::maskCommand, std::nullopt},
        {"command return", EventType::keyDown, 36, flags::maskCommand, std::nullopt},
        {"command escape", EventType::keyDown, 53, flags::maskCommand, std::nullopt},
        {"command jis kana", EventType::keyDown, 104, flags::maskCommand, std::nullopt},
        {"aliasing key code", EventType::keyDown, 65536 + 12, flags::maskCommand, std::nullopt},
    };
    for (const auto& testCase : cases) {
        Event event = keyboardEvent(testCase.type, testCase.keyCode, testCase.flags);
        event.setTimestamp(9'000'000);
        event.setIntegerValueField(EventField::keyboardEventAutorepeat, 1);
        auto attempt = CGKeyCodeMapper().shortcutAttempt(event, testCase.type);
        ASSERT_EQ(attempt.has_value(), testCase.shortcut.has_value()) << testCase.name;
        if (!attempt) continue;
        EXPECT_EQ(*attempt, (ShortcutAttempt{*testCase.shortcut, 9, true})) << testCase.name;
    }
}

TEST(KeyboardInputEvent, EqualityIncludesTheTraceIdentifierAndModifierSetOperations) {
    KeyboardInputEvent traced{KeyboardInputEvent::Kind::keyDown, 0, {}, 0, false, KeyboardIdentifier::keyboardType(1),
                              false, std::string("keyboard-type:1")};
    KeyboardInputEvent untraced = traced;
    untraced.tracePhysicalDeviceIdentifier.reset();
    EXPECT_NE(traced, untraced);

    Modifiers commandShift{Modifiers::command(), Modifiers::shift()};
    EXPECT_EQ(commandShift.rawValue, 3);
    EXPECT_EQ(commandShift.symmetricDifference({Modifiers::shift(), Modifiers::control()}).rawValue, 9);
    EXPECT_EQ(commandShift.intersection(Modifiers::shift()), Modifiers::shift());
    EXPECT_TRUE(Modifiers::command().isSubset(commandShift));
    EXPECT_TRUE(commandShift.isDisjoint({Modifiers::option(), Modifiers::control()}));
    Modifiers changed = commandShift;
    changed.remove(Modifiers::command());
    changed.insert(Modifiers::option());
    EXPECT_EQ(changed.rawValue, 6);
    EXPECT_TRUE(Modifiers().isEmpty());
}

} // namespace
