// Qt's own texts inside the Japanese window: the text fields' context menu, the save panel, its
// question before replacing a file, and the colour panel. The test run installs the catalog as the
// application does at start-up.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTranslator>

#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/Shell/ToolkitTranslation.hpp"

namespace tessaril {
namespace {

// The titles of a menu's items without their shortcut text; separators left out.
std::vector<std::string> itemTitles(const QMenu& menu) {
    std::vector<std::string> titles;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) continue;
        titles.push_back(action->text().section(QLatin1Char('\t'), 0, 0).toStdString());
    }
    return titles;
}

std::vector<std::string> buttonTitles(const QWidget& dialog) {
    std::vector<std::string> titles;
    for (const auto* box : dialog.findChildren<QDialogButtonBox*>()) {
        for (const QAbstractButton* button : box->buttons()) titles.push_back(button->text().toStdString());
    }
    return titles;
}

TEST(ToolkitTranslation, QtsOwnMenusPanelsAndQuestionsReadInJapanese) {
    appkit::TextField field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    EXPECT_EQ(itemTitles(*menu), (std::vector<std::string>{"元に戻す(&U)", "やり直す(&R)", "切り取り(&T)", "コピー(&C)",
                                                           "貼り付け(&P)", "削除", "すべてを選択"}));

    QFileDialog savePanel(nullptr, "設定を書き出す");
    savePanel.setOption(QFileDialog::DontUseNativeDialog);
    savePanel.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(buttonTitles(savePanel), (std::vector<std::string>{"保存(&S)", "キャンセル"}));
    EXPECT_EQ(QFileDialog::tr("%1 already exists.\nDo you want to replace it?").toStdString(),
              "%1 は既に存在します。\n置き換えますか?");
    QMessageBox question(QMessageBox::Warning, "", "", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(buttonTitles(question), (std::vector<std::string>{"はい(&Y)", "いいえ(&N)"}));

    QColorDialog colorPanel;
    colorPanel.setOption(QColorDialog::DontUseNativeDialog);
    EXPECT_EQ(colorPanel.windowTitle().toStdString(), "色を選択");
    EXPECT_EQ(buttonTitles(colorPanel), (std::vector<std::string>{"OK", "キャンセル"}));
}

TEST(ToolkitTranslation, AMissingCatalogLeavesQtsTextsAsTheyAre) {
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    EXPECT_EQ(installToolkitTranslation(empty.path()), nullptr);

    QTranslator* translator = installToolkitTranslation();
    ASSERT_NE(translator, nullptr);
    EXPECT_EQ(translator->parent(), QCoreApplication::instance());
    EXPECT_EQ(translator->translate("QLineEdit", "&Paste").toStdString(), "貼り付け(&P)");
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

} // namespace
} // namespace tessaril
