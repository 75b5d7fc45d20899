#include "WindowDoubles/OffscreenDesktopScreen.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tessaril::replay {

OffscreenDesktopScreen::OffscreenDesktopScreen(QSize size) {
    const QJsonObject screen{{"name", "desktop"}, {"x", 0}, {"y", 0}, {"width", size.width()}, {"height", size.height()},
                             {"logicalDpi", 96}, {"logicalBaseDpi", 96}, {"dpr", 1.0}};
    const QJsonObject configuration{{"screens", QJsonArray{screen}}};
    if (!file_.open()) return;
    const QByteArray text = QJsonDocument(configuration).toJson(QJsonDocument::Compact);
    if (file_.write(text) != text.size() || !file_.flush()) return;
    platform_ = "offscreen:configfile=" + file_.fileName().toLocal8Bit();
}

} // namespace tessaril::replay
