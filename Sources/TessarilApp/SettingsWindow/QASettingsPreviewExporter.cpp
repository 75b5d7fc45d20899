#include "TessarilApp/SettingsWindow/QASettingsPreviewExporter.hpp"

#include <array>
#include <cstdio>
#include <filesystem>

#include "Platform/Foundation/AtomicFile.hpp"
#include "TessarilApp/AppKit/ViewRendering.hpp"
#include "TessarilApp/AppKit/WindowFrameView.hpp"
#include "TessarilApp/SettingsWindow/QASettingsPreviewError.hpp"
#include "TessarilApp/SettingsWindow/QASettingsPreviewManifest.hpp"
#include "TessarilApp/SettingsWindow/SettingsTabPresentation.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindow.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStore.hpp"

namespace tessaril {

namespace {

constexpr mode_t pictureMode = 0644;

std::string_view slug(SettingsTab tab) {
    switch (tab) {
    case SettingsTab::basic: return "basic";
    case SettingsTab::shortcutGuard: return "shortcut-guard";
    case SettingsTab::keypadHacks: return "keypad-hacks";
    case SettingsTab::writingAssist: return "writing-assist";
    case SettingsTab::fixedPhrases: return "fixed-phrases";
    case SettingsTab::shortcutRegistry: return "shortcut-registry";
    case SettingsTab::advanced: return "advanced";
    case SettingsTab::support: return "support";
    case SettingsTab::presets: return "presets";
    }
    return {};
}

void writeFile(const std::filesystem::path& path, std::string_view contents) {
    platform::AtomicFile::write(path, contents, pictureMode, platform::AtomicFile::DirectorySync::bestEffort);
}

void reportAndFlush(const std::string& line) {
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace

QAPreviewPNG renderQAPreviewPNG(QWidget& view, const std::string& name) {
    appkit::layoutSubtree(view);
    if (view.width() < 1 || view.height() < 1) {
        throw QASettingsPreviewError(QASettingsPreviewError::Kind::invalidViewSize, name);
    }
    const QImage image = appkit::renderViewImage(view);
    if (image.isNull()) throw QASettingsPreviewError(QASettingsPreviewError::Kind::bitmapCreationFailed, name);
    auto data = appkit::encodePNG(image);
    if (!data) throw QASettingsPreviewError(QASettingsPreviewError::Kind::pngEncodingFailed, name);
    return {std::move(*data), image.width(), image.height()};
}

std::string QASettingsPreviewExporter::fileName(std::size_t position, std::string_view slugText) {
    std::array<char, 8> number{};
    std::snprintf(number.data(), number.size(), "%02zu", position);
    return std::string(number.data()) + "-" + std::string(slugText) + ".png";
}

void QASettingsPreviewExporter::exportPreviews(const QASettingsPreviewRequest& request) {
    try {
        // Read as an import reads it, and never stored: QA mode leaves no trace.
        if (request.settingsDocument) delegate_.settings = delegate_.settingsStore().previewImport(*request.settingsDocument);
        writeAll(request);
    } catch (const Error& error) {
        reportAndFlush("Tessaril QA settings preview export failed: " + error.description() + "\n");
        delegate_.services().application.exit(1);
        return;
    } catch (const std::exception& error) {
        reportAndFlush("Tessaril QA settings preview export failed: " + std::string(error.what()) + "\n");
        delegate_.services().application.exit(1);
        return;
    }
    reportAndFlush("Tessaril QA settings preview export completed: " + request.outputDirectory.string() + "\n");
    delegate_.services().application.exit(0);
}

void QASettingsPreviewExporter::writeAll(const QASettingsPreviewRequest& request) {
    const std::filesystem::path frames = request.outputDirectory / "frame";
    const std::filesystem::path contents = request.outputDirectory / "content";
    std::filesystem::create_directories(frames);
    std::filesystem::create_directories(contents);

    SettingsWindowController controller(delegate_);
    SettingsWindow& window = controller.makeWindowIfNeeded();
    window.setAppearance(request.appearanceName == QASettingsPreviewRequest::lightAppearanceName
                             ? appkit::Appearance::aqua
                             : appkit::Appearance::darkAqua);
    // Shown, so its scroll views fit their pages as on screen, but far away and never drawn there.
    window.move(-100000, -100000);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();

    QASettingsPreviewManifest manifest{1, request.appearanceName, {}};
    std::size_t position = 0;
    for (const SettingsTab tab : settings_tab::allCases) {
        ++position;
        delegate_.selectedSettingsTab = tab;
        delegate_.rebuildSettingsWindow();
        const std::string raw(rawValue(tab));
        QWidget* content = window.contentView();
        if (!content) throw QASettingsPreviewError(QASettingsPreviewError::Kind::unavailableView, "content");
        appkit::layoutSubtree(window);
        appkit::WindowFrameView& frame = window.frameView();
        const QAPreviewPNG framePicture = renderQAPreviewPNG(frame, raw + "-frame");
        const QAPreviewPNG contentPicture = renderQAPreviewPNG(*content, raw + "-content");
        const std::string name = fileName(position, slug(tab));
        writeFile(frames / name, framePicture.data.toStdString());
        writeFile(contents / name, contentPicture.data.toStdString());
        manifest.tabs.push_back({raw, std::string(SettingsTabPresentation::of(tab).sidebarTitle), "frame/" + name,
                                 framePicture.pixelWidth, framePicture.pixelHeight, "content/" + name,
                                 contentPicture.pixelWidth, contentPicture.pixelHeight});
    }
    writeFile(request.outputDirectory / "manifest.json", manifest.encoded());
}

} // namespace tessaril
