#include "TessarilApp/AppKit/ColorDialogPanelPresenter.hpp"

#include <QApplication>
#include <QColorDialog>

namespace tessaril::appkit {

std::optional<platform::Color> ColorDialogPanelPresenter::runColorPanel(const platform::Color& initial) {
    const QColor start = QColor::fromRgbF(static_cast<float>(initial.red), static_cast<float>(initial.green),
                                          static_cast<float>(initial.blue), static_cast<float>(initial.alpha));
    const QColor chosen =
        QColorDialog::getColor(start, QApplication::activeWindow(), QString(), QColorDialog::ShowAlphaChannel);
    if (!chosen.isValid()) return std::nullopt;
    const QColor rgb = chosen.toRgb();
    return platform::Color{rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF()};
}

} // namespace tessaril::appkit
