#include <gtest/gtest.h>

#include "TessarilMacTests/TextActions/TextActionsHarness.hpp"
#include "TessarilMac/TextActions/PasteboardSnapshot.hpp"

using namespace tessaril;
using namespace tessaril::testing;

namespace {

TEST(PasteboardSnapshot, RestoresEveryItemInOrderWithBothMarkers) {
    platform::InMemoryPasteboard pasteboard(3, {styled("a"), item({{"public.png", "png"}, {"org.example.own", ""}})});
    const auto snapshot = PasteboardSnapshot::capture(pasteboard);
    EXPECT_EQ(snapshot.changeCount, 3);

    pasteboard.clearContents();
    pasteboard.setString("temporary");
    snapshot.restore(pasteboard);

    EXPECT_EQ(pasteboard.changeCount(), 5);
    EXPECT_EQ(pasteboard.items(), (Items{marked(styled("a")), marked(item({{"public.png", "png"}, {"org.example.own", ""}}))}));
}

TEST(PasteboardSnapshot, AnEmptyPasteboardComesBackEmpty) {
    platform::InMemoryPasteboard pasteboard;
    const auto snapshot = PasteboardSnapshot::capture(pasteboard);
    EXPECT_TRUE(snapshot.items.empty());

    pasteboard.setString("temporary");
    snapshot.restore(pasteboard);

    EXPECT_EQ(pasteboard.changeCount(), 1);
    EXPECT_TRUE(pasteboard.items().empty());
}

} // namespace
