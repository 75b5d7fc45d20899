#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/Pasteboard/PasteboardType.hpp"
#include "TessarilApp/Shell/SystemPasteboard.hpp"
#include "TessarilMac/TextActions/PasteboardMarkers.hpp"
#include "TessarilMac/TextActions/PasteboardTextActions.hpp"

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

struct NoKeystrokes final : TextActionKeystrokes {
    void pressCommandC() override {}
    void pressCommandV() override { ++pastes; }
    void insertText(std::string_view) override {}
    void insertTextAndMoveCursorLeft(std::string_view, int) override {}
    int pastes = 0;
};

struct SilentHost final : TextActionHost {
    void recordInputDispatchError(const std::exception_ptr&) override {}
    void setStatusText(const std::string&) override {}
    TextToolSettings textToolSettings() const override { return {}; }
    void showCharacterCountHUD(const std::optional<std::string>&) override {}
};

TEST(SystemPasteboard, PlainPasteBorrowsTheClipboardAndGivesTheStyledCopyBack) {
    otherProgramCopies("styled");
    auto pasteboard = std::make_shared<SystemPasteboard>(*QGuiApplication::clipboard());
    platform::VirtualUptimeClock clock;
    platform::VirtualScheduler scheduler(clock);
    NoKeystrokes keystrokes;
    SilentHost host;
    PasteboardTextActions actions({pasteboard, scheduler, keystrokes, host});

    actions.performPlainPaste();
    const QMimeData* during = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(keystrokes.pastes, 1);
    EXPECT_EQ(during->formats(), (QStringList{"text/plain", PasteboardMarkers::tessarilTransient.data(),
                                              PasteboardMarkers::tessarilConcealed.data()}));
    EXPECT_EQ(during->text(), "styled");

    scheduler.advanceBy(220);
    const QMimeData* after = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(after->html(), "<b>styled</b>");
    EXPECT_EQ(after->text(), "styled");

    actions.performPlainPaste();
    otherProgramCopies("newer");
    scheduler.advanceBy(220);
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->html(), "<b>newer</b>");
}

} // namespace
