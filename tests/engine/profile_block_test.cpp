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

TEST(ProfileBlockWalk, SplitsNamesInOrderUpToTheDoubleZero) {
    EXPECT_THAT(WalkPadded(std::string("Info\0profile0\0profile1\0\0", 24)),
                ElementsAre("Info", "profile0", "profile1"));
    EXPECT_THAT(WalkPadded(std::string("Info\0\0garbage\0", 14)), ElementsAre("Info"));
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

TEST(ProfileBlockWalk, KeepsTextUpToTheLimitAndCutsLonger) {
    const std::string atLimit(kProfileTextLimit, 'n');
    const std::string tooLong(kProfileTextLimit + 500, 'm');
    const std::vector<std::string> names = WalkPadded(atLimit + '\0' + tooLong + '\0' + "next" + '\0');
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], atLimit);
    EXPECT_EQ(names[1], std::string(kProfileTextLimit, 'm'));
    EXPECT_EQ(names[2], "next");
}

TEST(ProfileLineSplit, SplitsAtTheFirstEqualsSign) {
    const ProfileLine command = SplitProfileLine("Command1=cvenc -i \"$INPUT_FILE\" -metadata title=$TITLE");
    EXPECT_EQ(command.key, "Command1");
    EXPECT_EQ(command.value, "cvenc -i \"$INPUT_FILE\" -metadata title=$TITLE");

    const ProfileLine bare = SplitProfileLine("no equals here");
    EXPECT_EQ(bare.key, "");
    EXPECT_EQ(bare.value, "no equals here");

    const ProfileLine emptyValue = SplitProfileLine("Title=");
    EXPECT_EQ(emptyValue.key, "Title");
    EXPECT_EQ(emptyValue.value, "");
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
