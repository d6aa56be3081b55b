// The walk over a profile block is checked by its fuzzing harness.
#include "engine/profile_block.h"

#include <gtest/gtest.h>

namespace {

TEST(ProfileNumber, ReadsLeadingDigitsLikeAtoi) {
    EXPECT_EQ(ProfileNumber("3"), 3);
    EXPECT_EQ(ProfileNumber("  12abc"), 12);
    EXPECT_EQ(ProfileNumber("-2"), -2);
    EXPECT_EQ(ProfileNumber(""), 0);
    EXPECT_EQ(ProfileNumber("first"), 0);
    EXPECT_EQ(ProfileNumber("99999999999999999999"), 2147483647);
}

}  // namespace
