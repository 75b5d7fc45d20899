#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "TessarilApp/AppKit/Automation/ScriptedAlertPresenter.hpp"
#include "TessarilApp/AppKit/MessageBoxAlertPresenter.hpp"

namespace tessaril::appkit {
namespace {

const Alert advancedConfirmation{Alert::Style::warning, "アドバンス設定を開きますか？", "ここでは入力タイミングや診断…",
                                 {"理解して開く", "キャンセル"}};

// Presses the button with that title in the modal message box once it is up, noting the title of
// its default button first.
void pressWhenShown(const QString& title, QString* defaultTitle = nullptr) {
    QTimer::singleShot(0, [title, defaultTitle] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (defaultTitle && box->defaultButton()) *defaultTitle = box->defaultButton()->text();
        for (auto* button : box->buttons()) {
            if (button->text() == title) button->click();
        }
    });
}

TEST(PresenterTests, TheMessageBoxAnswersTheButtonsIndexInTheAskedOrderWithTheFirstAsDefault) {
    MessageBoxAlertPresenter presenter;
    QString defaultTitle;
    pressWhenShown(QStringLiteral("キャンセル"), &defaultTitle);
    EXPECT_EQ(presenter.runModal(advancedConfirmation), 1u);
    EXPECT_EQ(defaultTitle, QStringLiteral("理解して開く"));

    pressWhenShown(QStringLiteral("理解して開く"));
    EXPECT_EQ(presenter.runModal(advancedConfirmation), 0u);

    pressWhenShown(QStringLiteral("OK"));
    EXPECT_EQ(presenter.runModal({Alert::Style::warning, "保存できません", "入力内容を1文字以上入れてください。", {}}), 0u);
}

// Presses a key in the modal message box once it is up, noting the title of its default button.
void pressKeyWhenShown(Qt::Key key, QString* defaultTitle) {
    QTimer::singleShot(0, [key, defaultTitle] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        *defaultTitle = box->defaultButton() ? box->defaultButton()->text() : QString();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(box, &press);
    });
}

// A question whose reflex answer must not be the first button: Return and Escape both press キャンセル.
TEST(PresenterTests, TheMessageBoxTakesTheDefaultTheAlertNames) {
    MessageBoxAlertPresenter presenter;
    const Alert quit{Alert::Style::warning, "保存されていない定型文があります", "保存していない変更は破棄されます。終了しますか？",
                     {"破棄して終了", "キャンセル"}, 1};
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QString defaultTitle;
        pressKeyWhenShown(key, &defaultTitle);
        EXPECT_EQ(presenter.runModal(quit), 1u) << key;
        EXPECT_EQ(defaultTitle, QStringLiteral("キャンセル"));
    }
    // Return on an alert that names no default presses its first button.
    QString defaultTitle;
    pressKeyWhenShown(Qt::Key_Return, &defaultTitle);
    EXPECT_EQ(presenter.runModal(advancedConfirmation), 0u);
    EXPECT_EQ(defaultTitle, QStringLiteral("理解して開く"));
}

TEST(PresenterTests, AScriptAnswersByTitleInOrderAndFallsBackToTheFirstButton) {
    std::vector<std::string> observed;
    ScriptedAlertPresenter presenter({"キャンセル", "存在しない"}, [&](const Alert& alert, const std::string& answer) {
        observed.push_back(alert.messageText + " → " + answer);
    });
    EXPECT_EQ(presenter.runModal(advancedConfirmation), 1u);
    EXPECT_EQ(presenter.runModal(advancedConfirmation), 0u);
    EXPECT_EQ(presenter.runModal(advancedConfirmation), 0u);
    EXPECT_EQ(presenter.runModal({Alert::Style::warning, "保存できません", "", {}}), 0u);
    EXPECT_EQ(observed, (std::vector<std::string>{"アドバンス設定を開きますか？ → キャンセル", "アドバンス設定を開きますか？ → 理解して開く",
                                                  "アドバンス設定を開きますか？ → 理解して開く", "保存できません → OK"}));
    EXPECT_EQ(presenter.presented().back().alert.buttons, std::vector<std::string>{"OK"});
}

} // namespace
} // namespace tessaril::appkit
