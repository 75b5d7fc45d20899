#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "TessarilApp/PhraseEditor/FixedPhraseLinkDialog.hpp"

namespace tessaril {
namespace {

struct SeenAlert {
    QString message;
    QString informative;
    QStringList buttons;
    QString fieldText;
    QString placeholder;
};

// Once the alert is up: notes what it shows, types into its field and presses a button.
void answerWhenShown(SeenAlert& seen, const QString& typed, const QString& button) {
    QTimer::singleShot(0, [&seen, typed, button] {
        auto* alert = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(alert, nullptr);
        seen.message = alert->text();
        seen.informative = alert->informativeText();
        for (auto* candidate : alert->buttons()) seen.buttons << candidate->text();
        auto* field = alert->findChild<QLineEdit*>();
        ASSERT_NE(field, nullptr);
        seen.fieldText = field->text();
        seen.placeholder = field->placeholderText();
        if (!typed.isNull()) field->setText(typed);
        for (auto* candidate : alert->buttons()) {
            if (candidate->text() == button) candidate->click();
        }
    });
}

TEST(FixedPhraseLinkDialog, AsksForTheAddressInAnAlertWithAField) {
    FixedPhraseLinkDialog dialog;
    SeenAlert seen;
    answerWhenShown(seen, QStringLiteral(" https://example.com/リンク "), QStringLiteral("設定"));
    EXPECT_EQ(dialog.requestLink("#section"), " https://example.com/リンク ");
    EXPECT_EQ(seen.message, QStringLiteral("リンクURL"));
    EXPECT_EQ(seen.informative, QStringLiteral("選択中の文字へリンクを設定します。"));
    EXPECT_TRUE(seen.buttons.contains(QStringLiteral("設定")) && seen.buttons.contains(QStringLiteral("キャンセル")));
    EXPECT_EQ(seen.fieldText, QStringLiteral("#section"));
    EXPECT_EQ(seen.placeholder, QStringLiteral("https://example.com / #section / /path"));

    answerWhenShown(seen, QStringLiteral("https://example.com"), QStringLiteral("キャンセル"));
    EXPECT_EQ(dialog.requestLink(""), std::nullopt);
}

} // namespace
} // namespace tessaril
