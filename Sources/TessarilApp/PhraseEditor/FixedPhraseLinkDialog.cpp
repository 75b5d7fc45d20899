#include "TessarilApp/PhraseEditor/FixedPhraseLinkDialog.hpp"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace tessaril {

namespace {

// As the platform's alerts show an accessory view: below the texts, above the buttons.
void placeAboveButtons(QMessageBox& alert, QWidget* accessory) {
    auto* grid = qobject_cast<QGridLayout*>(alert.layout());
    auto* buttons = alert.findChild<QDialogButtonBox*>();
    if (!grid || !buttons || grid->indexOf(buttons) < 0) {
        alert.layout()->addWidget(accessory);
        return;
    }
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(buttons), &row, &column, &rowSpan, &columnSpan);
    grid->removeWidget(buttons);
    grid->addWidget(accessory, row, column, 1, columnSpan);
    grid->addWidget(buttons, row + 1, column, rowSpan, columnSpan);
}

} // namespace

std::optional<std::string> FixedPhraseLinkDialog::requestLink(const std::string& initialText) {
    QWidget* owner = parent_ ? parent_->window() : QApplication::activeWindow();
    QMessageBox alert(owner);
    alert.setIcon(QMessageBox::Information);
    alert.setText(QStringLiteral("リンクURL"));
    alert.setInformativeText(QStringLiteral("選択中の文字へリンクを設定します。"));
    // Same roles keep the buttons in this order; Escape cancels.
    QPushButton* confirm = alert.addButton(QStringLiteral("設定"), QMessageBox::ActionRole);
    QPushButton* cancel = alert.addButton(QStringLiteral("キャンセル"), QMessageBox::ActionRole);
    alert.setDefaultButton(confirm);
    alert.setEscapeButton(cancel);

    auto* accessory = new QWidget;
    accessory->setFixedSize(360, 34);
    auto* field = new QLineEdit(accessory);
    field->setObjectName(QStringLiteral("fixedPhraseLinkField"));
    field->setGeometry(0, 4, 360, 26);
    field->setPlaceholderText(QStringLiteral("https://example.com / #section / /path"));
    field->setText(QString::fromStdString(initialText));
    placeAboveButtons(alert, accessory);
    // Queued before the modal loop starts, so that it runs once the alert is up.
    QTimer::singleShot(0, field, [field] { field->setFocus(Qt::OtherFocusReason); });

    alert.exec();
    if (alert.clickedButton() != confirm) return std::nullopt;
    return field->text().toStdString();
}

} // namespace tessaril
