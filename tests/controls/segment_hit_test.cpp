#include "controls/segment_hit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The device tab bar: 447 pixels from x 50, six segments. Across it the
// segment never goes back, all six are equally wide from the left edge on, and
// the pixels the division leaves at the right end hit none; nor does a bar
// without segments or without a pixel for each.
TEST(SegmentHit, EqualSegmentsFromTheLeftEdgeAndTheRestHitsNone) {
    std::vector<int> widths(6);
    int last = 0;
    for (int x = 50; x < 50 + 447; ++x) {
        const int segment = SegmentAt(x, 50, 447, 6);
        if (segment < 0) {
            EXPECT_GE(x, 50 + 447 - 5) << "only the rest of the division";
            continue;
        }
        EXPECT_GE(segment, last);
        last = segment;
        ++widths[segment];
    }
    EXPECT_EQ(widths, std::vector<int>(6, 74));
    EXPECT_EQ(SegmentAt(49, 50, 447, 6), -1);

    EXPECT_EQ(SegmentAt(3, 0, 447, 0), -1);
    EXPECT_EQ(SegmentAt(3, 0, 5, 6), -1);
    EXPECT_EQ(SegmentAt(0, 0, 0, 1), -1);
    EXPECT_EQ(SegmentAt(5, 0, 6, 6), 5);
}

}  // namespace
