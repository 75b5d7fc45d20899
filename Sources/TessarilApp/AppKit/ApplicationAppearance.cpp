#include "TessarilApp/AppKit/ApplicationAppearance.hpp"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "TessarilApp/AppKit/Font.hpp"

namespace tessaril::appkit {

namespace {

QColor grey(double level) { return QColor::fromRgbF(static_cast<float>(level), static_cast<float>(level), static_cast<float>(level)); }

QPalette darkPalette() {
    QPalette colors;
    const QColor window = QColor::fromRgbF(0.018f, 0.019f, 0.021f);
    const QColor surface = QColor::fromRgbF(0.105f, 0.11f, 0.118f);
    const QColor text = grey(0.96);
    colors.setColor(QPalette::Window, window);
    colors.setColor(QPalette::WindowText, text);
    colors.setColor(QPalette::Base, QColor::fromRgbF(0.075f, 0.08f, 0.086f));
    colors.setColor(QPalette::AlternateBase, QColor::fromRgbF(0.074f, 0.079f, 0.085f));
    colors.setColor(QPalette::Text, text);
    colors.setColor(QPalette::Button, surface);
    colors.setColor(QPalette::ButtonText, text);
    colors.setColor(QPalette::ToolTipBase, surface);
    colors.setColor(QPalette::ToolTipText, text);
    colors.setColor(QPalette::Highlight, QColor::fromRgbF(1.0f, 0.8f, 0.133f));
    colors.setColor(QPalette::HighlightedText, Qt::black);
    colors.setColor(QPalette::PlaceholderText, grey(0.58));
    colors.setColor(QPalette::Light, grey(0.25));
    colors.setColor(QPalette::Midlight, grey(0.2));
    colors.setColor(QPalette::Mid, grey(0.17));
    colors.setColor(QPalette::Dark, grey(0.08));
    colors.setColor(QPalette::Shadow, Qt::black);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        colors.setColor(QPalette::Disabled, role, grey(0.58));
    }
    return colors;
}

} // namespace

QPalette systemPalette(Appearance appearance) {
    if (appearance == Appearance::darkAqua) return darkPalette();
    QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    QPalette colors = fusion ? fusion->standardPalette() : QPalette();
    delete fusion;
    return colors;
}

void installApplicationAppearance() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(darkPalette());
    QApplication::setFont(systemFont(13));
}

} // namespace tessaril::appkit
