// The QA export run as the application itself: pictures of every sidebar page, the manifest that
// describes them, the report line and the exit status.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "TessarilApp/AppKit/View.hpp"
#include "TessarilApp/SettingsWindow/QASettingsPreviewError.hpp"
#include "TessarilApp/SettingsWindow/QASettingsPreviewExporter.hpp"

namespace tessaril {
namespace {

struct ExportRun {
    int exitCode;
    std::string standardError;
};

ExportRun runExport(const QTemporaryDir& home, const QMap<QString, QString>& variables, const QStringList& arguments = {}) {
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", home.path());
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    environment.remove("TESSARIL_QA_SETTINGS_EXPORT_DIR");
    environment.remove("TESSARIL_QA_SETTINGS_APPEARANCE");
    environment.remove("TESSARIL_QA_SETTINGS_DOCUMENT");
    for (auto entry = variables.begin(); entry != variables.end(); ++entry) environment.insert(entry.key(), entry.value());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(TESSARIL_APPLICATION_PATH, arguments);
    if (!process.waitForFinished(60000)) return {-1, "did not finish"};
    return {process.exitCode(), process.readAllStandardError().toStdString()};
}

QJsonObject readManifest(const QString& directory) {
    QFile file(directory + "/manifest.json");
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

TEST(QASettingsPreviewExportTests, EveryPageIsPicturedTwiceAsTheManifestSaysInTheEnvironmentsDirectory) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString directory = home.filePath("qa");
    const ExportRun run = runExport(home, {{"TESSARIL_QA_SETTINGS_EXPORT_DIR", directory}, {"TESSARIL_QA_SETTINGS_APPEARANCE", "LiGhT"}},
                              {"--tessaril-qa-export-settings=" + home.filePath("ignored")});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(run.standardError, "Tessaril QA settings preview export completed: " + directory.toStdString() + "\n");
    EXPECT_FALSE(QFile::exists(home.filePath("ignored")));

    const QJsonObject manifest = readManifest(directory);
    EXPECT_EQ(manifest["formatVersion"].toInt(), 1);
    EXPECT_EQ(manifest["appearance"].toString(), "NSAppearanceNameAqua");
    const QJsonArray tabs = manifest["tabs"].toArray();
    const std::vector<std::tuple<QString, QString, QString>> expected{
        {"basic", "基本", "01-basic.png"},
        {"shortcutGuard", "誤爆防止", "02-shortcut-guard.png"},
        {"keypadHacks", "テンキーハック", "03-keypad-hacks.png"},
        {"writingAssist", "括弧・引用補助", "04-writing-assist.png"},
        {"fixedPhrases", "定型文アシスト", "05-fixed-phrases.png"},
        {"shortcutRegistry", "ショートカット台帳", "06-shortcut-registry.png"},
        {"advanced", "アドバンス", "07-advanced.png"},
        {"support", "サポート", "08-support.png"},
    };
    ASSERT_EQ(tabs.size(), static_cast<qsizetype>(expected.size()));
    for (qsizetype index = 0; index < tabs.size(); ++index) {
        const QJsonObject entry = tabs[index].toObject();
        const auto& [tab, title, file] = expected[static_cast<std::size_t>(index)];
        EXPECT_EQ(entry["tab"].toString(), tab);
        EXPECT_EQ(entry["title"].toString(), title);
        EXPECT_EQ(entry["frameFile"].toString(), "frame/" + file);
        EXPECT_EQ(entry["contentFile"].toString(), "content/" + file);
        for (const char* kind : {"frame", "content"}) {
            const QImage picture(directory + "/" + entry[QString(kind) + "File"].toString());
            ASSERT_FALSE(picture.isNull()) << kind << " " << file.toStdString();
            EXPECT_EQ(picture.width(), entry[QString(kind) + "PixelWidth"].toInt());
            EXPECT_EQ(picture.height(), entry[QString(kind) + "PixelHeight"].toInt());
        }
        EXPECT_EQ(entry["contentPixelWidth"].toInt(), 1320);
        EXPECT_EQ(entry["contentPixelHeight"].toInt(), 760);
        EXPECT_GT(entry["framePixelHeight"].toInt(), 760) << "the frame adds the title bar";
    }
}

TEST(QASettingsPreviewExportTests, ASecondRunReplacesThePicturesAndTheManifest) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString directory = home.filePath("qa");
    ASSERT_EQ(runExport(home, {}, {"--tessaril-qa-export-settings=" + directory}).exitCode, 0);
    for (const QString& name : {QString("/frame/01-basic.png"), QString("/manifest.json")}) {
        QFile stale(directory + name);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly | QIODevice::Truncate));
        stale.write("stale");
    }
    const ExportRun again = runExport(home, {}, {"--tessaril-qa-export-settings=" + directory});
    ASSERT_EQ(again.exitCode, 0) << again.standardError;
    EXPECT_FALSE(QImage(directory + "/frame/01-basic.png").isNull());
    EXPECT_EQ(readManifest(directory)["appearance"].toString(), "NSAppearanceNameDarkAqua");
}

TEST(QASettingsPreviewExportTests, AFailureEndsTheRunWithStatusOneAndOneLine) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString directory = home.filePath("qa");
    ASSERT_TRUE(QDir().mkpath(directory));
    QFile blocker(directory + "/content"); // a file where the pictures' directory must go
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const ExportRun run = runExport(home, {{"TESSARIL_QA_SETTINGS_EXPORT_DIR", directory}});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError.rfind("Tessaril QA settings preview export failed: ", 0), 0u) << run.standardError;
    EXPECT_EQ(std::count(run.standardError.begin(), run.standardError.end(), '\n'), 1) << run.standardError;
    EXPECT_TRUE(QDir(directory + "/frame").exists()) << "what was made before the failure stays";
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(QASettingsPreviewExportTests, ADevelopersDocumentIsPicturedInPlaceOfTheDefaultsAndABadOneFailsTheRun) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString document = home.filePath("phrases.json");
    {
        QFile file(document);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(R"({"schemaVersion": 1, "settings": {"fixedPhraseAssist": {"rules": [
            {"id": "P", "title": "署名", "plainText": "よろしくお願いします。", "isEnabled": true, "inputMode": "plain"}]}}})");
    }
    ASSERT_EQ(runExport(home, {{"TESSARIL_QA_SETTINGS_EXPORT_DIR", home.filePath("defaults")}}).exitCode, 0);
    const ExportRun filled = runExport(home, {{"TESSARIL_QA_SETTINGS_EXPORT_DIR", home.filePath("filled")},
                                              {"TESSARIL_QA_SETTINGS_DOCUMENT", document}});
    ASSERT_EQ(filled.exitCode, 0) << filled.standardError;
    const QString phrases = "/content/05-fixed-phrases.png";
    EXPECT_NE(fileBytes(home.filePath("filled") + phrases), fileBytes(home.filePath("defaults") + phrases));
    EXPECT_EQ(fileBytes(home.filePath("filled") + "/content/08-support.png"),
              fileBytes(home.filePath("defaults") + "/content/08-support.png"));

    const ExportRun missing = runExport(home, {{"TESSARIL_QA_SETTINGS_EXPORT_DIR", home.filePath("missing")},
                                               {"TESSARIL_QA_SETTINGS_DOCUMENT", home.filePath("nothing.json")}});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.standardError.rfind("Tessaril QA settings preview export failed: ", 0), 0u) << missing.standardError;
    EXPECT_FALSE(QFile::exists(home.filePath("missing") + "/manifest.json"));
}

TEST(QASettingsPreviewExportTests, AViewWithoutSizeCannotBePictured) {
    appkit::View view;
    view.resize(1320, 0);
    try {
        renderQAPreviewPNG(view, "basic-content");
        FAIL() << "no error";
    } catch (const QASettingsPreviewError& error) {
        EXPECT_EQ(error.description(), "QA preview view has an invalid size: basic-content");
    }
    view.resize(12, 7);
    const QAPreviewPNG picture = renderQAPreviewPNG(view, "badge");
    EXPECT_EQ(QImage::fromData(picture.data, "PNG").size(), QSize(12, 7));
    EXPECT_EQ(QASettingsPreviewExporter::fileName(6, "shortcut-registry"), "06-shortcut-registry.png");
}

} // namespace
} // namespace tessaril
