#include "engine/profile_block.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

std::vector<std::string> Walk(const std::string& bytes) { return WalkProfileBlock(bytes.data(), bytes.size()); }

// A block as Windows hands it: zero padded to the reader's full size.
std::vector<std::string> WalkPadded(const std::string& bytes) {
    std::string block = bytes;
    block.resize(kProfileBlockSize, '\0');
    return Walk(block);
}

TEST(ProfileBlockWalk, EmptyOrMissingGivesOneEmptyName) {
    EXPECT_THAT(WalkPadded(""), ElementsAre(""));
    EXPECT_THAT(Walk(""), ElementsAre(""));
}

TEST(ProfileBlockWalk, BlockWithoutFinalDoubleZeroEndsAtItsSize) {
    std::string block(kProfileBlockSize, 'x');
    block[3] = '\0';
    const std::vector<std::string> names = Walk(block);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "xxx");
    EXPECT_EQ(names[1].size(), kProfileTextLimit);

    // One zero at the very end and nothing after it: the end is the block's size.
    std::string ending("a\0b", 3);
    ending += '\0';
    EXPECT_THAT(Walk(ending), ElementsAre("a", "b"));
}

TEST(ProfileNumber, ReadsLeadingDigitsLikeAtoi) {
    EXPECT_EQ(ProfileNumber("3"), 3);
    EXPECT_EQ(ProfileNumber("  12abc"), 12);
    EXPECT_EQ(ProfileNumber("-2"), -2);
    EXPECT_EQ(ProfileNumber(""), 0);
    EXPECT_EQ(ProfileNumber("first"), 0);
    EXPECT_EQ(ProfileNumber("99999999999999999999"), 2147483647);
}

}  // namespace
