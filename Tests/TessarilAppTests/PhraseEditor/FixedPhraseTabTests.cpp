// The fixed-phrase page driven through the real window: panels in each target state, every rule
// action with its refusals, drafts over every kind of rebuild, the questions before edits are
// dropped, the source view, previews and the editor's appearance.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QImage>
#include <QTextBlock>
#include <QTextLayout>

#include "Platform/Foundation/DataEncoding.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorState.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseStoredRTF.hpp"
#include "TessarilApp/PhraseEditor/PasteboardRichText.hpp"
#include "TessarilApp/PhraseEditor/TessarilTextView.hpp"
#include "TessarilAppTests/PhraseEditor/RichTextSamples.hpp"
#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"

namespace tessaril {
namespace {

using platform::AttributedText;
using platform::TextAttributes;
using testing::richText;
using testing::withFont;

constexpr const char* unsavedMessage = "保存してください";
constexpr const char* unsavedInformative = "本文とタイトルの変更を保存してから操作してください。";
constexpr const char* discardMessage = "保存されていない定型文があります";
constexpr const char* discardInformative = "保存していない変更は破棄され、保存前の状態に戻ります。移動しますか？";

std::string rtfBase64(const AttributedText& text) { return platform::data_encoding::base64Encoded(rtfData(text)); }

FixedPhraseRule plainRule(const std::string& id, const std::string& title, const std::string& text,
                          FixedPhrasePreviewMode preview = FixedPhrasePreviewMode::raw) {
    return FixedPhraseRule(id, title, false, std::nullopt, text, std::nullopt, std::nullopt,
                           FixedPhraseInsertionFormat::plain, FixedPhraseInputMode::plain, preview,
                           FixedPhraseInsertionMode::text);
}

FixedPhraseRule richRule(const std::string& id, const std::string& title, const AttributedText& body,
                         FixedPhrasePreviewMode preview = FixedPhrasePreviewMode::html) {
    return FixedPhraseRule(id, title, false, std::nullopt, body.utf8String(), rtfBase64(body), std::nullopt,
                           FixedPhraseInsertionFormat::rich, FixedPhraseInputMode::rich, preview,
                           FixedPhraseInsertionMode::visual);
}

AttributedText boldBody() {
    return richText({{u"前", testing::system14()}, {u"太字", testing::bold14()}, {u"後", testing::system14()}});
}

FixedPhraseAssistSettings phrasesOf(std::vector<FixedPhraseRule> rules) { return FixedPhraseAssistSettings{std::move(rules)}; }

// Default rules A (plain) and B (rich, bold); an application following the default, one with its own
// empty list, a set member with one rule.
TessarilSettings phraseDocument() {
    TessarilSettings settings;
    settings.fixedPhraseAssist = phrasesOf({plainRule("a", "挨拶", "了解です。"), richRule("b", "署名", boldBody())});
    settings.fixedPhraseAssist.rules[0].trigger =
        Shortcut{ShortcutModifierSet{ShortcutModifier::command, ShortcutModifier::option}, ShortcutKey::character("a")};
    settings.appFixedPhraseAssistSettings["com.example.follows"] = {"Follows", true, phrasesOf({plainRule("x", "X", "x")})};
    settings.appFixedPhraseAssistSettings["com.example.own"] = {"Own", false, {}};
    settings.fixedPhraseAssistSets.emplace_back("set-1", "仕事", phrasesOf({plainRule("s", "セット", "s")}),
                                                std::vector<SettingsSetAppTarget>{{"com.example.member", "Member"}});
    return settings;
}

class FixedPhraseTabTests : public SettingsPageTest {
protected:
    void startPhrases(std::optional<std::string> app = std::nullopt, TessarilSettings settings = phraseDocument(),
                      std::vector<std::string> answers = {}) {
        start({.settings = std::move(settings), .tab = SettingsTab::fixedPhrases, .answers = std::move(answers)});
        delegate().selectedFixedPhraseAppBundleIdentifier = std::move(app);
        rebuild();
        takeLines();
    }
    // A panel is made as it scrolls into view; the driver scrolls to it as a person would.
    void scrollToPanel(const std::string& id) { harness->driver().find({.action = "saveFixedPhraseRule:", .identifier = id}); }
    TessarilTextView& editor(const std::string& id) {
        scrollToPanel(id);
        auto* view = qobject_cast<TessarilTextView*>(delegate().fixedPhraseTextViews.at(id).data());
        EXPECT_NE(view, nullptr);
        return *view;
    }
    TessarilTextView& preview(const std::string& id) {
        scrollToPanel(id);
        return *qobject_cast<TessarilTextView*>(delegate().fixedPhrasePreviewTextViews.at(id).data());
    }
    // Replaces the body as the user's typing would.
    void typeBody(const std::string& id, const std::string& text) {
        editor(id).selectAll();
        editor(id).insertPlainText(QString::fromStdString(text));
        harness->finishStep();
    }
    void typeTitle(const std::string& id, const std::string& text) {
        type({.identifier = id, .placeholder = "タイトル（任意）"}, text);
    }
    std::string body(const std::string& id) { return editor(id).attributedText().utf8String(); }
    bool isUnsaved(const std::string& id) { return FixedPhraseEditorState(delegate()).hasUnsavedFixedPhraseEdits(id); }
    std::vector<FixedPhraseRule> storedRules() { return delegate().settings.fixedPhraseAssist.rules; }
};

TEST_F(FixedPhraseTabTests, PanelsFollowTheTargetsEditability) {
    struct Case {
        std::optional<std::string> app;
        std::vector<std::string> titles;
        bool editable;
        std::vector<std::string> deleteEnabled;
        bool emptyNote;
    };
    const Case cases[] = {
        {std::nullopt, {"挨拶", "署名"}, true, {"true", "true"}, false},
        {"com.example.follows", {"挨拶", "署名"}, false, {"false", "false"}, false},
        {"com.example.member", {"セット"}, true, {"false"}, false},
        {"com.example.own", {}, true, {}, true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.app.value_or("default"));
        startPhrases(test.app);
        EXPECT_EQ(each({.placeholder = "タイトル（任意）"}, "value"), test.titles);
        std::vector<std::string> deleteEnabled;
        for (const auto& line : harness->driver().queryAll({.action = "deleteFixedPhraseRule:"})) {
            deleteEnabled.push_back(line["control"]["enabled"].dump());
        }
        EXPECT_EQ(deleteEnabled, test.deleteEnabled);
        EXPECT_EQ(labelsFrom("登録済みの定型文はありません。", 1).size(), test.emptyNote ? 1u : 0u);
        EXPECT_EQ(control({.action = "addFixedPhraseRule"}).is_null(), !test.editable);
        EXPECT_EQ(labelsFrom("この対象はデフォルト設定を使っています。個別に変える場合は「デフォルト準拠」をOFFにしてください。", 1).size(),
                  test.editable ? 0u : 1u);
        if (test.titles.empty()) continue;
        for (const char* action : {"saveFixedPhraseRule:", "toggleFixedPhraseRuleEnabled:", "beginShortcutCapture:",
                                   "updateFixedPhraseInsertionMode:", "updateFixedPhrasePreviewMode:",
                                   "toggleFixedPhrasePresetScope:", "applyFixedPhraseRichStyle:"}) {
            EXPECT_EQ(control({.action = action})["enabled"], test.editable) << action;
        }
        EXPECT_EQ(control({.action = "toggleFixedPhraseEditorAppearance:"})["enabled"], true);
        EXPECT_EQ(control({.action = "toggleFixedPhraseSourceEditor:"})["enabled"], true);
        EXPECT_EQ(editor(delegate().fixedPhraseTextViews.begin()->first).isReadOnly(), !test.editable);
    }
}

TEST_F(FixedPhraseTabTests, TheShortcutButtonShowsTheTriggerOrTheRunningCapture) {
    startPhrases();
    EXPECT_EQ(each({.action = "beginShortcutCapture:"}, "title"), (std::vector<std::string>{"⌘+⌥+A", "未設定"}));
    EXPECT_EQ(control({.action = "beginShortcutCapture:"})["identifier"], "fixedPhrase:a");
    EXPECT_EQ(control({.action = "beginShortcutCapture:"})["tooltip"], "⌘+⌥+A");

    delegate().shortcutCaptureTarget = ShortcutCaptureTarget{ShortcutCaptureTarget::FixedPhrase{"b"}};
    rebuild();
    const auto capturing = control({.action = "beginShortcutCapture:", .identifier = "fixedPhrase:b"});
    EXPECT_EQ(capturing["title"], "キー入力中...");
    EXPECT_EQ(capturing["tooltip"], "設定したいショートカットを押してください。Escでキャンセルします。");
    EXPECT_EQ(control({.action = "beginShortcutCapture:", .identifier = "fixedPhrase:a"})["title"], "⌘+⌥+A");
}

TEST_F(FixedPhraseTabTests, ARuleWithUnsavedEditsRecordsNoShortcutWhileAnUntouchedOneDoes) {
    startPhrases();
    typeBody("a", "変更しました。");
    click({.action = "beginShortcutCapture:", .identifier = "fixedPhrase:a"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert(unsavedMessage, unsavedInformative, {"OK"}, "OK")});
    EXPECT_FALSE(delegate().shortcutCaptureTarget.has_value());

    click({.action = "beginShortcutCapture:", .identifier = "fixedPhrase:b"});
    EXPECT_EQ(delegate().shortcutCaptureTarget, ShortcutCaptureTarget{ShortcutCaptureTarget::FixedPhrase{"b"}});
    EXPECT_EQ(body("a"), "変更しました。");
}

TEST_F(FixedPhraseTabTests, AddingAppendsASwitchedOffRuleAndWaitsForUnsavedTitles) {
    startPhrases();
    click({.action = "addFixedPhraseRule"});
    ASSERT_EQ(storedRules().size(), 3u);
    const FixedPhraseRule added = storedRules()[2];
    EXPECT_FALSE(added.id.empty());
    EXPECT_EQ(added, FixedPhraseRule(added.id, "", false, std::nullopt, "※画像はイメージです", std::nullopt, std::nullopt,
                                     FixedPhraseInsertionFormat::rich, FixedPhraseInputMode::rich,
                                     FixedPhrasePreviewMode::raw, FixedPhraseInsertionMode::visual,
                                     keyboard_preset::standardSet));
    EXPECT_EQ(body(added.id), "※画像はイメージです");
    EXPECT_FALSE(delegate().hasUnsavedFixedPhraseEdits());
    takeLines();

    typeTitle(added.id, "新しい題");
    click({.action = "addFixedPhraseRule"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert(unsavedMessage, unsavedInformative, {"OK"}, "OK")});
    EXPECT_EQ(storedRules().size(), 3u);
}

TEST_F(FixedPhraseTabTests, SavingStoresTheTrimmedTitleAndTheBodyAsTypedFromEitherEditor) {
    TessarilSettings settings = phraseDocument();
    settings.fixedPhraseAssist.rules[0].htmlText = "<b>古い</b>";
    startPhrases(std::nullopt, settings);
    typeTitle("a", "  新しい題\n");
    typeBody("a", "  本文です");
    click({.action = "saveFixedPhraseRule:", .identifier = "a"});
    FixedPhraseRule saved = storedRules()[0];
    EXPECT_EQ(saved.title, "新しい題");
    EXPECT_EQ(saved.plainText, "  本文です");
    EXPECT_EQ(saved.inputMode, FixedPhraseInputMode::rich);
    ASSERT_TRUE(saved.richTextRTFBase64);
    EXPECT_EQ(FixedPhraseStoredRTF::read(saved.richTextRTFBase64)->text.utf8String(), "  本文です");
    EXPECT_EQ(saved.htmlText, std::nullopt);
    // The insertion mode was plain text, so the format follows it.
    EXPECT_EQ(saved.insertionFormat, FixedPhraseInsertionFormat::plain);
    EXPECT_FALSE(delegate().hasUnsavedFixedPhraseEdits());
    EXPECT_EQ(takeSaved().size(), 1u);

    typeBody("a", " \n\t ");
    click({.action = "saveFixedPhraseRule:", .identifier = "a"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert("保存できません", "本文に入力してください。", {"OK"}, "OK")});
    EXPECT_EQ(storedRules()[0], saved);

    typeBody("a", "  本文です");
    click({.action = "toggleFixedPhraseSourceEditor:", .identifier = "a"});
    typeBody("a", "**強調**\n");
    click({.action = "saveFixedPhraseRule:", .identifier = "a"});
    saved = storedRules()[0];
    EXPECT_EQ(saved.plainText, "**強調**\n");
    EXPECT_EQ(saved.richTextRTFBase64, std::nullopt);
    EXPECT_EQ(saved.inputMode, FixedPhraseInputMode::plain);
    // Saving leaves the source view open.
    EXPECT_EQ(control({.action = "toggleFixedPhraseSourceEditor:", .identifier = "a"})["title"], "本文");
    EXPECT_FALSE(delegate().hasUnsavedFixedPhraseEdits());
}

TEST_F(FixedPhraseTabTests, ModesAreSavedAtOnceAndAreNoUnsavedEditThemselves) {
    startPhrases();
    choose({.action = "updateFixedPhraseInsertionMode:", .identifier = "b"}, "プレーン");
    EXPECT_EQ(storedRules()[1].insertionMode, FixedPhraseInsertionMode::text);
    EXPECT_EQ(storedRules()[1].insertionFormat, FixedPhraseInsertionFormat::plain);
    choose({.action = "updateFixedPhraseInsertionMode:", .identifier = "b"}, "リッチ");
    EXPECT_EQ(storedRules()[1].insertionMode, FixedPhraseInsertionMode::visual);
    EXPECT_EQ(storedRules()[1].insertionFormat, FixedPhraseInsertionFormat::rich);
    EXPECT_EQ(takeSaved().size(), 2u);

    typeTitle("b", "未保存の題");
    choose({.action = "updateFixedPhrasePreviewMode:", .identifier = "a"}, "マークダウン");
    choose({.action = "updateFixedPhraseInsertionMode:", .identifier = "a"}, "リッチ");
    EXPECT_EQ(storedRules()[0].previewMode, FixedPhrasePreviewMode::markdown);
    EXPECT_EQ(storedRules()[0].insertionMode, FixedPhraseInsertionMode::visual);
    EXPECT_EQ(takeSaved().size(), 2u);
    EXPECT_FALSE(isUnsaved("a"));
    EXPECT_TRUE(isUnsaved("b"));
    // The window was not rebuilt over the unsaved title.
    EXPECT_EQ(control({.identifier = "b", .placeholder = "タイトル（任意）"})["value"], "未保存の題");
}

TEST_F(FixedPhraseTabTests, SwitchingOnNeedsASavedRuleWithABodyToInsert) {
    TessarilSettings settings = phraseDocument();
    settings.fixedPhraseAssist.rules[0].plainText = " \n";
    settings.fixedPhraseAssist.rules[1].plainText = "";
    startPhrases(std::nullopt, settings);
    const auto switchOf = [](const std::string& id) { return Address{.action = "toggleFixedPhraseRuleEnabled:", .identifier = id}; };

    click(switchOf("a"));
    EXPECT_EQ(takeLines(), std::vector<json>{alert("本文を保存してください", "定型文をONにするには、先に挿入する本文を保存してください。", {"OK"}, "OK")});
    EXPECT_EQ(control(switchOf("a"))["state"], "off");
    EXPECT_FALSE(storedRules()[0].isEnabled);

    // Stored RTF is a body to insert even with blank plain text.
    click(switchOf("b"));
    EXPECT_TRUE(storedRules()[1].isEnabled);
    EXPECT_EQ(takeSaved().size(), 1u);

    typeTitle("b", "変えた題");
    click(switchOf("b"));
    EXPECT_EQ(takeLines(), std::vector<json>{alert(unsavedMessage, unsavedInformative, {"OK"}, "OK")});
    EXPECT_EQ(control(switchOf("b"))["state"], "on");
    EXPECT_TRUE(storedRules()[1].isEnabled);
}

TEST_F(FixedPhraseTabTests, PresetScopeChangesOnlySavedRules) {
    startPhrases();
    click({.action = "toggleFixedPhrasePresetScope:", .identifier = "fixedPhrase:a|laptop"});
    EXPECT_EQ(storedRules()[0].activePresets, (KeyboardPresetSet{KeyboardPreset::compactUS, KeyboardPreset::fullSizeUS}));
    EXPECT_EQ(control({.identifier = "fixedPhrase:a|all"})["state"], "off");
    takeLines();

    typeBody("a", "変更中");
    click({.action = "toggleFixedPhrasePresetScope:", .identifier = "fixedPhrase:a|compactUS"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert(unsavedMessage, unsavedInformative, {"OK"}, "OK")});
    EXPECT_EQ(control({.identifier = "fixedPhrase:a|compactUS"})["state"], "on");
    click({.action = "toggleFixedPhrasePresetScope:", .identifier = "fixedPhrase:a|all"});
    EXPECT_EQ(control({.identifier = "fixedPhrase:a|all"})["state"], "off");
    EXPECT_EQ(storedRules()[0].activePresets, (KeyboardPresetSet{KeyboardPreset::compactUS, KeyboardPreset::fullSizeUS}));
}

TEST_F(FixedPhraseTabTests, DeletingWaitsForEveryUnsavedRuleAndForgetsTheRule) {
    startPhrases();
    typeTitle("b", "未保存");
    click({.action = "deleteFixedPhraseRule:", .identifier = "a"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert(unsavedMessage, unsavedInformative, {"OK"}, "OK")});
    EXPECT_EQ(storedRules().size(), 2u);

    click({.action = "saveFixedPhraseRule:", .identifier = "b"});
    click({.action = "toggleFixedPhraseSourceEditor:", .identifier = "a"});
    click({.action = "deleteFixedPhraseRule:", .identifier = "a"});
    ASSERT_EQ(storedRules().size(), 1u);
    EXPECT_EQ(storedRules()[0].id, "b");
    EXPECT_EQ(storedRules()[0].title, "未保存");
    EXPECT_FALSE(delegate().fixedPhraseSourceVisibleRuleIDs.contains("a"));
    EXPECT_FALSE(delegate().fixedPhraseEditorDrafts.contains("a"));
    EXPECT_FALSE(delegate().fixedPhraseTextViews.contains("a"));
    EXPECT_EQ(control({.action = "deleteFixedPhraseRule:", .identifier = "b"})["enabled"], false);
}

TEST_F(FixedPhraseTabTests, EveryRebuildKeepsEachChangedPanelAsADraft) {
    startPhrases();
    typeTitle("a", "題を変更");
    typeBody("b", "本文を変更");
    // Another rule's source toggle, and any other rebuild (captures, alerts), keep both panels.
    click({.action = "toggleFixedPhraseSourceEditor:", .identifier = "a"});
    rebuild();
    EXPECT_EQ(control({.identifier = "a", .placeholder = "タイトル（任意）"})["value"], "題を変更");
    EXPECT_EQ(body("b"), "本文を変更");
    EXPECT_TRUE(isUnsaved("a"));
    EXPECT_TRUE(isUnsaved("b"));
    EXPECT_EQ(storedRules(), phraseDocument().fixedPhraseAssist.rules);

    // Saving one rule drops only its draft.
    click({.action = "saveFixedPhraseRule:", .identifier = "b"});
    EXPECT_FALSE(delegate().fixedPhraseEditorDrafts.contains("b"));
    EXPECT_TRUE(delegate().fixedPhraseEditorDrafts.contains("a"));
    rebuild();
    EXPECT_EQ(control({.identifier = "a", .placeholder = "タイトル（任意）"})["value"], "題を変更");
    EXPECT_EQ(body("b"), "本文を変更");
    EXPECT_FALSE(isUnsaved("b"));
}

TEST_F(FixedPhraseTabTests, LeavingTheTabWithUnsavedEditsAsksAndKeepsOrDropsThem) {
    startPhrases(std::nullopt, phraseDocument(), {"キャンセル", "破棄して移動"});
    typeBody("a", "書きかけ");
    click({.action = "selectSettingsTabFromButton:", .identifier = "basic"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert(discardMessage, discardInformative, {"破棄して移動", "キャンセル"}, "キャンセル")});
    EXPECT_EQ(delegate().selectedSettingsTab, SettingsTab::fixedPhrases);
    EXPECT_EQ(body("a"), "書きかけ");

    click({.action = "selectSettingsTabFromButton:", .identifier = "basic"});
    const json resumed = {{"suspended", false}, {"reason", "shortcut-capture"}};
    EXPECT_EQ(takeLines(), (std::vector<json>{alert(discardMessage, discardInformative, {"破棄して移動", "キャンセル"}, "破棄して移動"),
                                              resumed, resumed, {{"tab", "basic"}}}));
    EXPECT_TRUE(delegate().fixedPhraseEditorDrafts.empty());
    click({.action = "selectSettingsTabFromButton:", .identifier = "fixedPhrases"});
    EXPECT_EQ(body("a"), "了解です。");
    EXPECT_FALSE(delegate().hasUnsavedFixedPhraseEdits());
}

TEST_F(FixedPhraseTabTests, TheTargetBarAsksBeforeDroppingEdits) {
    startPhrases(std::nullopt, phraseDocument(), {"キャンセル", "破棄して移動"});
    typeTitle("a", "書きかけ");
    choose({.action = "selectFixedPhraseTargetFromPopup:"}, "Own");
    EXPECT_EQ(delegate().selectedFixedPhraseAppBundleIdentifier, std::nullopt);
    EXPECT_EQ(control({.identifier = "a", .placeholder = "タイトル（任意）"})["value"], "書きかけ");
    takeLines();

    choose({.action = "selectFixedPhraseTargetFromPopup:"}, "Own");
    EXPECT_EQ(delegate().selectedFixedPhraseAppBundleIdentifier, "com.example.own");
    EXPECT_TRUE(delegate().fixedPhraseEditorDrafts.empty());
    EXPECT_EQ(labelsFrom("登録済みの定型文はありません。", 1).size(), 1u);
    const auto seen = takeLines();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], alert(discardMessage, discardInformative, {"破棄して移動", "キャンセル"}, "破棄して移動"));
    EXPECT_TRUE(seen[2].contains("saved"));
}

TEST_F(FixedPhraseTabTests, TheDefaultSwitchAsksBeforeDroppingEditsLikeTheOtherBarActions) {
    TessarilSettings settings = phraseDocument();
    settings.appFixedPhraseAssistSettings["com.example.own"].fixedPhraseAssist = phrasesOf({plainRule("o", "個別", "o")});
    startPhrases("com.example.own", settings, {"キャンセル", "キャンセル", "破棄して移動"});
    typeTitle("o", "書きかけ");
    click({.action = "toggleSelectedAppFixedPhraseUsesDefault:"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert(discardMessage, discardInformative, {"破棄して移動", "キャンセル"}, "キャンセル")});
    EXPECT_EQ(control({.action = "toggleSelectedAppFixedPhraseUsesDefault:"})["state"], "off");
    EXPECT_FALSE(delegate().settings.appFixedPhraseAssistSettings["com.example.own"].usesDefaultFixedPhraseAssist);

    click({.action = "deleteSelectedAppFixedPhraseTarget"});
    EXPECT_EQ(delegate().selectedFixedPhraseAppBundleIdentifier, "com.example.own");
    takeLines();

    click({.action = "toggleSelectedAppFixedPhraseUsesDefault:"});
    EXPECT_TRUE(delegate().settings.appFixedPhraseAssistSettings["com.example.own"].usesDefaultFixedPhraseAssist);
    EXPECT_EQ(each({.placeholder = "タイトル（任意）"}, "value"), (std::vector<std::string>{"挨拶", "署名"}));
}

TEST_F(FixedPhraseTabTests, UntouchedPanelsShowTheStoredBodyAndAreNeverUnsaved) {
    struct Case {
        const char* title;
        FixedPhraseRule rule;
        bool showsSource;
        std::string shown;
    };
    FixedPhraseRule untrimmed = plainRule("r", "  余白つき題 \n", "本文");
    FixedPhraseRule unreadable = richRule("r", "題", boldBody());
    unreadable.richTextRTFBase64 = platform::data_encoding::base64Encoded(std::vector<std::uint8_t>{'n', 'o', 't'});
    FixedPhraseRule notBase64 = richRule("r", "題", boldBody());
    notBase64.richTextRTFBase64 = "%%%";
    FixedPhraseRule htmlOnly = plainRule("r", "題", "");
    htmlOnly.htmlText = "<b>HTML</b>";
    const Case cases[] = {
        {"untrimmed stored title", untrimmed, false, "本文"},
        {"unreadable RTF", unreadable, false, "前太字後"},
        {"RTF that is not base64", notBase64, false, "前太字後"},
        {"readable RTF", richRule("r", "題", boldBody()), false, "前太字後"},
        {"readable RTF in the source view", richRule("r", "題", boldBody()), true, "<p>前<strong>太字</strong>後</p>"},
        {"only HTML", htmlOnly, false, "<b>HTML</b>"},
        {"only HTML in the source view", htmlOnly, true, "<b>HTML</b>"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        TessarilSettings settings;
        settings.fixedPhraseAssist = phrasesOf({test.rule});
        startPhrases(std::nullopt, settings);
        if (test.showsSource) click({.action = "toggleFixedPhraseSourceEditor:", .identifier = "r"});
        EXPECT_EQ(body("r"), test.shown);
        EXPECT_FALSE(delegate().hasUnsavedFixedPhraseEdits());
        rebuild();
        EXPECT_FALSE(delegate().hasUnsavedFixedPhraseEdits());
    }
}

TEST_F(FixedPhraseTabTests, TheSourceViewShowsFormattingAsHTMLAndGivesTheRichBodyBackUntouched) {
    startPhrases();
    const std::string storedRTF = *storedRules()[1].richTextRTFBase64;
    click({.action = "toggleFixedPhraseSourceEditor:", .identifier = "b"});
    EXPECT_EQ(body("b"), *fixedPhraseHTMLSource(FixedPhraseStoredRTF::read(storedRTF)->text));
    EXPECT_NE(body("b").find("太字"), std::string::npos);
    EXPECT_EQ(control({.action = "updateFixedPhraseParagraphStyle:", .identifier = "b"}).is_null(), true);
    EXPECT_EQ(control({.action = "updateFixedPhrasePlainMarkupStyle:", .identifier = "b"})["tooltip"],
              "リッチ/マークダウンプレビューに合わせて本文へ記法を入れます。");

    click({.action = "toggleFixedPhraseSourceEditor:", .identifier = "b"});
    EXPECT_EQ(FixedPhraseEditorState::fixedPhraseRTFBase64(editor("b")), storedRTF);
    EXPECT_EQ(editor("b").attributedText(), FixedPhraseStoredRTF::read(storedRTF)->text);
    EXPECT_FALSE(delegate().hasUnsavedFixedPhraseEdits());

    // Typed source comes back rendered by the preview mode.
    click({.action = "toggleFixedPhraseSourceEditor:", .identifier = "b"});
    typeBody("b", "<p>新しい<b>本文</b></p><script>x()</script>");
    click({.action = "toggleFixedPhraseSourceEditor:", .identifier = "b"});
    EXPECT_EQ(body("b"), "新しい本文\n");
    EXPECT_TRUE(editor("b").attributedText().attributes(3).font->isBold());
    EXPECT_TRUE(isUnsaved("b"));
}

TEST_F(FixedPhraseTabTests, ADraftedBodyKeepsTheColoursItWasStoredWith) {
    // Small red text: the screen's display-safe copy drops its colour, the stored one must not.
    TextAttributes small = withFont(platform::Font::system(12));
    small.foregroundColor = platform::Color{1, 0, 0, 1};
    TessarilSettings settings;
    settings.fixedPhraseAssist = phrasesOf({richRule("r", "題", richText({{u"赤い注記", small}}))});
    startPhrases(std::nullopt, settings);
    typeTitle("r", "新しい題");
    rebuild();
    editor("r").moveCursor(QTextCursor::End);
    editor("r").insertPlainText("です");
    harness->finishStep();
    click({.action = "saveFixedPhraseRule:", .identifier = "r"});
    const auto saved = FixedPhraseStoredRTF::read(storedRules()[0].richTextRTFBase64);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->text.utf8String(), "赤い注記です");
    EXPECT_EQ(saved->text.attributes(0).foregroundColor, small.foregroundColor);
    EXPECT_EQ(storedRules()[0].title, "新しい題");
}

TEST_F(FixedPhraseTabTests, ThePreviewFollowsTheInputAndPreviewModes) {
    struct Case {
        const char* title;
        FixedPhraseRule rule;
        std::string expected;
        std::optional<bool> firstIsBold;
    };
    const Case cases[] = {
        {"rich as plain text", richRule("r", "", boldBody(), FixedPhrasePreviewMode::raw), "前太字後", false},
        {"rich as rich", richRule("r", "", boldBody(), FixedPhrasePreviewMode::html), "前太字後", std::nullopt},
        {"rich as markdown", richRule("r", "", boldBody(), FixedPhrasePreviewMode::markdown), "前**太字**後", std::nullopt},
        {"HTML fragment as plain text", plainRule("r", "", "<p>こんにちは</p>"), "こんにちは", false},
        {"fragment without text as plain text", plainRule("r", "", "<img src=\"x\">"), "<img src=\"x\">", false},
        {"HTML with script as rich", plainRule("r", "", "<script>x()</script><b>太字</b>", FixedPhrasePreviewMode::html),
         "太字\n", true},
        {"markdown as markdown", plainRule("r", "", "# 見出し", FixedPhrasePreviewMode::markdown), "# 見出し", false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        TessarilSettings settings;
        settings.fixedPhraseAssist = phrasesOf({test.rule});
        startPhrases(std::nullopt, settings);
        const AttributedText shown = preview("r").attributedText();
        EXPECT_EQ(shown.utf8String(), test.expected);
        if (test.firstIsBold) {
            EXPECT_EQ(shown.attributes(0).font.value_or(platform::Font()).isBold(), *test.firstIsBold);
        }
    }

    // Each edit refreshes the preview; an open source view reads as plain input.
    startPhrases();
    typeBody("a", "<p>編集</p>");
    EXPECT_EQ(preview("a").attributedText().utf8String(), "編集");
    click({.action = "toggleFixedPhraseSourceEditor:", .identifier = "b"});
    choose({.action = "updateFixedPhrasePreviewMode:", .identifier = "b"}, "プレーン");
    EXPECT_EQ(preview("b").attributedText().utf8String(), "前太字後");
}

// Counts the dark pixels of a view as the screen shows it: the text's ink on the light editor.
int inkPixels(QWidget& view) {
    const QImage image = view.grab().toImage();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    }
    return ink;
}

// The preview on screen is replaced while the window shows it: it must be laid out and drawn again,
// not left as an empty box until the next rebuild.
TEST_F(FixedPhraseTabTests, ThePreviewOnScreenShowsEachEditAsItHappens) {
    struct Case {
        const char* title;
        FixedPhraseRule rule;
        std::function<void()> edit;
        std::string shown;
    };
    const auto typeAtEnd = [this](const char* typed) {
        return [this, typed] {
            editor("r").moveCursor(QTextCursor::End);
            editor("r").insertPlainText(QString::fromUtf8(typed));
        };
    };
    const Case cases[] = {
        {"typing, previewed as plain text", plainRule("r", "", "プレビュー確認 preview check"), typeAtEnd("abc"),
         "プレビュー確認 preview checkabc"},
        {"typing a second line", plainRule("r", "", "一行目"), typeAtEnd("\n二行目"), "一行目\n二行目"},
        {"typing, a markdown body", plainRule("r", "", "**太字**", FixedPhrasePreviewMode::markdown), typeAtEnd("です"),
         "**太字**です"},
        {"typing, a rich body previewed as rich text", richRule("r", "", boldBody()), typeAtEnd("!"), "前太字後!"},
        {"bold on a selection", richRule("r", "", boldBody()),
         [this] {
             editor("r").setSelectedRange({0, 1});
             click({.identifier = "r|bold"});
         },
         "前太字後"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        TessarilSettings settings;
        settings.fixedPhraseAssist = phrasesOf({test.rule});
        startPhrases(std::nullopt, settings);
        ASSERT_TRUE(preview("r").isVisible());
        ASSERT_GT(inkPixels(preview("r")), 0);
        test.edit();
        harness->finishStep();
        TessarilTextView& shown = preview("r");
        EXPECT_EQ(shown.attributedText().utf8String(), test.shown);
        for (QTextBlock block = shown.document()->begin(); block.isValid(); block = block.next()) {
            EXPECT_GT(block.layout()->lineCount(), 0) << "paragraph " << block.blockNumber() << " is not laid out";
        }
        EXPECT_GT(inkPixels(shown), 0) << "the preview draws nothing";
    }
}

TEST_F(FixedPhraseTabTests, OnlyRealFormattingCountsAsRichAttributes) {
    const auto sized = [](double points) { return withFont(platform::Font::system(points)); };
    TextAttributes linked;
    linked.link = "https://example.com";
    TextAttributes centred = testing::system14();
    centred.paragraphStyle = platform::ParagraphStyle{};
    centred.paragraphStyle->alignment = platform::TextAlignment::center;
    TextAttributes serif = withFont(platform::Font{.family = "Hiragino Mincho ProN"});
    const std::pair<TextAttributes, bool> cases[] = {
        {TextAttributes{}, false}, {testing::system14(), false}, {sized(14.05), false}, {sized(14.2), true},
        {testing::bold14(), true}, {linked, true},               {centred, true},       {serif, true},
    };
    for (const auto& [attributes, expected] : cases) {
        EXPECT_EQ(fixedPhraseHasMeaningfulRichAttributes(richText({{u"文", attributes}})), expected);
    }
    EXPECT_FALSE(fixedPhraseHasMeaningfulRichAttributes(AttributedText()));
    // A plain body of a rich rule shows as its characters in the source view.
    EXPECT_EQ(FixedPhraseEditorState::fixedPhraseSourceText(richRule("r", "", richText({{u"素の文", testing::system14()}}))),
              "素の文");
}

TEST_F(FixedPhraseTabTests, TheAppearanceToggleRecoloursEveryEditorAndKeepsTheText) {
    startPhrases();
    typeBody("a", "書きかけ");
    const QColor lightBackground = editor("a").palette().color(QPalette::Base);
    click({.action = "toggleFixedPhraseEditorAppearance:"});
    EXPECT_EQ(each({.action = "toggleFixedPhraseEditorAppearance:"}, "title"), (std::vector<std::string>{"Dark", "Dark"}));
    for (const std::string id : {"a", "b"}) {
        EXPECT_EQ(editor(id).palette().color(QPalette::Base), QColor::fromRgbF(0.075f, 0.08f, 0.086f));
        EXPECT_EQ(preview(id).palette().color(QPalette::Text), QColor::fromRgbF(0.96f, 0.96f, 0.96f));
    }
    click({.action = "toggleFixedPhraseEditorAppearance:", .index = 1});
    EXPECT_EQ(each({.action = "toggleFixedPhraseEditorAppearance:"}, "title"), (std::vector<std::string>{"Light", "Light"}));
    EXPECT_EQ(editor("b").palette().color(QPalette::Base), lightBackground);
    EXPECT_EQ(body("a"), "書きかけ");
    EXPECT_TRUE(isUnsaved("a"));
    EXPECT_TRUE(takeSaved().empty());
}

} // namespace
} // namespace tessaril
