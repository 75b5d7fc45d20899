#pragma once

#include <string>

#include <QByteArray>

#include "TessarilApp/Shell/QASettingsPreviewRequest.hpp"

class QWidget;

namespace tessaril {

class AppDelegate;

// A picture of a view: PNG data and its size in pixels (one pixel per point).
struct QAPreviewPNG {
    QByteArray data;
    int pixelWidth = 0;
    int pixelHeight = 0;
};

// Throws QASettingsPreviewError naming `name` when the view has no size, no bitmap can be made or the
// PNG cannot be encoded.
QAPreviewPNG renderQAPreviewPNG(QWidget& view, const std::string& name);

// The headless export of the settings pages for visual checks: the settings window built off
// screen, each sidebar page pictured as the whole frame and as the content, a manifest, one line on
// standard error and the end of the process (0, or 1 at the first failure; what was written stays).
// Main thread.
class QASettingsPreviewExporter {
public:
    explicit QASettingsPreviewExporter(AppDelegate& delegate) : delegate_(delegate) {}

    void exportPreviews(const QASettingsPreviewRequest& request);

    // "%02d-%s.png" of the 1-based position and the page's slug ("01-basic.png").
    static std::string fileName(std::size_t position, std::string_view slug);

private:
    // Writes everything; throws on the first failure.
    void writeAll(const QASettingsPreviewRequest& request);

    AppDelegate& delegate_;
};

} // namespace tessaril
