#pragma once

#include <QColor>

namespace tessaril::settings_palette {

// The settings window's dark flat theme: fixed colours, one amber accent for on, selected and
// primary. Text on amber is black.

inline QColor rgb(double red, double green, double blue) {
    return QColor::fromRgbF(static_cast<float>(red), static_cast<float>(green), static_cast<float>(blue));
}
inline QColor white(double level) { return rgb(level, level, level); }

inline QColor windowBackground() { return rgb(0.018, 0.019, 0.021); }
inline QColor sidebarBackground() { return rgb(0.04, 0.043, 0.047); }
inline QColor panelBackground() { return rgb(0.062, 0.066, 0.07); }
inline QColor alternateRow() { return rgb(0.074, 0.079, 0.085); }
inline QColor headerRow() { return rgb(0.086, 0.091, 0.098); }
inline QColor cardBackground() { return rgb(0.105, 0.11, 0.118); }
inline QColor textFieldBackground() { return rgb(0.075, 0.08, 0.086); }
inline QColor accentAmber() { return rgb(1.0, 0.8, 0.133); }
inline QColor primaryText() { return white(0.96); }
inline QColor secondaryText() { return white(0.78); }
inline QColor subtleText() { return white(0.58); }
inline QColor panelBorder() { return white(0.25); }
inline QColor cardBorder() { return white(0.17); }
inline QColor textOnAccent() { return QColor(Qt::black); }

} // namespace tessaril::settings_palette
