// The advanced page driven through the real window: Command keys of the active preset, their delays
// and the grace window, input sources, the status rows and the settings-file entries.
#include <clocale>
#include <optional>
#include <string>

#include <QPointer>

#include "TessarilApp/AppKit/NumberText.hpp"

#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"

namespace tessaril {
namespace {

const std::string delayRange = "秒数は 0.00 から 2.00 の範囲で入力してください。";
const std::string graceRange = "秒数は 0.00 から 0.20 の範囲で入力してください。";
const std::string confirmMessage = "この入力モードを選択しますか？";
const std::string confirmInformative =
    "全角英数・カタカナ・半角カタカナは、macOS側で該当する入力ソースが使える時だけ切り替えできます。"
    "見つからない場合は英数/かな送信エラーとして表示します。";

class AdvancedTabTests : public SettingsPageTest {
protected:
    void startAdvanced(replay::SettingsWindowHarness::Configuration configuration = {}) {
        configuration.tab = SettingsTab::advanced;
        start(std::move(configuration));
    }
    const RuleEngineSettings& active() { return delegate().settings.activeRuleEngineSettings(); }
};

TEST_F(AdvancedTabTests, SavingASecondsFieldStoresClampedMillisecondsAndRefusesTextThatIsNoNumber) {
    struct Case {
        const char* save;
        const char* text;
        std::optional<std::int64_t> milliseconds;
        std::int64_t RuleEngineSettings::*field;
        const std::string* range;
    };
    const Case cases[] = {
        {"updateLeftCommandSeconds", "2.5", 2000, &RuleEngineSettings::leftCommandDelayMilliseconds, &delayRange},
        {"updateRightCommandSeconds", "-1", 0, &RuleEngineSettings::rightCommandDelayMilliseconds, &delayRange},
        {"updateLeftModifiedCommandSeconds", " 0.3 ", 300, &RuleEngineSettings::leftModifiedCommandDelayMilliseconds, &delayRange},
        {"updateRightModifiedCommandSeconds", "0.0015", 2, &RuleEngineSettings::rightModifiedCommandDelayMilliseconds, &delayRange},
        {"updateLeftCommandSeconds", "abc", std::nullopt, &RuleEngineSettings::leftCommandDelayMilliseconds, &delayRange},
        {"updateRightCommandSeconds", "", std::nullopt, &RuleEngineSettings::rightCommandDelayMilliseconds, &delayRange},
        {"updateLeftCommandSeconds", "1e400", std::nullopt, &RuleEngineSettings::leftCommandDelayMilliseconds, &delayRange},
        {"updateModifierGraceWindowSeconds", "0.25", 200, &RuleEngineSettings::modifierGraceWindowMilliseconds, &graceRange},
        {"updateModifierGraceWindowSeconds", "0,1", std::nullopt, &RuleEngineSettings::modifierGraceWindowMilliseconds, &graceRange},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.save) + " \"" + test.text + "\"");
        TessarilSettings stored;
        stored.profiles[KeyboardPreset::laptop].rightCommandDelayMilliseconds = 700;
        startAdvanced({.settings = stored});
        RuleEngineSettings expected = active();
        type({.action = test.save}, test.text);
        EXPECT_TRUE(takeLines().empty()); // typing alone applies nothing
        click({.action = test.save, .title = "保存"});
        if (test.milliseconds) {
            expected.*test.field = *test.milliseconds;
            EXPECT_EQ(takeSaved().size(), 1u);
            EXPECT_EQ(active(), expected);
            EXPECT_EQ(control({.action = test.save})["value"],
                      appkit::formatFixed(static_cast<double>(*test.milliseconds) / 1000.0, 2));
        } else {
            EXPECT_EQ(takeLines(), (std::vector<json>{{{"alert",
                                                         {{"style", "warning"},
                                                          {"message", "保存できません"},
                                                          {"informative", *test.range},
                                                          {"buttons", {"OK"}},
                                                          {"answer", "OK"}}}}}));
            EXPECT_EQ(active(), expected);
            EXPECT_EQ(control({.action = test.save})["value"], test.text);
        }
    }
}

TEST_F(AdvancedTabTests, SecondsAreShownAndReadWithAPointUnderADecimalCommaLocaleAndReturnSaves) {
    // The process locale as Qt sets it from a German environment; the page must not follow it.
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    TessarilSettings stored;
    stored.profiles[KeyboardPreset::laptop].leftCommandDelayMilliseconds = 700;
    startAdvanced({.settings = stored});
    EXPECT_EQ(control({.action = "updateLeftCommandSeconds"})["value"], "0.70");
    EXPECT_EQ(control({.action = "updateModifierGraceWindowSeconds"})["value"], "0.05");

    type({.action = "updateLeftCommandSeconds"}, "0.3");
    pressReturn({.action = "updateLeftCommandSeconds"});
    EXPECT_EQ(takeSaved().size(), 1u);
    EXPECT_EQ(active().leftCommandDelayMilliseconds, 300);
    EXPECT_EQ(control({.action = "updateLeftCommandSeconds"})["value"], "0.30");
    std::setlocale(LC_NUMERIC, previous.c_str());
}

TEST_F(AdvancedTabTests, AModeThatNeedsAnInputSourceIsChosenOnlyAfterTheWarningOthersAtOnce) {
    startAdvanced({.answers = {"キャンセル", "選択する"}});
    const Address left{.action = "updateLeftCommandAction:"};
    EXPECT_EQ(control(left)["items"],
              json({"標準（英数）", "英数", "かな", "全角英数", "カタカナ", "半角カタカナ", "なし"}));
    EXPECT_EQ(control(left)["tooltip"], "この⌘キー単独で送信する入力モード");
    EXPECT_EQ(control({.action = "updateLeftModifiedCommandAction:"})["items"][0], "標準（かな）");
    EXPECT_EQ(control({.action = "updateRightModifiedCommandAction:"})["tooltip"], "この組み合わせで送信する入力モード");

    choose(left, "カタカナ");
    EXPECT_EQ(takeLines(), (std::vector<json>{alert(confirmMessage, confirmInformative, {"選択する", "キャンセル"}, "キャンセル")}));
    EXPECT_EQ(active().leftCommandAction, CommandKeyAction::standard);
    EXPECT_EQ(control(left)["selected"], "標準（英数）");

    choose(left, "カタカナ");
    EXPECT_EQ(takeLines().front()["alert"]["answer"], "選択する");
    EXPECT_EQ(active().leftCommandAction, CommandKeyAction::katakana);
    EXPECT_EQ(control(left)["selected"], "カタカナ");

    choose({.action = "updateRightCommandAction:"}, "なし");
    choose({.action = "updateRightModifiedCommandAction:"}, "英数");
    EXPECT_EQ(takeSaved().size(), 2u); // no question asked
    EXPECT_EQ(active().rightCommandAction, CommandKeyAction::disabled);
    EXPECT_FALSE(active().rightCommandSwitchesToKana());
    EXPECT_EQ(active().rightModifiedCommandAction, ModifiedCommandAction::eisu);
}

TEST_F(AdvancedTabTests, ThePageEditsTheActivePresetWhateverPresetTheOtherPagesEdit) {
    startAdvanced();
    delegate().editingPresetReference = KeyboardPresetReference::builtIn(KeyboardPreset::compactUS);
    const RuleEngineSettings compact = delegate().settings.profiles[KeyboardPreset::compactUS];
    EXPECT_EQ(control({.action = "updateLeftCommandCompanionModifier:"})["items"], json({"⇧", "⌥", "⌃"}));
    choose({.action = "updateLeftCommandCompanionModifier:"}, "⌥");
    type({.action = "updateRightModifiedCommandSeconds"}, "1");
    click({.action = "updateRightModifiedCommandSeconds", .title = "保存"});
    EXPECT_EQ(takeSaved().size(), 2u);
    EXPECT_EQ(delegate().settings.profiles[KeyboardPreset::laptop].leftCommandCompanionModifier, CompanionModifier::option);
    EXPECT_EQ(delegate().settings.profiles[KeyboardPreset::laptop].rightModifiedCommandDelayMilliseconds, 1000);
    EXPECT_EQ(delegate().settings.profiles[KeyboardPreset::compactUS], compact);
    EXPECT_EQ(labelsFrom("⌥+左⌘", 1), std::vector<std::string>{"⌥+左⌘"});
}

TEST_F(AdvancedTabTests, InputSourcesAreListedByNameAndAChoiceIsSavedOutsideTheSettingsDocument) {
    const std::string mode = "com.example.mode";
    startAdvanced({
        .prepareDefaults =
            [](platform::UserDefaults& defaults) {
                defaults.setString("Tessaril.inputSource.katakana.sourceID", "com.example.gone");
                defaults.setString("Tessaril.inputSource.katakana.localizedName", "Gone");
            },
        .inputSources = {{"com.apple.inputmethod.Kotoeri", "com.apple.inputmethod.Japanese.Katakana", "ことえり"},
                         {"com.example.dup", mode, "Dup Late"},
                         {"com.apple.keylayout.ABC", std::nullopt, "ABC"},
                         {"com.example.dup", mode, "Dup Early"}},
    });
    MacInputModeDispatcher& dispatcher = delegate().inputModeDispatcher();
    const Address fullWidth{.action = "updateFullWidthRomanInputSource:"};
    const Address katakana{.action = "updateKatakanaInputSource:"};
    const json listed = {"自動検出", "-", "ABC / com.apple.keylayout.ABC", "Dup Early / " + mode, "Dup Late / " + mode,
                         "ことえり / com.apple.inputmethod.Japanese.Katakana"};
    EXPECT_EQ(control(fullWidth)["items"], listed);
    EXPECT_EQ(control(fullWidth)["selected"], "自動検出");
    EXPECT_EQ(control(fullWidth)["tooltip"], "全角英数に使う入力ソース");
    json withGone = listed;
    withGone.push_back("Gone / com.example.gone（未検出）");
    EXPECT_EQ(control(katakana)["items"], withGone);
    EXPECT_EQ(control(katakana)["selected"], "Gone / com.example.gone（未検出）");
    EXPECT_EQ(labelsFrom("カタカナ", 3), (std::vector<std::string>{"カタカナ", "指定済み", "現在を使用"}));
    EXPECT_EQ(labelsFrom("半角カタカナ", 2)[1], "自動検出");

    // Choosing the missing source again keeps it.
    choose(katakana, "Gone / com.example.gone（未検出）");
    EXPECT_EQ(dispatcher.configuredInputSource(InputMode::katakana),
              (MacInputSourceSelection{"com.example.gone", std::nullopt, "Gone"}));
    // Two sources alike but for their names: the first by name is the one saved.
    choose(fullWidth, "Dup Late / " + mode);
    EXPECT_EQ(dispatcher.configuredInputSource(InputMode::fullWidthRoman),
              (MacInputSourceSelection{"com.example.dup", mode, "Dup Early"}));
    EXPECT_EQ(control(fullWidth)["selected"], "Dup Early / " + mode);
    choose(katakana, "自動検出");
    EXPECT_EQ(dispatcher.configuredInputSource(InputMode::katakana), std::nullopt);
    EXPECT_EQ(control(katakana)["selected"], "自動検出");
    EXPECT_TRUE(takeLines().empty()); // the settings document is never saved for these

    // Defaults that cannot be written keep the saved choice and say so in the status text.
    harness->standardDefaults().setWriteFailure("read-only");
    choose(fullWidth, "ABC / com.apple.keylayout.ABC");
    EXPECT_EQ(delegate().lastStatus, "入力送信エラー: UserDefaultsWriteError");
    EXPECT_EQ(control(fullWidth)["selected"], "Dup Early / " + mode);
}

TEST_F(AdvancedTabTests, UsingTheCurrentSourceSavesItOrSaysInTheStatusWhyNot) {
    startAdvanced();
    const auto kotoeri = harness->inputSources().install(
        {"com.apple.inputmethod.Kotoeri", "com.apple.inputmethod.Japanese.HalfWidthKana", "ことえり"});
    harness->inputSources().makeCurrent(kotoeri);
    click({.action = "saveCurrentInputSourceForHalfWidthKatakana"});
    EXPECT_EQ(delegate().inputModeDispatcher().configuredInputSource(InputMode::halfWidthKatakana),
              (MacInputSourceSelection{"com.apple.inputmethod.Kotoeri", "com.apple.inputmethod.Japanese.HalfWidthKana", "ことえり"}));
    EXPECT_EQ(labelsFrom("半角カタカナ", 2)[1], "指定済み");

    harness->inputSources().setCurrentUnavailable(true);
    QPointer<QWidget> shown = content();
    click({.action = "saveCurrentInputSourceForKatakana"});
    EXPECT_EQ(delegate().lastStatus, "入力送信エラー: MacInputModeDispatcherError");
    EXPECT_EQ(delegate().inputModeDispatcher().configuredInputSource(InputMode::katakana), std::nullopt);
    EXPECT_TRUE(shown); // not rebuilt
    EXPECT_TRUE(takeLines().empty());
}

TEST_F(AdvancedTabTests, TheStatusRowsTellThePermissionTheKanaKeyboardAndTheInputDetection) {
    for (const bool ready : {false, true}) {
        startAdvanced({.accessibilityTrusted = ready, .kanaModeKeyboardReady = ready});
        EXPECT_EQ(labelsFrom("アクセシビリティ", 4),
                  (std::vector<std::string>{"アクセシビリティ", ready ? "許可済み" : "確認が必要", "キーボード入力の監視", "設定を開く"}));
        EXPECT_EQ(labelsFrom("英数/かなキー", 2)[1], ready ? "動作中" : "利用できません");
        EXPECT_EQ(labelsFrom("入力の検知", 2)[1], ready ? "動作中" : "停止中");
    }
    takeLines();
    click({.action = "openAccessibilitySettings"});
    EXPECT_EQ(takeLines(), (std::vector<json>{{{"alert",
                                                {{"style", "informational"},
                                                 {"message", "アクセシビリティの設定はありません"},
                                                 {"informative", "この環境ではアクセシビリティ権限は常に許可済みとして扱われます。"},
                                                 {"buttons", {"OK"}},
                                                 {"answer", "OK"}}}}}));
    EXPECT_TRUE(harness->workspace().openedURLs().empty());
    EXPECT_EQ(each({.title = "書き出し"}, "action"), (std::vector<std::string>{"", "exportSettings"}));
    EXPECT_EQ(control({.action = "importSettings"})["title"], "読み込み");
    EXPECT_EQ(control({.action = "resetAllSettingsToFactoryDefaults"})["title"], "初期化");
}

} // namespace
} // namespace tessaril
