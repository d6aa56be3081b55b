#include "engine/profile_block.h"

#include <gmock/gmock.h>

#include <string>

namespace {

// How a block is walked, and that any int reads back, is the profile_block fuzz
// harness's, over seeds at the block's ends.
TEST(ProfileNumber, ReadsLeadingDigitsLikeAtoiAndClamps) {
    EXPECT_EQ(ProfileNumber("  12abc"), 12);
    EXPECT_EQ(ProfileNumber(""), 0);
    EXPECT_EQ(ProfileNumber("first"), 0);
    EXPECT_EQ(ProfileNumber("99999999999999999999"), 2147483647);
}

}  // namespace
