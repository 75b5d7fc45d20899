#include <gtest/gtest.h>

#include <map>
#include <memory>

#include <QMenu>

#include "TessarilApp/AppKit/Automation/ScriptedAlertPresenter.hpp"
#include "TessarilApp/AppKit/Automation/ScriptedColorPanelPresenter.hpp"
#include "TessarilApp/AppKit/Automation/UIDriver.hpp"
#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/EventMonitors.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorActions.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseToolbars.hpp"
#include "TessarilApp/PhraseEditor/TessarilTextView.hpp"
#include "TessarilAppTests/PhraseEditor/RichTextSamples.hpp"
#include "TessarilAppTests/PhraseEditor/ScriptedLinkPrompt.hpp"

namespace tessaril {
namespace {

using appkit::StackView;
using appkit::UIDriver;
using platform::AttributedText;
using platform::Color;
using platform::Font;
using platform::FontWeight;
using platform::TextAttributes;
using testing::richText;
using testing::system14;

class FixedPhraseEditorActionsTests : public ::testing::Test {
protected:
    FixedPhraseEditorActionsTests() {
        editor.setAttributedText(richText({{u"Hello world\nsecond", system14()}}));
        window->setAttribute(Qt::WA_DontShowOnScreen);
    }

    FixedPhraseEditorActions::Services services() {
        FixedPhraseEditorActions::Services result;
        result.textView = [this](const std::string& ruleID) { return ruleID == "rule-1" ? &editor : nullptr; };
        result.updatePreview = [this](const std::string& ruleID) { previews.push_back(ruleID); };
        result.previewMode = [this](const std::string& ruleID) -> std::optional<FixedPhrasePreviewMode> {
            const auto found = previewModes.find(ruleID);
            if (found == previewModes.end()) return std::nullopt;
            return found->second;
        };
        result.alerts = &alerts;
        result.linkPrompt = &prompt;
        result.colorPanel = &colors;
        result.fontFamilyIsAvailable = [](std::string_view) { return false; };
        return result;
    }

    void show(StackView* content) {
        window->setContentView(content);
        window->show();
        UIDriver::runPendingWork();
    }

    std::vector<std::string> describeAll() {
        std::vector<std::string> lines;
        for (const auto& line : driver.queryAll({})) {
            const auto& control = line["control"];
            lines.push_back(control.value("kind", "") + " " + control.value("identifier", "") + " " +
                            control.value("action", "") + " " + control.value("tooltip", "") +
                            (control.value("enabled", true) ? "" : " (disabled)"));
        }
        return lines;
    }

    TessarilTextView editor;
    std::map<std::string, FixedPhrasePreviewMode> previewModes{{"rule-1", FixedPhrasePreviewMode::markdown}};
    std::vector<std::string> previews;
    appkit::ScriptedAlertPresenter alerts;
    testing::ScriptedLinkPrompt prompt{"https://example.com"};
    appkit::ScriptedColorPanelPresenter colors{{Color{1, 0, 0, 1}}};
    FixedPhraseEditorActions actions{services()};
    appkit::EventMonitors monitors;
    UIDriver driver{monitors};
    std::unique_ptr<appkit::Window> window = std::make_unique<appkit::Window>(
        appkit::Window::Configuration{{900, 200}, {100, 100}, "定型文", true, false, QColor(Qt::black)});
};

TEST_F(FixedPhraseEditorActionsTests, TheRichToolbarCarriesTheRuleInEveryControl) {
    show(makeFixedPhraseRichToolbar("rule-1", false, actions));
    EXPECT_EQ(describeAll(), (std::vector<std::string>{
                                 "popup rule-1 updateFixedPhraseParagraphStyle:  (disabled)",
                                 "popup rule-1 updateFixedPhraseFontFamily:  (disabled)",
                                 "popup rule-1 updateFixedPhraseFontSize:  (disabled)",
                                 "button rule-1|bold applyFixedPhraseRichStyle: 太字 (disabled)",
                                 "button rule-1|italic applyFixedPhraseRichStyle: 斜体 (disabled)",
                                 "button rule-1|underline applyFixedPhraseRichStyle: 下線 (disabled)",
                                 "button rule-1|strikethrough applyFixedPhraseRichStyle: 打消し (disabled)",
                                 "button rule-1|foreground updateFixedPhraseColorWell: カスタム文字色 (disabled)",
                                 "button rule-1|background updateFixedPhraseColorWell: カスタム背景色 (disabled)",
                                 "button rule-1|link applyFixedPhraseRichStyle: リンク (disabled)",
                                 "button rule-1|bullet applyFixedPhraseRichStyle: 箇条書き (disabled)",
                                 "button rule-1|numbered applyFixedPhraseRichStyle: 番号リスト (disabled)",
                                 "button rule-1|alignLeft applyFixedPhraseRichStyle: 左揃え (disabled)",
                                 "button rule-1|alignCenter applyFixedPhraseRichStyle: 中央揃え (disabled)",
                                 "button rule-1|alignRight applyFixedPhraseRichStyle: 右揃え (disabled)",
                                 "button rule-1|clear applyFixedPhraseRichStyle: 選択範囲の装飾をすべて解除します。 (disabled)",
                             }));
    EXPECT_EQ(driver.query({.action = "updateFixedPhraseFontSize:"})["control"]["selected"], "14");
    EXPECT_EQ(driver.query({.action = "updateFixedPhraseFontFamily:"})["control"]["items"],
              nlohmann::json::parse(R"(["等幅", "明朝", "Mono"])"));
}

TEST_F(FixedPhraseEditorActionsTests, ToolbarControlsFormatTheRulesEditorAndRefreshItsPreview) {
    show(makeFixedPhraseRichToolbar("rule-1", true, actions));
    editor.setSelectedRange({0, 5});
    EXPECT_EQ(driver.click({.identifier = "rule-1|bold"}), UIDriver::Outcome::performed);
    EXPECT_EQ(driver.choose({.action = "updateFixedPhraseFontSize:"}, "18"), UIDriver::Outcome::performed);
    EXPECT_EQ(driver.click({.identifier = "rule-1|foreground"}), UIDriver::Outcome::performed);
    editor.setSelectedRange({6, 5});
    EXPECT_EQ(driver.click({.identifier = "rule-1|link"}), UIDriver::Outcome::performed);
    editor.setSelectedRange({13, 0});
    EXPECT_EQ(driver.choose({.action = "updateFixedPhraseParagraphStyle:"}, "コード"), UIDriver::Outcome::performed);

    TextAttributes big = testing::withFont(Font::system(18, FontWeight::bold));
    big.foregroundColor = Color{1, 0, 0, 1};
    TextAttributes link = system14();
    link.link = "https://example.com";
    link.foregroundColor = Color{0, 122.0 / 255.0, 1, 1};
    link.underlineStyle = 1;
    TextAttributes code = testing::withParagraph(testing::withFont(Font::monospacedSystem(14)), platform::ParagraphStyle{});
    code.paragraphStyle->paragraphSpacing = 6;
    code.paragraphStyle->headIndent = 12;
    code.paragraphStyle->firstLineHeadIndent = 12;
    code.backgroundColor = Color::systemGray(0.18);
    EXPECT_EQ(editor.attributedText(), richText({{u"Hello", big}, {u" ", system14()}, {u"world", link},
                                                 {u"\n", system14()}, {u"second", code}}));
    EXPECT_EQ(previews, std::vector<std::string>(5, "rule-1"));
}

TEST_F(FixedPhraseEditorActionsTests, ControlsOfARuleWithoutAnEditorDoNothing) {
    show(makeFixedPhraseRichToolbar("rule-2", true, actions));
    const AttributedText before = editor.attributedText();
    editor.setSelectedRange({0, 5});
    driver.click({.identifier = "rule-2|bold"});
    driver.choose({.action = "updateFixedPhraseFontSize:"}, "24");
    actions.applyFixedPhraseRichStyle("rule-1");
    actions.applyFixedPhraseRichStyle("|bold");
    actions.updateFixedPhraseFontSize("rule-1", "large");
    actions.updateFixedPhraseParagraphStyle("rule-1", "title");
    EXPECT_EQ(editor.attributedText(), before);
    EXPECT_TRUE(previews.empty());
}

TEST_F(FixedPhraseEditorActionsTests, ThePlainToolbarWritesMarkupInTheStoredRulesSyntax) {
    editor.setRichText(false);
    show(makeFixedPhrasePlainMarkupToolbar("rule-1", true, true, actions));
    EXPECT_EQ(describeAll(), (std::vector<std::string>{
                                 "label   ",
                                 "popup rule-1 updateFixedPhrasePlainMarkupStyle: リッチ/マークダウンプレビューに合わせて本文へ記法を入れます。",
                             }));
    driver.choose({.action = "updateFixedPhrasePlainMarkupStyle:"}, "見出し2");
    EXPECT_EQ(editor.attributedText().utf8String(), "## Hello world\nsecond");
    previewModes["rule-1"] = FixedPhrasePreviewMode::html;
    driver.choose({.action = "updateFixedPhrasePlainMarkupStyle:"}, "引用");
    EXPECT_EQ(editor.attributedText().utf8String(), "<blockquote>Hello world</blockquote>\nsecond");
    previewModes["rule-1"] = FixedPhrasePreviewMode::raw;
    driver.choose({.action = "updateFixedPhrasePlainMarkupStyle:"}, "本文");
    previewModes.clear();
    driver.choose({.action = "updateFixedPhrasePlainMarkupStyle:"}, "本文");
    EXPECT_EQ(editor.attributedText().utf8String(), "<blockquote>Hello world</blockquote>\nsecond");
    EXPECT_EQ(previews.size(), 2u);
}

TEST_F(FixedPhraseEditorActionsTests, TheContextMenuRepeatsTheToolbar) {
    actions.addContextMenuCommands(editor, "rule-1");
    std::unique_ptr<QMenu> menu(editor.makeContextMenu());
    QStringList titles;
    for (QAction* action : menu->actions()) titles << action->text();
    EXPECT_EQ(titles.mid(8), (QStringList{"", "太字", "斜体", "下線", "打消し", "リンク", "", "箇条書き", "番号リスト",
                                          "左揃え", "中央揃え", "右揃え", "書式クリア", "段落"}));
    editor.setSelectedRange({0, 5});
    menu->actions()[9]->trigger();
    EXPECT_EQ(editor.attributedText(), richText({{u"Hello", testing::bold14()}, {u" world\nsecond", system14()}}));

    editor.setRichText(false);
    std::unique_ptr<QMenu> plainMenu(editor.makeContextMenu());
    QMenu* paragraphs = plainMenu->actions().last()->menu();
    ASSERT_NE(paragraphs, nullptr);
    EXPECT_EQ(plainMenu->actions().size(), 10);
    editor.setSelectedRange({14, 0});
    paragraphs->actions()[3]->trigger();
    EXPECT_EQ(editor.attributedText().utf8String(), "Hello world\n> second");
}

} // namespace
} // namespace tessaril
