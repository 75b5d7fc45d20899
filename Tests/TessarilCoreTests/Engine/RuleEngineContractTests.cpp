#include "TessarilCoreTests/Engine/RuleEngineTests.hpp"

namespace tessaril {
namespace {

using namespace engine_test;

TEST(RuleEngineContract, ActionsAreCodedAsTheReplayToolPrintsThem) {
    const auto insertion = FixedPhraseInsertion("…", std::nullopt, std::nullopt, FixedPhraseInsertionFormat::plain);
    const std::vector<std::pair<EngineAction, std::string>> cases{
        {A::setInputMode(InputMode::eisu), R"({"setInputMode":{"_0":"eisu"}})"},
        {A::scheduleInputMode(InputMode::kana, 120, Side::right),
         R"({"scheduleInputMode":{"_0":"kana","delayMilliseconds":120,"commandSide":{"right":{}}}})"},
        {A::cancelScheduledInputMode(Side::left), R"({"cancelScheduledInputMode":{"_0":{"left":{}}}})"},
        {A::recordModifierGraceCorrection(Side::left, CompanionModifier::shift, InputMode::kana, InputMode::eisu, 20),
         R"({"recordModifierGraceCorrection":{"side":{"left":{}},"companionModifier":"shift","from":"kana","to":"eisu","overlapMilliseconds":20}})"},
        {A::beginCommandTracking(Side::right), R"({"beginCommandTracking":{"_0":{"right":{}}}})"},
        {A::useCommandAsModifier(Side::left), R"({"useCommandAsModifier":{"_0":{"left":{}}}})"},
        {A::finishCommandTracking(Side::left), R"({"finishCommandTracking":{"_0":{"left":{}}}})"},
        {A::suppressPhysicalKey(PhysicalKey::keypadPeriod()), R"({"suppressPhysicalKey":{"_0":{"keypadPeriod":{}}}})"},
        {A::insertText("¥"), R"({"insertText":{"_0":"¥"}})"},
        {A::insertTextAndMoveCursorLeft("」", 1), R"({"insertTextAndMoveCursorLeft":{"_0":"」","count":1}})"},
        {A::insertTextPair("「", "」"), R"({"insertTextPair":{"opening":"「","closing":"」"}})"},
        {A::performTextTool(TextToolAction::plainCopy), R"({"performTextTool":{"_0":"plainCopy"}})"},
        {A::insertFixedPhrase(insertion),
         R"({"insertFixedPhrase":{"_0":{"plainText":"…","format":"plain","inputMode":"plain","previewMode":"raw","insertionMode":"text"}}})"},
        {A::suppressShortcut(Shortcut::commandQ()),
         R"({"suppressShortcut":{"_0":{"modifiers":[{"command":{}}],"key":{"character":{"_0":"q"}}}}})"},
        {A::allowShortcut(Shortcut::commandW()),
         R"({"allowShortcut":{"_0":{"modifiers":[{"command":{}}],"key":{"character":{"_0":"w"}}}}})"},
    };
    ASSERT_EQ(cases.size(), 15u);
    for (std::size_t index = 0; index < cases.size(); ++index) {
        const auto& [action, text] = cases[index];
        EXPECT_EQ(static_cast<std::size_t>(action.kind()), index) << "cases stand in their fixed order";
        EXPECT_EQ(coding::encode(action), Json::parse(text)) << text;
        EXPECT_EQ(coding::decode<EngineAction>(Json::parse(text)), action) << text;
    }
}

TEST(RuleEngineContract, FixedPhraseInsertionWritesOptionalContentOnlyWhenPresent) {
    const auto insertion = FixedPhraseInsertion("p", "UlRG", "<b>h</b>", FixedPhraseInsertionFormat::html);
    const auto encoded = coding::encode(A::insertFixedPhrase(insertion));
    EXPECT_EQ(encoded, Json::parse(R"({"insertFixedPhrase":{"_0":{"plainText":"p","richTextRTFBase64":"UlRG","htmlText":"<b>h</b>",
        "format":"html","inputMode":"plain","previewMode":"html","insertionMode":"visual"}}})"));
    EXPECT_EQ(coding::decode<EngineAction>(encoded), A::insertFixedPhrase(insertion));
}

TEST(RuleEngineContract, EventsAndAttemptsDecodeStrictly) {
    const auto event = coding::decode<EngineEvent>(Json::parse(
        R"({"shortcut":{"_0":{"shortcut":{"modifiers":[{"command":{}}],"key":{"character":{"_0":"q"}}},"timeMilliseconds":5,"isRepeat":true}}})"));
    EXPECT_EQ(event, attempt(Shortcut::commandQ(), 5, true));
    EXPECT_EQ(coding::encode(event)["shortcut"]["_0"]["timeMilliseconds"], 5);
    const auto physical = down(PhysicalKey::keypadEqual(), 7);
    EXPECT_EQ(coding::decode<EngineEvent>(coding::encode(physical)), physical);

    struct Failure {
        std::string json;
        std::string description;
    };
    const std::vector<Failure> failures{
        {R"({"physicalKey":{"_0":{}},"shortcut":{"_0":{}}})", "Invalid number of keys found, expected one."},
        {R"({"shortcut":{"_0":{"shortcut":{"modifiers":[],"key":{"escape":{}}},"timeMilliseconds":5}}})",
         "No value associated with key \"isRepeat\". (at shortcut._0)"},
        {R"({"shortcut":{"_0":{"shortcut":{"modifiers":[],"key":{"escape":{}}},"timeMilliseconds":5.5,"isRepeat":false}}})",
         ""},
    };
    for (const auto& failure : failures) {
        try {
            coding::decode<EngineEvent>(Json::parse(failure.json));
            ADD_FAILURE() << "decoded " << failure.json;
        } catch (const DecodingError& error) {
            if (!failure.description.empty()) {
                EXPECT_EQ(error.description(), failure.description) << failure.json;
            }
        }
    }
}

} // namespace
} // namespace tessaril
