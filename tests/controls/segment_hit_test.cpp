#include "controls/segment_hit.h"

#include <gtest/gtest.h>

namespace {

// The device tab bar: 447 pixels, six segments of 74 pixels and 3 left over.
TEST(SegmentHit, EqualSegmentsFromTheLeftEdge) {
    EXPECT_EQ(SegmentAt(0, 0, 447, 6), 0);
    EXPECT_EQ(SegmentAt(73, 0, 447, 6), 0);
    EXPECT_EQ(SegmentAt(74, 0, 447, 6), 1);
    EXPECT_EQ(SegmentAt(443, 0, 447, 6), 5);
    EXPECT_EQ(SegmentAt(60, 50, 447, 6), 0);
    EXPECT_EQ(SegmentAt(124, 50, 447, 6), 1);
}

TEST(SegmentHit, NoSegmentOutsideTheSegmentsOrWithoutRoom) {
    EXPECT_EQ(SegmentAt(444, 0, 447, 6), -1);
    EXPECT_EQ(SegmentAt(446, 0, 447, 6), -1);
    EXPECT_EQ(SegmentAt(-1, 0, 447, 6), -1);
    EXPECT_EQ(SegmentAt(49, 50, 447, 6), -1);
    EXPECT_EQ(SegmentAt(3, 0, 447, 0), -1);
    EXPECT_EQ(SegmentAt(3, 0, 5, 6), -1);
    EXPECT_EQ(SegmentAt(0, 0, 0, 1), -1);
    EXPECT_EQ(SegmentAt(5, 0, 6, 6), 5);
}

}  // namespace
