#include "TessarilApp/AppKit/FileDialogPanelPresenter.hpp"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace tessaril::appkit {

namespace {

QString nameFilter(FilePanel::ContentType type) {
    switch (type) {
    case FilePanel::ContentType::json: return QStringLiteral("JSON (*.json)");
    case FilePanel::ContentType::application: return QStringLiteral("Applications (*.desktop)");
    }
    return {};
}

QString startDirectory(FilePanel::ContentType type) {
    if (type == FilePanel::ContentType::application) {
        const QStringList places = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
        for (const auto& place : places) {
            if (QDir(place).exists()) return place;
        }
    }
    return QDir::homePath();
}

std::optional<FilePanelResult> answer(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return FilePanelResult{std::filesystem::path(path.toStdString()), std::nullopt};
}

} // namespace

std::optional<FilePanelResult> FileDialogPanelPresenter::runOpenPanel(const FilePanel& panel) {
    return answer(QFileDialog::getOpenFileName(QApplication::activeWindow(), QString::fromStdString(panel.message),
                                               startDirectory(panel.contentType), nameFilter(panel.contentType)));
}

std::optional<FilePanelResult> FileDialogPanelPresenter::runSavePanel(const FilePanel& panel) {
    const QString proposed = QDir(startDirectory(panel.contentType)).filePath(QString::fromStdString(panel.nameFieldStringValue));
    return answer(QFileDialog::getSaveFileName(QApplication::activeWindow(), QString::fromStdString(panel.message), proposed,
                                               nameFilter(panel.contentType)));
}

} // namespace tessaril::appkit
