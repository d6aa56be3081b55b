#include "vavuduzuv/playlist_update.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <future>
#include <stdexcept>
#include <string>

#include "vavuduzuv/deadline_run.h"

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

// That the path always lands on a line of its own, whatever ends the last
// line, is the playlist fuzz harness's.
TEST(PlaylistAddition, StartsWithTheHeaderOnlyInAnEmptyPlaylist) {
    EXPECT_EQ(Addition("", kClip), "#EXTM3U\r\n" + kClip + "\r\n");
    EXPECT_EQ(Addition("#EXTM3U\r\n", kClip), kClip + "\r\n");
    EXPECT_EQ(Addition("D:\\a.mp4\r\n", kClip), kClip + "\r\n");  // begun elsewhere without the header
}

TEST(PlaylistAddition, AddsNothingOnlyWhenAWholeLineNamesThePath) {
    EXPECT_EQ(Addition("#EXTM3U\r\nD:\\a.mp4\r\nc:\\my videos\\TOM & JERRY.MP4\r\nD:\\b.mp4\r\n", kClip), "");
    EXPECT_EQ(Addition("#EXTM3U\n" + kClip, kClip), "");              // last line unfinished, LF-only ends
    EXPECT_EQ(Addition("\xEF\xBB\xBF" + kClip + "\r\n", kClip), "");  // a byte-order mark is not part of the line
    // Lines that only hold the path (a longer name, a comment) are the playlist fuzz harness's.
}

using std::chrono::seconds;

// A call into iTunes that never returns must not hang the converter, which
// waits for VavuDuzuv without a limit. The stuck work here is released after
// RunWithin returns, or after five seconds: a RunWithin that waited for it
// would come back late with its result.
TEST(RunWithin, PassesOnWhatFinishesAndGivesUpOnWhatHangs) {
    EXPECT_EQ(RunWithin(seconds(30), [] { return 7; }), 7);
    EXPECT_THROW(RunWithin(seconds(30), []() -> int { throw std::runtime_error("refused"); }), std::runtime_error);

    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    const std::optional<int> result = RunWithin(std::chrono::milliseconds(50), [released] {
        released.wait_for(seconds(5));
        return 1;
    });
    release.set_value();
    EXPECT_FALSE(result.has_value());
}

}  // namespace
