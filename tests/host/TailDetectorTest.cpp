#include "TailDetector.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

// Feeds one mono block of `frames` samples of `level` and returns what was kept.
std::size_t feed(TailDetector& tail, float level, std::size_t frames) {
    std::vector<float> block(frames, level);
    const float* channels[] = {block.data()};
    return tail.accept(channels, 1, frames);
}

}  // namespace

TEST(TailDetector, StopsAfterAWholeQuietWindowAndCountsOnlyUnbrokenQuiet) {
    auto tail = TailDetector::untilQuiet(100, 100000);
    EXPECT_EQ(feed(tail, 0.0f, 60), 60u);
    EXPECT_EQ(feed(tail, 0.5f, 10), 10u);  // a loud stretch starts the count again
    EXPECT_FALSE(tail.done());
    EXPECT_EQ(feed(tail, TailDetector::kQuietLevel * 0.99f, 64), 64u);
    EXPECT_EQ(feed(tail, 0.0f, 64), 36u);  // the window ends inside this block
    EXPECT_TRUE(tail.done());
    EXPECT_EQ(tail.rendered(), 60 + 10 + 100);
    EXPECT_EQ(feed(tail, 0.0f, 64), 0u);
}

TEST(TailDetector, LevelsAtMinus90dBFSOrNotANumberCountAsSound) {
    auto tail = TailDetector::untilQuiet(10, 1000);
    feed(tail, TailDetector::kQuietLevel, 20);
    feed(tail, std::numeric_limits<float>::quiet_NaN(), 20);
    EXPECT_FALSE(tail.done());
}

TEST(TailDetector, NeverDecayingOutputStopsAtTheCap) {
    auto tail = TailDetector::untilQuiet(10, 250);
    std::size_t kept = 0;
    while (!tail.done()) kept += feed(tail, 1.0f, 64);
    EXPECT_EQ(kept, 250u);
}

TEST(TailDetector, FixedLengthIgnoresTheLevel) {
    auto none = TailDetector::fixedLength(0);
    EXPECT_TRUE(none.done());
    auto tail = TailDetector::fixedLength(100);
    EXPECT_EQ(feed(tail, 0.0f, 64), 64u);
    EXPECT_EQ(tail.remaining(), 36);
    EXPECT_EQ(feed(tail, 1.0f, 64), 36u);
    EXPECT_TRUE(tail.done());
}
