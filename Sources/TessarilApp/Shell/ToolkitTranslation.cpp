#include "TessarilApp/Shell/ToolkitTranslation.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tessaril {

QTranslator* installToolkitTranslation() {
    return installToolkitTranslation(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QTranslator* installToolkitTranslation(const QString& directory) {
    auto* application = QCoreApplication::instance();
    if (application == nullptr) return nullptr;
    auto* translator = new QTranslator(application);
    if (!translator->load(QString::fromLatin1(toolkitTranslationCatalog), directory) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace tessaril
