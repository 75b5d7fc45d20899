#include "Platform/TextInputSources/InputSourceService.hpp"

#include <gtest/gtest.h>

#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"

namespace tessaril::platform {
namespace {

class InputSourceServiceTests : public ::testing::Test {
protected:
    VirtualUptimeClock clock;
    VirtualScheduler scheduler{clock};
    InputSourceService service{scheduler};
    InputSourceRef abc = service.install({"com.apple.keylayout.ABC", std::nullopt, "ABC", true, true});
    InputSourceRef hiragana = service.install({"com.apple.inputmethod.Kotoeri.RomajiTyping",
                                               "com.apple.inputmethod.Japanese", "ひらがな", true, true});
    InputSourceRef katakana = service.install({"com.apple.inputmethod.Kotoeri.RomajiTyping",
                                               "com.apple.inputmethod.Japanese.Katakana", "カタカナ", true, false});
    InputSourceRef palette = service.install({"com.apple.CharacterPaletteIM", std::nullopt, "Emoji", false, true});
};

TEST_F(InputSourceServiceTests, listingFiltersByEnablementAndProperties) {
    struct Case {
        std::optional<InputSourceFilter> filter;
        bool includeAllInstalled;
        std::vector<InputSourceRef> expected;
    };
    const std::vector<Case> cases = {
        {std::nullopt, false, {abc, hiragana, palette}},
        {std::nullopt, true, {abc, hiragana, katakana, palette}},
        {InputSourceFilter{"com.apple.inputmethod.Kotoeri.RomajiTyping", std::nullopt}, false, {hiragana}},
        {InputSourceFilter{"com.apple.inputmethod.Kotoeri.RomajiTyping", std::nullopt}, true, {hiragana, katakana}},
        {InputSourceFilter{"com.apple.inputmethod.Kotoeri.RomajiTyping", "com.apple.inputmethod.Japanese.Katakana"},
         true,
         {katakana}},
        {InputSourceFilter{std::nullopt, "com.apple.inputmethod.Japanese"}, false, {hiragana}},
        {InputSourceFilter{"com.example.missing", std::nullopt}, false, {}},
    };
    for (std::size_t index = 0; index < cases.size(); ++index) {
        EXPECT_EQ(service.createInputSourceList(cases[index].filter, cases[index].includeAllInstalled), cases[index].expected)
            << "case " << index;
    }
    service.setListUnavailable(true);
    EXPECT_EQ(service.createInputSourceList(std::nullopt), std::nullopt);
}

TEST_F(InputSourceServiceTests, selectionAnswersAStatusAndNotifiesOnTheMainExecutor) {
    int notifications = 0;
    const auto token = service.addSelectedSourceChangedObserver([&] {
        EXPECT_TRUE(scheduler.isCurrent());
        ++notifications;
    });
    service.setSelectionStatus(hiragana, -25);

    EXPECT_EQ(service.selectInputSource(abc), 0);
    EXPECT_EQ(service.selectInputSource(abc), 0);       // already current: no second notification
    EXPECT_EQ(service.selectInputSource(katakana), -50); // disabled
    EXPECT_EQ(service.selectInputSource(palette), -50);  // not select-capable
    EXPECT_EQ(service.selectInputSource(hiragana), -25); // refused by the system
    EXPECT_EQ(service.selectInputSource(InputSourceRef{999}), -50);
    EXPECT_EQ(notifications, 0) << "notifications are delivered on the main executor";
    scheduler.runUntilIdle();
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(service.copyCurrentKeyboardInputSource(), abc);

    service.setSelectionStatus(hiragana, std::nullopt);
    EXPECT_EQ(service.selectInputSource(hiragana), 0);
    service.makeCurrent(katakana); // an input method switching modes
    scheduler.runUntilIdle();
    EXPECT_EQ(notifications, 3);
    EXPECT_EQ(service.copyCurrentKeyboardInputSource(), katakana);

    service.removeSelectedSourceChangedObserver(token);
    service.makeCurrent(abc);
    scheduler.runUntilIdle();
    EXPECT_EQ(notifications, 3);

    const std::vector<InputSourceSelectionRecord> expected = {
        {"com.apple.keylayout.ABC", std::nullopt, 0},
        {"com.apple.keylayout.ABC", std::nullopt, 0},
        {"com.apple.inputmethod.Kotoeri.RomajiTyping", "com.apple.inputmethod.Japanese.Katakana", -50},
        {"com.apple.CharacterPaletteIM", std::nullopt, -50},
        {"com.apple.inputmethod.Kotoeri.RomajiTyping", "com.apple.inputmethod.Japanese", -25},
        {std::nullopt, std::nullopt, -50},
        {"com.apple.inputmethod.Kotoeri.RomajiTyping", "com.apple.inputmethod.Japanese", 0},
    };
    EXPECT_EQ(service.selections(), expected);
}

TEST_F(InputSourceServiceTests, theCurrentSourceCanBeUnreadable) {
    EXPECT_EQ(service.copyCurrentKeyboardInputSource(), std::nullopt) << "nothing selected yet";
    service.makeCurrent(abc);
    service.setCurrentUnavailable(true);
    EXPECT_EQ(service.copyCurrentKeyboardInputSource(), std::nullopt);
    EXPECT_EQ(service.currentSource(), abc);
    EXPECT_EQ(service.properties(abc)->localizedName, "ABC");
    EXPECT_EQ(service.properties(InputSourceRef{999}), std::nullopt);
}

} // namespace
} // namespace tessaril::platform
