#include "TessarilApp/AppKit/Font.hpp"

#include <QStringList>

namespace tessaril::appkit {

namespace {

QFont::Weight qtWeight(FontWeight weight) {
    switch (weight) {
    case FontWeight::regular: return QFont::Normal;
    case FontWeight::medium: return QFont::Medium;
    case FontWeight::semibold: return QFont::DemiBold;
    case FontWeight::bold: return QFont::Bold;
    }
    return QFont::Normal;
}

} // namespace

void installFontFallbacks() {
    static const bool installed = [] {
        const QString emoji = QString::fromLatin1(emojiFallbackFontFamily);
        QFont::insertSubstitutions(QString::fromLatin1(systemFontFamily), {QString::fromLatin1(symbolFallbackFontFamily), emoji});
        for (const char* family : {monospacedFontFamily, serifFontFamily}) QFont::insertSubstitution(QString::fromLatin1(family), emoji);
        return true;
    }();
    (void)installed;
}

QFont systemFont(int pixelSize, FontWeight weight) {
    installFontFallbacks();
    QFont font(QString::fromLatin1(systemFontFamily));
    font.setPixelSize(pixelSize);
    font.setWeight(qtWeight(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}

} // namespace tessaril::appkit
