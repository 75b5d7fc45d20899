#include <gtest/gtest.h>

#include "Platform/Pasteboard/InMemoryPasteboard.hpp"
#include "Platform/Pasteboard/PasteboardType.hpp"

using namespace tessaril::platform;

namespace {

PasteboardItem::Entry entry(std::string_view type, std::string_view data) { return {std::string(type), pasteboardData(data)}; }

TEST(InMemoryPasteboard, CountsOneChangePerClearWhateverIsWrittenAfterIt) {
    InMemoryPasteboard pasteboard(5, {PasteboardItem{{entry(pasteboard_type::rtf, "{\\rtf1}")}}});

    EXPECT_EQ(pasteboard.clearContents(), 6);
    EXPECT_TRUE(pasteboard.pasteboardItems()->empty());
    pasteboard.setString("first");
    pasteboard.setData("org.example.extra", pasteboardData("x"));
    pasteboard.setString("replaced");
    pasteboard.writeObjects({PasteboardItem{{entry(pasteboard_type::html, "<b>")}}});

    EXPECT_EQ(pasteboard.changeCount(), 6);
    EXPECT_EQ(pasteboard.items(), (std::vector<PasteboardItem>{
                                      PasteboardItem{{entry(pasteboard_type::string, "replaced"), entry("org.example.extra", "x")}},
                                      PasteboardItem{{entry(pasteboard_type::html, "<b>")}}}));
}

TEST(InMemoryPasteboard, ReadsTheStringOfTheFirstItemThatHasOne) {
    const PasteboardData invalidUTF8{0xFF, 0xFE};
    struct Case {
        const char* name;
        std::vector<PasteboardItem> items;
        std::optional<std::string> expected;
    } cases[] = {
        {"empty", {}, std::nullopt},
        {"no string flavour", {PasteboardItem{{entry(pasteboard_type::png, "png")}}}, std::nullopt},
        {"second item",
         {PasteboardItem{{entry(pasteboard_type::png, "png")}}, PasteboardItem{{entry(pasteboard_type::string, "b")}},
          PasteboardItem{{entry(pasteboard_type::string, "c")}}},
         "b"},
        {"not UTF-8", {PasteboardItem{{{std::string(pasteboard_type::string), invalidUTF8}}}}, std::nullopt},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(InMemoryPasteboard(1, test.items).string(), test.expected) << test.name;
    }
}

} // namespace
