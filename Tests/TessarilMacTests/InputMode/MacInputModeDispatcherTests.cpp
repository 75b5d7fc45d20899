#include "TessarilMac/InputMode/MacInputModeDispatcher.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>

#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/Foundation/UserDefaultsWriteError.hpp"
#include "Platform/Logging/RecordingLogSink.hpp"
#include "TessarilMacTests/InputMode/KotoeriInputSources.hpp"

namespace tessaril {
namespace {

using platform::InputSourceProperties;
using platform::InputSourceSelectionRecord;

template <class Body> std::optional<MacInputModeDispatcherError> dispatcherError(Body&& body) {
    try {
        body();
    } catch (const MacInputModeDispatcherError& error) {
        return error;
    }
    return std::nullopt;
}

class MacInputModeDispatcherTests : public ::testing::Test {
protected:
    platform::VirtualUptimeClock clock;
    platform::VirtualScheduler scheduler{clock};
    platform::InputSourceService inputSources{scheduler};
    platform::UserDefaults defaults;
    std::shared_ptr<platform::RecordingLogSink> log = std::make_shared<platform::RecordingLogSink>();
    MacInputModeDispatcher dispatcher{MacInputSourceIDs::applicationDefaults(), defaults, inputSources, log};

    platform::InputSourceRef abc = inputSources.install({"com.apple.keylayout.ABC", std::nullopt, "ABC", true, true});
    test_support::KotoeriInputSources kotoeri = test_support::KotoeriInputSources::install(inputSources);
    platform::InputSourceRef otherKatakana =
        inputSources.install({"com.example.KatakanaIM", std::nullopt, "Other katakana", true, true});

    std::vector<std::string> inputModeLog() const { return log->messages("input-mode"); }
    std::optional<std::string> selectedSourceID() const {
        const auto current = inputSources.currentSource();
        return current ? inputSources.properties(*current)->sourceID : std::nullopt;
    }
};

TEST_F(MacInputModeDispatcherTests, modeKeysGoToTheSenderOnceItIsInstalled) {
    for (const auto mode : {InputMode::eisu, InputMode::kana}) {
        EXPECT_EQ(dispatcherError([&] { dispatcher.setInputMode(mode); }),
                  MacInputModeDispatcherError::modeKeyUnavailable(mode));
    }
    EXPECT_TRUE(inputModeLog().empty());

    std::vector<InputMode> sent;
    dispatcher.setModeKeySender([&](InputMode mode) { sent.push_back(mode); });
    dispatcher.setInputMode(InputMode::kana);
    dispatcher.setInputMode(InputMode::eisu);

    EXPECT_EQ(sent, (std::vector<InputMode>{InputMode::kana, InputMode::eisu}));
    EXPECT_EQ(inputModeLog(), (std::vector<std::string>{"mode key queued mode=kana", "mode key queued mode=eisu"}));
    EXPECT_TRUE(inputSources.selections().empty());
    ASSERT_FALSE(log->records().empty());
    EXPECT_EQ(log->records()[0].subsystem, "com.tessaril.Tessaril");
}

TEST_F(MacInputModeDispatcherTests, theOtherModesSelectTheResolversChoice) {
    const std::vector<std::pair<InputMode, std::string>> cases = {
        {InputMode::katakana, test_support::KotoeriInputSources::katakanaSourceID},
        {InputMode::halfWidthKatakana, test_support::KotoeriInputSources::halfWidthSourceID},
        {InputMode::fullWidthRoman, test_support::KotoeriInputSources::fullWidthRomanSourceID},
    };
    for (const auto& [mode, sourceID] : cases) {
        dispatcher.setInputMode(mode);
        EXPECT_EQ(selectedSourceID(), sourceID);
    }
    EXPECT_EQ(inputModeLog(),
              (std::vector<std::string>{
                  "TISSelectInputSource result mode=katakana "
                  "sourceID=com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.Katakana "
                  "inputModeID=com.apple.inputmethod.Japanese.Katakana status=0",
                  "TISSelectInputSource result mode=halfWidthKatakana "
                  "sourceID=com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.HalfWidthKana "
                  "inputModeID=com.apple.inputmethod.Japanese.HalfWidthKana status=0",
                  "TISSelectInputSource result mode=fullWidthRoman "
                  "sourceID=com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.FullWidthRoman "
                  "inputModeID=com.apple.inputmethod.Japanese.FullWidthRoman status=0",
              }));
}

TEST_F(MacInputModeDispatcherTests, aSavedSourceWinsWhileItIsEnabled) {
    dispatcher.saveInputSource({"com.example.KatakanaIM", std::nullopt, "Other katakana"}, InputMode::katakana);
    dispatcher.setInputMode(InputMode::katakana);
    EXPECT_EQ(selectedSourceID(), "com.example.KatakanaIM");
    EXPECT_EQ(inputModeLog().back(),
              "TISSelectInputSource result mode=katakana sourceID=com.example.KatakanaIM inputModeID=none status=0");

    inputSources.setEnabled(otherKatakana, false);
    dispatcher.setInputMode(InputMode::katakana);
    EXPECT_EQ(selectedSourceID(), test_support::KotoeriInputSources::katakanaSourceID)
        << "a disabled saved source is passed over for the resolver's choice";
}

TEST_F(MacInputModeDispatcherTests, everyFailureOfTheInputSourceServiceReachesItsError) {
    // A refused saved source is thrown at once; the resolver is not tried.
    dispatcher.saveInputSource({"com.example.KatakanaIM", std::nullopt, "Other katakana"}, InputMode::katakana);
    inputSources.setSelectionStatus(otherKatakana, -25);
    EXPECT_EQ(dispatcherError([&] { dispatcher.setInputMode(InputMode::katakana); }),
              MacInputModeDispatcherError::inputSourceSelectionFailed(InputMode::katakana, -25));
    EXPECT_EQ(inputSources.selections(),
              (std::vector<InputSourceSelectionRecord>{{"com.example.KatakanaIM", std::nullopt, -25}}));
    EXPECT_EQ(inputModeLog().back(),
              "TISSelectInputSource result mode=katakana sourceID=com.example.KatakanaIM inputModeID=none status=-25");

    // A refused resolver choice.
    inputSources.setSelectionStatus(kotoeri.halfWidth, -50);
    EXPECT_EQ(dispatcherError([&] { dispatcher.setInputMode(InputMode::halfWidthKatakana); }),
              MacInputModeDispatcherError::inputSourceSelectionFailed(InputMode::halfWidthKatakana, -50));

    // No candidate at all, and no listing.
    inputSources.setEnabled(kotoeri.fullWidthRoman, false);
    EXPECT_EQ(dispatcherError([&] { dispatcher.setInputMode(InputMode::fullWidthRoman); }),
              MacInputModeDispatcherError::inputSourceNotFound(InputMode::fullWidthRoman));
    inputSources.setListUnavailable(true);
    EXPECT_EQ(dispatcherError([&] { dispatcher.setInputMode(InputMode::katakana); }),
              MacInputModeDispatcherError::inputSourceNotFound(InputMode::katakana));
    EXPECT_TRUE(dispatcher.availableInputSources().empty());
    EXPECT_EQ(dispatcherError([&] { dispatcher.resolvedInputSourceConfiguration(); }),
              MacInputModeDispatcherError::inputSourceAutoConfigurationFailed());

    // The current source: unreadable, or without a source identifier.
    EXPECT_EQ(dispatcherError([&] { dispatcher.currentInputSource(); }),
              MacInputModeDispatcherError::currentInputSourceUnavailable());
    const auto anonymous = inputSources.install({std::nullopt, std::nullopt, "anonymous", true, true});
    inputSources.makeCurrent(anonymous);
    EXPECT_EQ(dispatcherError([&] { dispatcher.currentInputSource(); }),
              MacInputModeDispatcherError::currentInputSourceUnavailable());
    EXPECT_EQ(dispatcher.currentInputMode(), std::nullopt);
    EXPECT_EQ(dispatcherError([&] { dispatcher.saveCurrentInputSource(InputMode::eisu); }),
              MacInputModeDispatcherError::currentInputSourceUnavailable());
    EXPECT_EQ(dispatcher.configuredInputSource(InputMode::eisu), std::nullopt) << "nothing saved after a failure";
}

// The status text shows only the type's name; the description names the case and its payload for the
// logs.
TEST(MacInputModeDispatcherErrorTests, descriptionsNameTheCaseAndItsPayload) {
    using Failure = MacInputModeDispatcherError;
    const std::pair<Failure, std::string> cases[] = {
        {Failure::inputSourceNotFound(InputMode::fullWidthRoman), "inputSourceNotFound(fullWidthRoman)"},
        {Failure::inputSourceSelectionFailed(InputMode::halfWidthKatakana, -50),
         "inputSourceSelectionFailed(halfWidthKatakana, -50)"},
        {Failure::inputSourceSelectionFailed(InputMode::katakana, 0), "inputSourceSelectionFailed(katakana, 0)"},
        {Failure::modeKeyUnavailable(InputMode::kana), "modeKeyUnavailable(kana)"},
        {Failure::inputSourceAutoConfigurationFailed(), "inputSourceAutoConfigurationFailed"},
        {Failure::currentInputSourceUnavailable(), "currentInputSourceUnavailable"},
        {Failure::carbonUnavailable(), "carbonUnavailable"},
    };
    for (const auto& [error, description] : cases) {
        EXPECT_EQ(error.description(), description);
        EXPECT_EQ(error.typeName(), "MacInputModeDispatcherError");
    }
}

TEST_F(MacInputModeDispatcherTests, savedSourcesLiveUnderTheirDefaultsKeys) {
    dispatcher.saveInputSource({"com.apple.keylayout.ABC", "com.example.mode", "ABC"}, InputMode::fullWidthRoman);
    EXPECT_EQ(defaults.string("Tessaril.inputSource.fullWidthRoman.sourceID"), "com.apple.keylayout.ABC");
    EXPECT_EQ(defaults.string("Tessaril.inputSource.fullWidthRoman.inputModeID"), "com.example.mode");
    EXPECT_EQ(defaults.string("Tessaril.inputSource.fullWidthRoman.localizedName"), "ABC");

    dispatcher.saveInputSource({"com.apple.keylayout.US", std::nullopt, "U.S."}, InputMode::fullWidthRoman);
    EXPECT_FALSE(defaults.hasValue("Tessaril.inputSource.fullWidthRoman.inputModeID"));
    EXPECT_EQ(dispatcher.configuredInputSource(InputMode::fullWidthRoman),
              (MacInputSourceSelection{"com.apple.keylayout.US", std::nullopt, "U.S."}));

    defaults.removeObject("Tessaril.inputSource.fullWidthRoman.localizedName");
    EXPECT_EQ(dispatcher.configuredInputSource(InputMode::fullWidthRoman),
              (MacInputSourceSelection{"com.apple.keylayout.US", std::nullopt, "com.apple.keylayout.US"}));

    dispatcher.saveInputSource({"x", "y", "z"}, InputMode::kana);
    dispatcher.clearInputSource(InputMode::kana);
    for (const auto* field : {"sourceID", "inputModeID", "localizedName"}) {
        EXPECT_FALSE(defaults.hasValue(std::string("Tessaril.inputSource.kana.") + field)) << field;
    }

    inputSources.makeCurrent(kotoeri.hiragana);
    EXPECT_EQ(dispatcher.saveCurrentInputSource(InputMode::kana),
              (MacInputSourceSelection{"com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese",
                                       "com.apple.inputmethod.Japanese", "ひらがな"}));
    EXPECT_EQ(dispatcher.configuredInputSource(InputMode::kana), dispatcher.currentInputSource());
    EXPECT_EQ(dispatcher.currentInputMode(), InputMode::kana);

    defaults.setWriteFailure("read-only");
    EXPECT_THROW(dispatcher.saveInputSource({"a", std::nullopt, "b"}, InputMode::eisu), platform::UserDefaultsWriteError);
}

TEST_F(MacInputModeDispatcherTests, listingKeepsSelectableSourcesWithAnIdentifierInSystemOrder) {
    inputSources.install({"com.apple.CharacterPaletteIM", std::nullopt, "Emoji", false, true});
    inputSources.install({std::nullopt, std::nullopt, "no identifier", true, true});
    inputSources.install({"com.example.unnamed", std::nullopt, std::nullopt, true, true});
    inputSources.setEnabled(kotoeri.halfWidth, false);

    std::vector<std::string> titles;
    for (const auto& selection : dispatcher.availableInputSources()) titles.push_back(selection.menuTitle());
    EXPECT_EQ(titles, (std::vector<std::string>{
                          "ABC / com.apple.keylayout.ABC",
                          "ひらがな / com.apple.inputmethod.Japanese",
                          "カタカナ / com.apple.inputmethod.Japanese.Katakana",
                          "全角英字 / com.apple.inputmethod.Japanese.FullWidthRoman",
                          "Other katakana / com.example.KatakanaIM",
                          "com.example.unnamed / com.example.unnamed",
                      }));
    EXPECT_EQ(dispatcher.resolvedInputSourceConfiguration().kana.localizedName, "ひらがな");
}

TEST(ThreadedMacInputModeDispatcherTests, theSenderCanBeReplacedWhileOtherThreadsSwitchModes) {
    platform::VirtualUptimeClock clock;
    platform::VirtualScheduler scheduler{clock};
    platform::InputSourceService inputSources{scheduler};
    platform::UserDefaults defaults;
    MacInputModeDispatcher dispatcher{MacInputSourceIDs::applicationDefaults(), defaults, inputSources, nullptr};
    std::atomic<int> first{0};
    std::atomic<int> second{0};
    dispatcher.setModeKeySender([&](InputMode) { ++first; });

    std::vector<std::thread> callers;
    for (int thread = 0; thread < 4; ++thread) {
        callers.emplace_back([&] {
            for (int call = 0; call < 500; ++call) dispatcher.setInputMode(InputMode::eisu);
        });
    }
    for (int swap = 0; swap < 200; ++swap) {
        dispatcher.setModeKeySender([&first, &second, swap](InputMode) { ++(swap % 2 == 0 ? second : first); });
    }
    for (auto& caller : callers) caller.join();
    EXPECT_EQ(first + second, 2000);
}

} // namespace
} // namespace tessaril
