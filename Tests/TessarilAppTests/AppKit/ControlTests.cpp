#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QWheelEvent>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/TextField.hpp"

namespace tessaril::appkit {
namespace {

// Records the sender's state at the moment each action ran.
struct ActionLog {
    std::vector<std::string> entries;

    Action record(const std::string& selector) {
        return Action{selector, [this, selector](Control& sender) {
                          std::string entry = selector;
                          if (auto* button = dynamic_cast<Button*>(&sender)) entry += button->isOn() ? " on" : " off";
                          if (auto* popup = dynamic_cast<PopUpButton*>(&sender)) {
                              entry += " " + popup->representedObjectOfSelectedItem().value_or("<none>");
                          }
                          if (auto* field = dynamic_cast<TextField*>(&sender)) entry += " " + field->stringValue();
                          entries.push_back(entry);
                      }};
    }
};

TEST(ControlTests, AToggleActionReadsTheNewStateAndSettingTheStateInCodeSendsNothing) {
    ActionLog log;
    Button toggle(Button::ButtonType::toggle);
    toggle.setAction(log.record("toggleFeature:"));
    toggle.setState(Button::State::on);
    EXPECT_TRUE(log.entries.empty());

    toggle.click();
    toggle.click();
    EXPECT_EQ(log.entries, (std::vector<std::string>{"toggleFeature: off", "toggleFeature: on"}));

    Button push(Button::ButtonType::momentaryPush);
    push.setAction(log.record("save"));
    push.setState(Button::State::on); // a push button has no state to set
    push.click();
    EXPECT_EQ(log.entries.back(), "save off");
}

TEST(ControlTests, ChoosingAPopUpItemActsAlsoWhenItIsAlreadySelectedButNeverForSeparatorsOrCodeSelection) {
    ActionLog log;
    PopUpButton popup;
    popup.setAction(log.record("updateCharacterCountHUDPosition:"));
    popup.addItem("ポインター近く", "pointer");
    popup.addSeparator();
    popup.addItem("固定位置", "fixed");
    popup.addItem("値なし");
    popup.selectItem(2);
    EXPECT_TRUE(log.entries.empty());

    popup.chooseItem(2);
    popup.chooseItem(2);
    popup.chooseItem(1); // the separator
    popup.chooseItem(3);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"updateCharacterCountHUDPosition: fixed",
                                                     "updateCharacterCountHUDPosition: fixed",
                                                     "updateCharacterCountHUDPosition: <none>"}));
    EXPECT_EQ(popup.indexOfItem("固定位置"), 2);
    EXPECT_EQ(popup.indexOfItem(""), -1);

    // Scrolling the page over the pop-up leaves its choice alone.
    popup.selectItem(0);
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&popup, &wheel);
    EXPECT_EQ(popup.indexOfSelectedItem(), 0);
    EXPECT_EQ(log.entries.size(), 3u);
}

TEST(ControlTests, AFieldActsOnReturnOnlyNotWhenTypedIntoOrLeft) {
    ActionLog log;
    TextField field;
    field.setAction(log.record("updateKeypadPeriodHackOutput"));
    field.setStringValue("、");
    field.end(false); // the user puts the cursor after the value
    field.insert(QStringLiteral("。"));
    emit field.editingFinished(); // focus moving away
    EXPECT_TRUE(log.entries.empty());

    emit field.returnPressed();
    EXPECT_EQ(log.entries, std::vector<std::string>{"updateKeypadPeriodHackOutput 、。"});
}

// A long title that differs from another only at its start must not show as the same tail.
TEST(ControlTests, AFieldNotBeingEditedShowsTheStartOfItsText) {
    const std::string value = "長いタイトルの先頭だけが違う定型文、末尾は同じ";
    struct Case {
        const char* name;
        std::function<void(TextField&)> change;
        int cursor;
    };
    const auto focusOut = [](Qt::FocusReason reason) {
        return [reason](TextField& field) {
            field.setCursorPosition(5);
            QFocusEvent leaving(QEvent::FocusOut, reason);
            QCoreApplication::sendEvent(&field, &leaving);
        };
    };
    const Case cases[] = {
        {"a value shown", [&value](TextField& field) { field.setStringValue(value); }, 0},
        {"typed text carried over a rebuild", [](TextField& field) { field.setTypedText(QStringLiteral("末尾まで打った文字")); }, 0},
        {"the focus moves to another control", focusOut(Qt::TabFocusReason), 0},
        {"the focus is taken by a click elsewhere", focusOut(Qt::MouseFocusReason), 0},
        {"the window goes to the back while editing", focusOut(Qt::ActiveWindowFocusReason), 5},
        {"a menu opens while editing", focusOut(Qt::PopupFocusReason), 5},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        TextField field;
        field.setFixedWidth(80);
        field.setText(QString::fromStdString(value));
        test.change(field);
        EXPECT_EQ(field.cursorPosition(), test.cursor);
    }
}

TEST(ControlTests, ALabelShowsATruncatedTextButKeepsItsWholeTitle) {
    const std::string text = "選択中の文字を前後で包み、選択なしなら前後の文字を挿入して内側へ戻します。";
    Label single(text);
    single.resize(120, 20);
    const QString shown = single.displayedText();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_LT(shown.size(), QString::fromStdString(text).size());
    EXPECT_EQ(single.title(), text);

    Label twoLines(text);
    twoLines.setMaximumNumberOfLines(2);
    twoLines.resize(160, 60);
    const QStringList lines = twoLines.displayedText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_FALSE(lines[0].endsWith(QChar(0x2026)));
    EXPECT_TRUE(lines[1].endsWith(QChar(0x2026)));
    EXPECT_EQ(twoLines.heightForWidth(160), 2 * single.sizeHint().height());
}

TEST(ControlTests, AWrappingLabelBreaksAtEachLineFeedAndKeepsEmptyLines) {
    Label lines("同じキー:\n\n・基本 / プレーンコピー");
    lines.setMaximumNumberOfLines(0);
    lines.resize(400, 100);
    EXPECT_EQ(lines.displayedText().toStdString(), "同じキー:\n\n・基本 / プレーンコピー");
    EXPECT_EQ(lines.heightForWidth(400), 3 * Label("x").sizeHint().height());

    Label clipped("一行目\n二行目\n三行目");
    clipped.setMaximumNumberOfLines(2);
    clipped.resize(400, 60);
    EXPECT_EQ(clipped.displayedText().toStdString(), "一行目\n二行目 三行目");
}

} // namespace
} // namespace tessaril::appkit
