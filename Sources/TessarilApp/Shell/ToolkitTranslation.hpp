#pragma once

#include <QString>

class QTranslator;

namespace tessaril {

// Qt's own texts in Japanese, as the rest of the interface is, whatever the locale: the text fields'
// context menus, the open, save and colour panels and their questions, the standard buttons. Main
// thread, once the Qt application is made.

// The name of Qt's Japanese catalog among its translations.
inline constexpr const char* toolkitTranslationCatalog = "qtbase_ja";

// Installs the catalog from Qt's translations directory into the running application, which owns the
// translator answered. None when the catalog is not there: Qt's texts then stay English.
QTranslator* installToolkitTranslation();
// The same from another directory.
QTranslator* installToolkitTranslation(const QString& directory);

} // namespace tessaril
