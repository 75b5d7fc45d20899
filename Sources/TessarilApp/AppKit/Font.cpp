#include "TessarilApp/AppKit/Font.hpp"

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

// Before the first font of the system family is made, so that every one of them falls back to the
// symbol family first.
void installSymbolFallback() {
    static const bool installed = [] {
        QFont::insertSubstitution(QString::fromLatin1(systemFontFamily), QString::fromLatin1(symbolFallbackFontFamily));
        return true;
    }();
    (void)installed;
}

} // namespace

QFont systemFont(int pixelSize, FontWeight weight) {
    installSymbolFallback();
    QFont font(QString::fromLatin1(systemFontFamily));
    font.setPixelSize(pixelSize);
    font.setWeight(qtWeight(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}

} // namespace tessaril::appkit
