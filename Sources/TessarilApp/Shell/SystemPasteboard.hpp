#pragma once

#include <QObject>
#include <QPointer>

#include "Platform/Pasteboard/Pasteboard.hpp"

class QClipboard;
class QMimeData;

namespace tessaril {

// The general pasteboard on the system clipboard. The clipboard holds one item: each type is one MIME
// entry (the string flavour as "text/plain", RTF as "text/rtf", HTML as "text/html", PNG as
// "image/png", any other type under its own name); several items written at once share it, the first
// holder of a type winning. The change count follows the clipboard's change signal, so copies by other
// programs count; our own clear and the writes after it count once. Contents that carry the concealed
// marker also carry "x-kde-passwordManagerHint" = "secret", which this platform's clipboard histories
// honour.
// Thread: the GUI thread.
class SystemPasteboard final : public QObject, public platform::Pasteboard {
    Q_OBJECT

public:
    explicit SystemPasteboard(QClipboard& clipboard, QObject* parent = nullptr);

    std::int64_t changeCount() const override { return changeCount_; }
    std::optional<std::vector<platform::PasteboardItem>> pasteboardItems() const override;
    std::int64_t clearContents() override;
    bool writeObjects(const std::vector<platform::PasteboardItem>& items) override;
    bool setData(std::string_view type, const platform::PasteboardData& data) override;

    static constexpr const char* passwordManagerHintType = "x-kde-passwordManagerHint";

    static QString mimeType(std::string_view type);
    static std::string pasteboardType(const QString& mimeType);

private:
    void clipboardChanged();
    // A copy of what the clipboard holds now, to add to.
    QMimeData* currentContents() const;
    void publish(QMimeData* contents);

    QClipboard& clipboard_;
    std::int64_t changeCount_ = 0;
    bool publishing_ = false;
    QPointer<QMimeData> published_;
};

} // namespace tessaril
