#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "Platform/Pasteboard/PasteboardType.hpp"
#include "TessarilApp/Shell/SystemPasteboard.hpp"
#include "TessarilMac/TextActions/PasteboardMarkers.hpp"

using namespace tessaril;
using platform::PasteboardItem;

namespace {

PasteboardItem::Entry entry(std::string_view type, std::string_view data) { return {std::string(type), platform::pasteboardData(data)}; }

// Another program copies styled text.
void otherProgramCopies(const QString& text) {
    auto* data = new QMimeData;
    data->setHtml("<b>" + text + "</b>");
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}

TEST(SystemPasteboard, CountsOurClearOnceAndEveryCopyOfOtherPrograms) {
    SystemPasteboard pasteboard(*QGuiApplication::clipboard());
    const auto start = pasteboard.changeCount();

    EXPECT_EQ(pasteboard.clearContents(), start + 1);
    pasteboard.setString("ours");
    pasteboard.setData(platform::pasteboard_type::rtf, platform::pasteboardData("{\\rtf1}"));
    PasteboardMarkers::set(pasteboard);
    pasteboard.setString("ours again");
    EXPECT_EQ(pasteboard.changeCount(), start + 1);
    EXPECT_EQ(pasteboard.pasteboardItems(),
              (std::vector<PasteboardItem>{{{entry(platform::pasteboard_type::string, "ours again"),
                                             entry(platform::pasteboard_type::rtf, "{\\rtf1}"),
                                             entry(PasteboardMarkers::tessarilTransient, ""),
                                             entry(PasteboardMarkers::tessarilConcealed, "")}}}));

    otherProgramCopies("theirs");
    EXPECT_EQ(pasteboard.changeCount(), start + 2);
    EXPECT_EQ(pasteboard.string(), "theirs");
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->html(), "<b>theirs</b>");
}

} // namespace
