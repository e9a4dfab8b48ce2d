// The vote over three stored copies: four ordered tests, the last that holds wins.

#include <gtest/gtest.h>

#include "recorder/pointer_block.h"
#include "recorder/records.h"

namespace {

using recorder::vote;

TEST(PointerVote, LaterTestsOverrideEarlierOnes) {
    EXPECT_EQ(vote(5, 5, 7), 5u);  // c1 == c2
    EXPECT_EQ(vote(6, 9, 5), 6u);  // c1 - c3 == 1 alone
    EXPECT_EQ(vote(6, 5, 5), 5u);  // c2 == c3 overrides c1 - c3 == 1
    EXPECT_EQ(vote(7, 3, 7), 7u);  // c1 == c3
    EXPECT_EQ(vote(1, 2, 3), 0u);  // nothing holds: the start value
    EXPECT_EQ(vote(1, 2, 3, 42), 42u);
    EXPECT_EQ(vote(0, 0, 0), 0u);
    EXPECT_EQ(vote(2070, 2070, 2060), 2070u);
}

TEST(PointerVote, DifferenceTestIsOnNonNegativeCopies) {
    EXPECT_EQ(vote(5, 9, 6), 0u);      // c1 - c3 == -1 does not count
    EXPECT_EQ(vote(0, 9, 65535), 0u);  // no wrap-around
    EXPECT_EQ(vote(65535, 9, 65534), 65535u);
}

TEST(PointerBlockCounts, BufferFramesAndRegions) {
    recorder::PointerBlock p;
    p.frame = {0, 0, 0};
    EXPECT_EQ(recorder::votedBufferFrameCount(p), 33);
    p.frame = {1, 2, 3};
    EXPECT_EQ(recorder::votedBufferFrameCount(p), 33);
    p.frame = {5, 5, 7};
    EXPECT_EQ(recorder::votedBufferFrameCount(p), 5);

    using recorder::regionCount;
    EXPECT_EQ(regionCount(2070, 2020, 2600), 5);
    EXPECT_EQ(regionCount(2020, 2020, 2600), 0);
    EXPECT_EQ(regionCount(2029, 2020, 2600), 0);  // a partial record does not count
    EXPECT_EQ(regionCount(0, 2020, 2600), 0);     // below the start: empty
    EXPECT_EQ(regionCount(2019, 2020, 2600), 0);
    EXPECT_EQ(regionCount(28020, 2020, 2600), 2600);  // full region
    EXPECT_EQ(regionCount(65535, 2020, 2600), 2600);  // beyond the room: cut to it
}

}  // namespace
