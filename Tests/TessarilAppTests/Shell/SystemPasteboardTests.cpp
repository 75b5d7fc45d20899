#include <gtest/gtest.h>

#include <functional>

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
                                             entry(PasteboardMarkers::tessarilConcealed, ""),
                                             entry(SystemPasteboard::passwordManagerHintType, "secret")}}}));

    otherProgramCopies("theirs");
    EXPECT_EQ(pasteboard.changeCount(), start + 2);
    EXPECT_EQ(pasteboard.string(), "theirs");
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->html(), "<b>theirs</b>");
}

} // namespace

namespace {

// Clipboard histories skip content that carries the password-manager hint: exactly the writes that
// carry the concealed marker carry it too.
TEST(SystemPasteboard, WritesCarryingTheConcealedMarkerAlsoCarryThePasswordManagerHint) {
    using Write = std::function<void(platform::Pasteboard&)>;
    struct Case {
        const char* name;
        Write write;
        bool hinted;
    };
    const Case cases[] = {
        {"plain text only", [](platform::Pasteboard& board) { board.setString("copy"); }, false},
        {"markers set on the contents",
         [](platform::Pasteboard& board) {
             board.setString("paste");
             PasteboardMarkers::set(board);
         },
         true},
        {"an item written with the markers",
         [](platform::Pasteboard& board) {
             board.writeObjects({PasteboardItem{{entry(platform::pasteboard_type::string, "restored"),
                                                 entry(PasteboardMarkers::tessarilTransient, ""),
                                                 entry(PasteboardMarkers::tessarilConcealed, "")}}});
         },
         true},
        {"transient alone", [](platform::Pasteboard& board) { board.setData(PasteboardMarkers::tessarilTransient, {}); },
         false},
    };
    for (const auto& test : cases) {
        SystemPasteboard pasteboard(*QGuiApplication::clipboard());
        pasteboard.clearContents();
        test.write(pasteboard);
        const QMimeData* contents = QGuiApplication::clipboard()->mimeData();
        ASSERT_NE(contents, nullptr) << test.name;
        EXPECT_EQ(contents->data("x-kde-passwordManagerHint"), test.hinted ? "secret" : "") << test.name;
    }
}

} // namespace
