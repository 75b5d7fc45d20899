#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "TessarilCore/Rules/CommandKeyAction.hpp"
#include "TessarilCore/Input/CommandKeySide.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Support/JSONParsing.hpp"
#include "TessarilCore/Input/KeyboardIdentifier.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Input/PhysicalKeyEvent.hpp"
#include "TessarilCore/Input/Shortcut.hpp"

namespace tessaril {
namespace {

template <class T> DecodingError decodeFailure(const std::string& text) {
    try {
        coding::decode<T>(Json::parse(text));
    } catch (const DecodingError& error) {
        return error;
    }
    ADD_FAILURE() << "decoding succeeded: " << text;
    return DecodingError(DecodingError::Kind::dataCorrupted, "");
}

TEST(JSONParsing, TakesTheWholeByteRangeOrNothing) {
    using namespace std::string_literals;
    struct Row {
        std::string bytes;
        std::optional<Json> expected;
    };
    const std::vector<Row> rows{
        {R"({"a":1})", Json{{"a", 1}}},
        {" [1, 2] \n", Json{1, 2}},
        {R"("a\u0000b")", Json("a\0b"s)}, // an escaped NUL is text
        {"{\"a\":1}\0"s, std::nullopt},
        {"{\"a\":1}\0\xff{{"s, std::nullopt},
        {"\0{}"s, std::nullopt},
        {"\"a\0b\""s, std::nullopt},
        {"{} {}", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.bytes));
        EXPECT_EQ(coding::parsedJSON(row.bytes), row.expected);
    }
}

TEST(JSONCoding, IntegersAreStrict) {
    EXPECT_EQ(coding::decode<std::int64_t>(Json::parse("9223372036854775807")), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(coding::decode<std::int64_t>(Json::parse("-9223372036854775808")), std::numeric_limits<std::int64_t>::min());
    for (const char* text : {"9223372036854775808", "18446744073709551616", "1.5", "1.0", "1e3"}) {
        EXPECT_EQ(decodeFailure<std::int64_t>(text).kind(), DecodingError::Kind::dataCorrupted) << text;
    }
    for (const char* text : {"\"1\"", "true", "null", "[]", "{}"}) {
        EXPECT_EQ(decodeFailure<std::int64_t>(text).kind(), DecodingError::Kind::typeMismatch) << text;
    }
}

TEST(JSONCoding, PrimitivesRejectOtherTypes) {
    EXPECT_EQ(decodeFailure<bool>("1").kind(), DecodingError::Kind::typeMismatch);
    EXPECT_EQ(decodeFailure<std::string>("1").kind(), DecodingError::Kind::typeMismatch);
    EXPECT_EQ(decodeFailure<double>("\"1\"").kind(), DecodingError::Kind::typeMismatch);
    EXPECT_DOUBLE_EQ(coding::decode<double>(Json::parse("2")), 2.0);
}

TEST(JSONCoding, RawValueEnumerations) {
    EXPECT_EQ(coding::encode(CommandKeyAction::halfWidthKatakana), Json("halfWidthKatakana"));
    EXPECT_EQ(coding::decode<KeyboardPreset>(Json("compactUS")), KeyboardPreset::compactUS);
    auto corrupted = decodeFailure<InputMode>("\"Eisu\"");
    EXPECT_EQ(corrupted.kind(), DecodingError::Kind::dataCorrupted);
    EXPECT_EQ(corrupted.message(), "Cannot initialize InputMode from invalid String value Eisu");
    EXPECT_EQ(decodeFailure<InputMode>("{\"eisu\":{}}").kind(), DecodingError::Kind::typeMismatch);
}

TEST(JSONCoding, CaseObjectsCountOnlyCaseKeys) {
    struct Case {
        const char* json;
        std::optional<CommandKeySide> expected;
    };
    const Case cases[] = {
        {R"({"left":{}})", CommandKeySide::left},
        {R"({"right":{}})", CommandKeySide::right},
        {R"({"left":{},"extra":1})", CommandKeySide::left},
        {R"({"left":{"x":2}})", CommandKeySide::left},
        {R"({"left":{},"right":{}})", std::nullopt},
        {R"({})", std::nullopt},
        {R"({"Left":{}})", std::nullopt},
    };
    for (const auto& testCase : cases) {
        if (testCase.expected) {
            EXPECT_EQ(coding::decode<CommandKeySide>(Json::parse(testCase.json)), *testCase.expected) << testCase.json;
        } else {
            auto error = decodeFailure<CommandKeySide>(testCase.json);
            EXPECT_EQ(error.kind(), DecodingError::Kind::typeMismatch) << testCase.json;
            EXPECT_EQ(error.message(), "Invalid number of keys found, expected one.") << testCase.json;
        }
    }
    EXPECT_EQ(decodeFailure<CommandKeySide>(R"({"left":1})").kind(), DecodingError::Kind::typeMismatch);
    EXPECT_EQ(decodeFailure<CommandKeySide>(R"("left")").kind(), DecodingError::Kind::typeMismatch);
    EXPECT_EQ(coding::encode(CommandKeySide::right), Json::parse(R"({"right":{}})"));
}

TEST(JSONCoding, PhysicalKeysRoundTripInTheirStoredForm) {
    struct Case {
        PhysicalKey key;
        const char* json;
    };
    const Case cases[] = {
        {PhysicalKey::command(CommandKeySide::left), R"({"command":{"_0":{"left":{}}}})"},
        {PhysicalKey::shift(ShiftKeySide::right), R"({"shift":{"_0":{"right":{}}}})"},
        {PhysicalKey::option(ModifierKeySide::left), R"({"option":{"_0":{"left":{}}}})"},
        {PhysicalKey::control(ModifierKeySide::left), R"({"control":{"_0":{"left":{}}}})"},
        {PhysicalKey::character("a"), R"({"character":{"_0":"a"}})"},
        {PhysicalKey::keypadPeriod(), R"({"keypadPeriod":{}})"},
        {PhysicalKey::keypadSlash(), R"({"keypadSlash":{}})"},
        {PhysicalKey::keypadAsterisk(), R"({"keypadAsterisk":{}})"},
        {PhysicalKey::keypadHyphen(), R"({"keypadHyphen":{}})"},
        {PhysicalKey::keypadPlus(), R"({"keypadPlus":{}})"},
        {PhysicalKey::keypadEqual(), R"({"keypadEqual":{}})"},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(coding::encode(testCase.key), Json::parse(testCase.json)) << testCase.json;
        EXPECT_EQ(coding::decode<PhysicalKey>(Json::parse(testCase.json)), testCase.key) << testCase.json;
    }
}

TEST(JSONCoding, PayloadFailuresCarryTheirPath) {
    auto missingPayload = decodeFailure<PhysicalKey>(R"({"character":{}})");
    EXPECT_EQ(missingPayload.kind(), DecodingError::Kind::keyNotFound);
    EXPECT_EQ(missingPayload.codingPathText(), "character");

    auto wrongPayload = decodeFailure<PhysicalKey>(R"({"command":{"_0":"left"}})");
    EXPECT_EQ(wrongPayload.kind(), DecodingError::Kind::typeMismatch);
    EXPECT_EQ(wrongPayload.codingPathText(), "command._0");

    auto nestedSide = decodeFailure<PhysicalKeyEvent>(
        R"({"key":{"shift":{"_0":{}}},"phase":{"down":{}},"timeMilliseconds":1,"isRepeat":false})");
    EXPECT_EQ(nestedSide.message(), "Invalid number of keys found, expected one.");
    EXPECT_EQ(nestedSide.codingPathText(), "key.shift._0");
}

TEST(JSONCoding, PhysicalKeyEventNeedsAllFourKeys) {
    const Json complete = Json::parse(
        R"({"key":{"keypadEqual":{}},"phase":{"up":{}},"timeMilliseconds":-5,"isRepeat":true,"other":0})");
    auto event = coding::decode<PhysicalKeyEvent>(complete);
    EXPECT_EQ(event, (PhysicalKeyEvent{PhysicalKey::keypadEqual(), KeyPhase::up, -5, true}));
    EXPECT_EQ(coding::decode<PhysicalKeyEvent>(coding::encode(event)), event);
    for (const char* key : {"key", "phase", "timeMilliseconds", "isRepeat"}) {
        Json incomplete = complete;
        incomplete.erase(key);
        EXPECT_EQ(decodeFailure<PhysicalKeyEvent>(incomplete.dump()).kind(), DecodingError::Kind::keyNotFound) << key;
        Json nulled = complete;
        nulled[key] = nullptr;
        EXPECT_EQ(decodeFailure<PhysicalKeyEvent>(nulled.dump()).kind(), DecodingError::Kind::valueNotFound) << key;
    }
    Json fractional = complete;
    fractional["timeMilliseconds"] = 1.5;
    EXPECT_EQ(decodeFailure<PhysicalKeyEvent>(fractional.dump()).codingPathText(), "timeMilliseconds");
}

TEST(JSONCoding, ShortcutsReadAnyModifierOrderAndCollapseRepeats) {
    auto forward = coding::decode<Shortcut>(
        Json::parse(R"({"modifiers":[{"command":{}},{"shift":{}}],"key":{"character":{"_0":"q"}}})"));
    auto backward = coding::decode<Shortcut>(
        Json::parse(R"({"modifiers":[{"shift":{}},{"command":{}},{"shift":{}}],"key":{"character":{"_0":"q"}}})"));
    EXPECT_EQ(forward, backward);
    EXPECT_EQ(forward.modifiers.size(), 2u);
    EXPECT_EQ(coding::encode(Shortcut::commandQ()),
              Json::parse(R"({"modifiers":[{"command":{}}],"key":{"character":{"_0":"q"}}})"));
    auto empty = coding::decode<Shortcut>(Json::parse(R"({"modifiers":[],"key":{"escape":{},"other":true}})"));
    EXPECT_TRUE(empty.modifiers.empty());
    EXPECT_EQ(empty.key, ShortcutKey::escape());

    EXPECT_EQ(decodeFailure<ShortcutKey>(R"({"character":{"_0":"a"},"escape":{}})").message(),
              "Invalid number of keys found, expected one.");
    EXPECT_EQ(decodeFailure<ShortcutKey>(R"({"character":{}})").kind(), DecodingError::Kind::keyNotFound);
    EXPECT_EQ(decodeFailure<Shortcut>(R"({"modifiers":[{"command":{}}]})").kind(), DecodingError::Kind::keyNotFound);
    EXPECT_EQ(decodeFailure<Shortcut>(R"({"modifiers":{"command":{}},"key":{"escape":{}}})").kind(),
              DecodingError::Kind::typeMismatch);
    // Reading never normalises the stored key.
    EXPECT_EQ(coding::decode<Shortcut>(Json::parse(R"({"modifiers":[],"key":{"character":{"_0":"Q"}}})")).key,
              ShortcutKey::character("Q"));
}

TEST(JSONCoding, KeyboardIdentifiersAreBareStrings) {
    auto identifier = KeyboardIdentifier::keyboardType(-1);
    EXPECT_EQ(identifier.rawValue, "keyboard-type:-1");
    EXPECT_EQ(coding::encode(identifier), Json("keyboard-type:-1"));
    EXPECT_EQ(coding::decode<KeyboardIdentifier>(Json("anything")).rawValue, "anything");
    EXPECT_NE(KeyboardIdentifier::keyboardType(40), KeyboardIdentifier{"keyboard-type:040"});
    EXPECT_EQ(std::hash<KeyboardIdentifier>{}(KeyboardIdentifier::keyboardType(40)),
              std::hash<KeyboardIdentifier>{}(KeyboardIdentifier{"keyboard-type:40"}));
}

} // namespace
} // namespace tessaril
