#include "vavuduzuv/playlist_update.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace {

// Windows supplies the real comparison (helper_run_test uses it); ASCII
// folding is enough to see which lines the playlist logic compares.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string Addition(std::string_view existing, std::string_view path) {
    return PlaylistAddition(existing, path, SameIgnoringAsciiCase);
}

const std::string kClip = "C:\\My Videos\\Tom & Jerry.mp4";

TEST(PlaylistAddition, StartsWithTheHeaderAndOnlyEverAppendsWholeLines) {
    EXPECT_EQ(Addition("", kClip), "#EXTM3U\r\n" + kClip + "\r\n");
    EXPECT_EQ(Addition("#EXTM3U\r\n", kClip), kClip + "\r\n");
    EXPECT_EQ(Addition("#EXTM3U\r\nD:\\a.mp4", kClip), "\r\n" + kClip + "\r\n");
    EXPECT_EQ(Addition("#EXTM3U\nD:\\a.mp4\n", kClip), kClip + "\r\n");
    EXPECT_EQ(Addition("D:\\a.mp4\r\n", kClip), kClip + "\r\n");  // begun elsewhere without the header
}

TEST(PlaylistAddition, AddsNothingOnlyWhenAWholeLineNamesThePath) {
    EXPECT_EQ(Addition("#EXTM3U\r\nD:\\a.mp4\r\nc:\\my videos\\TOM & JERRY.MP4\r\nD:\\b.mp4\r\n", kClip), "");
    EXPECT_EQ(Addition("#EXTM3U\n" + kClip, kClip), "");              // last line unfinished, LF-only ends
    EXPECT_EQ(Addition("\xEF\xBB\xBF" + kClip + "\r\n", kClip), "");  // a byte-order mark is not part of the line
    // Part of the path, more than the path, the path in a comment: not listed yet.
    for (const std::string& line :
         {kClip.substr(0, kClip.size() - 4), kClip + ".bak", " " + kClip, "#EXTINF:-1," + kClip}) {
        EXPECT_NE(Addition("#EXTM3U\r\n" + line + "\r\n", kClip), "") << line;
    }
}

}  // namespace
