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

} // namespace

QFont systemFont(int pixelSize, FontWeight weight) {
    QFont font(QString::fromLatin1(systemFontFamily));
    font.setPixelSize(pixelSize);
    font.setWeight(qtWeight(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}

} // namespace tessaril::appkit
