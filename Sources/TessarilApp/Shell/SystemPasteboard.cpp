#include "TessarilApp/Shell/SystemPasteboard.hpp"

#include <QClipboard>
#include <QMimeData>

#include <array>
#include <set>
#include <span>
#include <utility>

#include "Platform/Pasteboard/PasteboardType.hpp"
#include "TessarilMac/TextActions/PasteboardMarkers.hpp"

namespace tessaril {

namespace {

struct TypeMapping {
    std::string_view type;
    const char* mimeType;
};

// Each type's MIME name; reading also accepts the usual alternative spellings.
constexpr std::array<TypeMapping, 4> mappings{{
    {platform::pasteboard_type::string, "text/plain"},
    {platform::pasteboard_type::rtf, "text/rtf"},
    {platform::pasteboard_type::html, "text/html"},
    {platform::pasteboard_type::png, "image/png"},
}};
constexpr std::array<TypeMapping, 3> alternativeSpellings{{
    {platform::pasteboard_type::string, "text/plain;charset=utf-8"},
    {platform::pasteboard_type::rtf, "application/rtf"},
    {platform::pasteboard_type::rtf, "text/richtext"},
}};

QByteArray bytes(const platform::PasteboardData& data) {
    return QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
}

} // namespace

SystemPasteboard::SystemPasteboard(QClipboard& clipboard, QObject* parent) : QObject(parent), clipboard_(clipboard) {
    connect(&clipboard_, &QClipboard::dataChanged, this, &SystemPasteboard::clipboardChanged);
}

QString SystemPasteboard::mimeType(std::string_view type) {
    for (const auto& mapping : mappings) {
        if (mapping.type == type) return QString::fromLatin1(mapping.mimeType);
    }
    return QString::fromUtf8(type.data(), static_cast<qsizetype>(type.size()));
}

std::string SystemPasteboard::pasteboardType(const QString& mimeType) {
    for (const auto& table : {std::span<const TypeMapping>(mappings), std::span<const TypeMapping>(alternativeSpellings)}) {
        for (const auto& mapping : table) {
            if (mimeType.compare(QLatin1String(mapping.mimeType), Qt::CaseInsensitive) == 0) return std::string(mapping.type);
        }
    }
    return mimeType.toStdString();
}

void SystemPasteboard::clipboardChanged() {
    // Our own writes are counted where they are made; on platforms that report them later, the
    // clipboard still holds the very data we published.
    if (publishing_ || (published_ && clipboard_.mimeData() == published_.data())) return;
    ++changeCount_;
}

std::optional<std::vector<platform::PasteboardItem>> SystemPasteboard::pasteboardItems() const {
    const QMimeData* contents = clipboard_.mimeData();
    if (contents == nullptr) return std::nullopt;
    platform::PasteboardItem item;
    std::set<std::string> seen;
    for (const QString& format : contents->formats()) {
        std::string type = pasteboardType(format);
        if (!seen.insert(type).second) continue;
        const QByteArray data = contents->data(format);
        item.dataByType.push_back({std::move(type), platform::PasteboardData(data.begin(), data.end())});
    }
    if (item.dataByType.empty()) return std::vector<platform::PasteboardItem>{};
    return std::vector<platform::PasteboardItem>{std::move(item)};
}

QMimeData* SystemPasteboard::currentContents() const {
    auto* copy = new QMimeData;
    if (const QMimeData* contents = clipboard_.mimeData()) {
        for (const QString& format : contents->formats()) copy->setData(format, contents->data(format));
    }
    return copy;
}

void SystemPasteboard::publish(QMimeData* contents) {
    // Clipboard histories on this platform skip content by this hint, not by the concealed marker.
    if (contents->hasFormat(mimeType(PasteboardMarkers::tessarilConcealed))) {
        contents->setData(QString::fromLatin1(passwordManagerHintType), QByteArrayLiteral("secret"));
    }
    publishing_ = true;
    published_ = contents;
    clipboard_.setMimeData(contents);
    publishing_ = false;
}

std::int64_t SystemPasteboard::clearContents() {
    publish(new QMimeData);
    return ++changeCount_;
}

bool SystemPasteboard::writeObjects(const std::vector<platform::PasteboardItem>& items) {
    QMimeData* contents = currentContents();
    for (const auto& item : items) {
        for (const auto& entry : item.dataByType) {
            const QString format = mimeType(entry.type);
            if (!contents->hasFormat(format)) contents->setData(format, bytes(entry.data));
        }
    }
    publish(contents);
    return true;
}

bool SystemPasteboard::setData(std::string_view type, const platform::PasteboardData& data) {
    QMimeData* contents = currentContents();
    contents->setData(mimeType(type), bytes(data));
    publish(contents);
    return true;
}

} // namespace tessaril
