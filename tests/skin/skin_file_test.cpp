#include "skin/skin_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// How a line is read (its ends, case, the first "=", overlong lines, every
// byte it may hold) is the skin_file fuzz harness's, over seeds of each; here
// a file that is not there, and element paths beyond the limit, refused whole.
TEST(SkinFile, AMissingFileFindsNothingAndElementPathsBeyondTheLimitAreRefusedNotCut) {
    for (const char* path : {"", "no such folder/no such skin.ini"}) {
        std::string value = "untouched";
        EXPECT_FALSE(FindSkinValue(path, "title", value));
        EXPECT_EQ(value, "") << path;
    }
    std::string path;
    const std::string directory(kSkinValueLimit - 6, 'd');
    EXPECT_TRUE(ComposeSkinPath(directory, "a.bmp", path));
    EXPECT_EQ(path.size(), kSkinValueLimit);
    EXPECT_FALSE(ComposeSkinPath(directory, "ab.bmp", path));
    EXPECT_EQ(path, directory + "\\ab.bmp") << "the refused path is kept whole for the message";
}

}  // namespace
