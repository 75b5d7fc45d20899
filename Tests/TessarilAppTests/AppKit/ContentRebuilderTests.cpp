#include <gtest/gtest.h>

#include <QCoreApplication>

#include "TessarilApp/AppKit/ContentRebuilder.hpp"

namespace tessaril::appkit {
namespace {

TEST(ContentRebuilderTests, ARebuildAskedForDuringARebuildRunsOnceAfterItInsteadOfNesting) {
    int depth = 0;
    int maximumDepth = 0;
    int runs = 0;
    ContentRebuilder* self = nullptr;
    ContentRebuilder rebuilder([&] {
        ++runs;
        maximumDepth = std::max(maximumDepth, ++depth);
        if (runs == 1) {
            self->rebuildNow();
            self->rebuildNow();
        }
        --depth;
    });
    self = &rebuilder;
    rebuilder.rebuildNow();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(maximumDepth, 1);
    EXPECT_FALSE(rebuilder.isRebuilding());
}

TEST(ContentRebuilderTests, LaterRebuildsCoalesceAndARebuildInBetweenMakesThemUnnecessary) {
    int runs = 0;
    ContentRebuilder rebuilder([&] { ++runs; });
    rebuilder.rebuildLater();
    rebuilder.rebuildLater();
    EXPECT_EQ(runs, 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(runs, 1);

    rebuilder.rebuildLater();
    rebuilder.rebuildNow();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(rebuilder.hasPendingRebuild());
}

} // namespace
} // namespace tessaril::appkit
