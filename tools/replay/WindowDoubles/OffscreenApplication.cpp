#include "WindowDoubles/OffscreenApplication.hpp"

#include <cstdio>

#include "TessarilApp/Shell/ToolkitTranslation.hpp"

namespace tessaril::replay {

namespace {

// Runs before the application is made, so the platform is chosen before it starts.
char* preparedName(const char* name, const QByteArray& platform) {
    qputenv("QT_QPA_PLATFORM", platform);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    });
    return const_cast<char*>(name);
}

} // namespace

OffscreenApplication::OffscreenApplication(const char* name, QSize screen)
    : screen_(screen), argv_{preparedName(name, screen_.platform()), nullptr}, application_(argc_, argv_.data()) {
    installToolkitTranslation();
}

} // namespace tessaril::replay
