#include "vavuduzuv/playlist_update.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

// Windows supplies the real comparison; ASCII folding is enough to see that
// the playlist logic asks for it on every listed line and only there.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string Addition(std::string_view existing, std::string_view path) {
    return PlaylistAddition(existing, path, SameIgnoringAsciiCase);
}

const std::string kClip = "C:\\My Videos\\Tom & Jerry.mp4";

TEST(PlaylistAddition, StartsAnEmptyPlaylistWithTheHeader) {
    EXPECT_EQ(Addition("", kClip), "#EXTM3U\r\n" + kClip + "\r\n");
}

TEST(PlaylistAddition, AppendsOnlyNewLinesAndEndsAnUnfinishedLastLine) {
    EXPECT_EQ(Addition("#EXTM3U\r\n", kClip), kClip + "\r\n");
    EXPECT_EQ(Addition("#EXTM3U\r\nD:\\a.mp4", kClip), "\r\n" + kClip + "\r\n");
    EXPECT_EQ(Addition("#EXTM3U\nD:\\a.mp4\n", kClip), kClip + "\r\n");
    // A playlist someone else began without the header keeps its first line.
    EXPECT_EQ(Addition("D:\\a.mp4\r\n", kClip), kClip + "\r\n");
}

TEST(PlaylistAddition, AddsNothingWhenAnyLineAlreadyNamesThePath) {
    EXPECT_EQ(Addition("#EXTM3U\r\n" + kClip + "\r\n", kClip), "");
    EXPECT_EQ(Addition("#EXTM3U\r\nD:\\a.mp4\r\nc:\\my videos\\TOM & JERRY.MP4\r\nD:\\b.mp4\r\n", kClip), "");
    EXPECT_EQ(Addition("#EXTM3U\n" + kClip, kClip), "");              // last line unfinished, LF-only ends
    EXPECT_EQ(Addition("\xEF\xBB\xBF" + kClip + "\r\n", kClip), "");  // a byte-order mark is not part of the line
}

TEST(PlaylistAddition, TellsApartPathsThatOnlyShareAPartOrAppearInAComment) {
    EXPECT_NE(Addition("#EXTM3U\r\n" + kClip + ".bak\r\n", kClip), "");
    EXPECT_NE(Addition("#EXTM3U\r\nC:\\My Videos\\Tom & Jerry\r\n", kClip), "");
    EXPECT_NE(Addition("#EXTM3U\r\n#EXTINF:-1," + kClip + "\r\n", kClip), "");
    EXPECT_NE(Addition("#EXTM3U\r\n " + kClip + "\r\n", kClip), "");
}

}  // namespace
