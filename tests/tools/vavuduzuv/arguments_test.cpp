#include "vavuduzuv/arguments.h"

#include <gtest/gtest.h>

namespace {

TEST(CheckArguments, AcceptsExactlyOneUsablePath) {
    EXPECT_EQ(CheckArguments({"C:\\Videos\\Tom & Jerry \xC3\xA9.mp4"}), ArgumentCheck::kOnePath);
    EXPECT_EQ(CheckArguments({}), ArgumentCheck::kMissing);
    EXPECT_EQ(CheckArguments({"C:\\a.mp4", "C:\\b.mp4"}), ArgumentCheck::kTooMany);
    EXPECT_EQ(CheckArguments({""}), ArgumentCheck::kEmpty);
}

TEST(CheckArguments, RefusesPathsThatWouldBreakAPlaylistLine) {
    EXPECT_EQ(CheckArguments({"C:\\a.mp4\r\nC:\\b.mp4"}), ArgumentCheck::kControlCharacter);
    EXPECT_EQ(CheckArguments({"C:\\a\t.mp4"}), ArgumentCheck::kControlCharacter);
    EXPECT_EQ(CheckArguments({std::string("C:\\a\0.mp4", 9)}), ArgumentCheck::kControlCharacter);
}

}  // namespace
