#include "TessarilApp/AppKit/MessageBoxAlertPresenter.hpp"

#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tessaril::appkit {

namespace {

QMessageBox::Icon icon(Alert::Style style) {
    switch (style) {
    case Alert::Style::warning: return QMessageBox::Warning;
    case Alert::Style::critical: return QMessageBox::Critical;
    case Alert::Style::informational: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

std::size_t MessageBoxAlertPresenter::runModal(const Alert& alert) {
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(icon(alert.style));
    box.setText(QString::fromStdString(alert.messageText));
    box.setInformativeText(QString::fromStdString(alert.informativeText));
    const std::vector<std::string> titles = alert.buttons.empty() ? std::vector<std::string>{"OK"} : alert.buttons;
    // Every button takes the same role, so the dialog keeps them in the order given; the answer is
    // found by identity, never by the role or position Qt would give it.
    std::vector<QPushButton*> buttons;
    for (const auto& title : titles) buttons.push_back(box.addButton(QString::fromStdString(title), QMessageBox::ActionRole));
    box.setDefaultButton(buttons[alert.defaultButton < buttons.size() ? alert.defaultButton : 0]);
    // Escape presses the cancel button, as the platform's alerts do; a lone button takes it too.
    std::size_t escapeIndex = 0;
    for (std::size_t index = 0; index < titles.size(); ++index) {
        if (titles[index] == "キャンセル" || titles[index] == "Cancel") escapeIndex = index;
    }
    if (escapeIndex > 0 || buttons.size() == 1) box.setEscapeButton(buttons[escapeIndex]);
    box.exec();
    const QAbstractButton* pressed = box.clickedButton();
    for (std::size_t index = 0; index < buttons.size(); ++index) {
        if (buttons[index] == pressed) return index;
    }
    return escapeIndex;
}

} // namespace tessaril::appkit
