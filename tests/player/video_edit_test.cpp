// The player with the real ffmpeg.exe, on clips that ffmpeg.exe makes for the
// test: still frames by their pixels, playback and its stops, and the events
// that must come exactly once.
#include <windows.h>

#include <gmock/gmock.h>

#include <cstdlib>
#include <memory>
#include <set>

#include "player/preview.h"
#include "player_host.h"
#include "support/gdi_count.h"
#include "support/temp_folder.h"
#include "test_clips.h"

namespace {

class VideoEdit : public ::testing::Test {
protected:
    static void SetUpTestSuite() { clips_ = new TestClips; }
    static void TearDownTestSuite() { delete clips_; }

    void SetUp() override {
        ASSERT_TRUE(clips_->Made()) << clips_->Problem();
        host_ = std::make_unique<PlayerHost>(FFMPEG_EXE, [](const std::string&) {});
    }

    CVideoEdit& Player() { return host_->Player(); }

    // Shows the still frame at t and returns the preview's pixels once it is painted.
    std::vector<std::uint8_t> StillAt(const std::string& clip, double t) {
        const int before = host_->Count(WM_PLAYER_PLAYCOMPLETE);
        Player().OpenRange(clip, t, Player().GetDuration(clip), 0);
        EXPECT_TRUE(Player().Run());
        EXPECT_TRUE(host_->WaitFor([&] { return host_->Count(WM_PLAYER_PLAYCOMPLETE) > before; }, 20000));
        int width = 0, height = 0;
        return host_->Pixels(width, height);
    }

    // Hands the player's PlayComplete to the preview, as the main window does.
    void Forward(CPreview& preview) {
        host_->onEvent = [&preview](const PlayerHost::Event& event) {
            if (event.message == WM_PLAYER_PLAYCOMPLETE) preview.OnPlayComplete(false);
        };
    }

    bool WaitForPlayComplete(int count, DWORD timeoutMs = 20000) {
        return host_->WaitFor([&] { return host_->Count(WM_PLAYER_PLAYCOMPLETE) >= count; }, timeoutMs);
    }

    static TestClips* clips_;
    std::unique_ptr<PlayerHost> host_;
};

TestClips* VideoEdit::clips_ = nullptr;

std::size_t DistinctColours(const std::vector<std::uint8_t>& pixels) {
    std::set<std::uint32_t> colours;
    for (std::size_t n = 0; n + 2 < pixels.size(); n += 3) {
        colours.insert(pixels[n] | pixels[n + 1] << 8 | pixels[n + 2] << 16);
    }
    return colours.size();
}

double ShareDiffering(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    if (a.size() != b.size() || a.empty()) return 1.0;
    std::size_t differing = 0;
    for (std::size_t n = 0; n < a.size(); ++n) differing += std::abs(a[n] - b[n]) > 24 ? 1 : 0;
    return static_cast<double>(differing) / a.size();
}

bool RowIsBlack(const std::vector<std::uint8_t>& pixels, int width, int row) {
    for (int x = 0; x < width * 3; ++x) {
        if (pixels[static_cast<std::size_t>(row * width * 3 + x)] > 16) return false;
    }
    return true;
}

TEST_F(VideoEdit, StillFramesShowTheirTimeAndKeepTheDisplayAspect) {
    const std::vector<std::uint8_t> one = StillAt(clips_->Path("clip.avi"), 1.0);
    EXPECT_GT(DistinctColours(one), 8u) << "a real frame, not a plain area";
    const std::vector<std::uint8_t> three = StillAt(clips_->Path("clip.avi"), 3.0);
    EXPECT_GT(ShareDiffering(one, three), 0.01) << "the frame at 3.0 s is another frame";
    EXPECT_EQ(host_->Count(WM_PLAYER_PLAYCOMPLETE), 2);

    // 16:9 in a 348 x 188 box: bars left and right, none above or below.
    int width = 0, height = 0;
    StillAt(clips_->Path("wide.mp4"), 1.0);
    const std::vector<std::uint8_t> wide = host_->Pixels(width, height);
    EXPECT_FALSE(RowIsBlack(wide, width, 0));
    EXPECT_FALSE(RowIsBlack(wide, width, height - 1));
    for (const int x : {0, 1, width - 2, width - 1}) {
        EXPECT_LT(wide[static_cast<std::size_t>(3 * (height / 2 * width + x))], 16) << "bar at column " << x;
    }
}

TEST_F(VideoEdit, AStillPastTheEndIsTakenAtZeroByThePreview) {
    CPreview preview(Player());
    Forward(preview);
    preview.ShowStillFrame(clips_->Path("clip.avi"), 60.0, false);
    EXPECT_TRUE(preview.Busy());
    ASSERT_TRUE(WaitForPlayComplete(1));
    EXPECT_FALSE(preview.Busy());
    int width = 0, height = 0;
    const std::vector<std::uint8_t> pastEnd = host_->Pixels(width, height);
    EXPECT_LT(ShareDiffering(pastEnd, StillAt(clips_->Path("clip.avi"), 0.0)), 0.001);
}

TEST_F(VideoEdit, StopEndsPlaybackAtOnceKeepingTheFrameAndCloseAfterItChangesNothing) {
    Player().OpenRange(clips_->Path("clip.avi"), 0.0, 4.0, 1);
    ASSERT_TRUE(Player().Run());
    EXPECT_FALSE(Player().Run()) << "a second Run while playing is refused";
    ASSERT_TRUE(host_->WaitFor([&] { return Player().FramesShown() >= 5; }, 20000));
    Player().Stop();
    const int shown = Player().FramesShown();
    host_->Settle();
    EXPECT_EQ(host_->Count(WM_PLAYER_PLAYCOMPLETE), 1);
    int width = 0, height = 0;
    EXPECT_GT(DistinctColours(host_->Pixels(width, height)), 8u) << "the last frame stays";
    Player().Stop();
    Player().Close();
    host_->Settle();
    EXPECT_EQ(host_->Count(WM_PLAYER_PLAYCOMPLETE), 1);
    EXPECT_EQ(Player().FramesShown(), shown);
}

TEST_F(VideoEdit, ASecondPlayRequestBeforePlayCompleteDoesNothing) {
    CPreview preview(Player());
    Forward(preview);
    ConversionItem item;
    item.sourcePath = clips_->Path("silent.avi");
    item.beginTime = 0.0;
    item.endTime = 1.0;
    preview.Play(item, false);
    preview.Play(item, false);
    preview.ShowStillFrame(item.sourcePath, 0.5, false);
    ASSERT_TRUE(WaitForPlayComplete(1));
    host_->Settle();
    EXPECT_EQ(host_->Count(WM_PLAYER_PLAYCOMPLETE), 1);
    EXPECT_FALSE(preview.Busy());
    preview.Play(item, true);
    EXPECT_FALSE(preview.Busy()) << "no preview during a run";
}

// (Durations of real clips are checked against ffprobe end to end.)
TEST_F(VideoEdit, EveryRunEndsWithPlayCompleteEvenWhenNothingCanBeShown) {
    for (const std::string& unreadable : {clips_->Path("broken.avi"), clips_->Path("missing.avi"), std::string()}) {
        EXPECT_EQ(Player().GetDuration(unreadable), 0.0) << unreadable;
    }
    CPreview preview(Player());
    Forward(preview);
    preview.ShowStillFrame(clips_->Path("broken.avi"), 1.0, false);
    ASSERT_TRUE(WaitForPlayComplete(1));
    EXPECT_FALSE(preview.Busy());
    Player().Close();
    EXPECT_FALSE(Player().Run()) << "nothing open";
    ASSERT_TRUE(WaitForPlayComplete(2));
    Player().OpenRange(clips_->Path("clip.avi"), 0.0, 4.0, 1);
    ASSERT_TRUE(Player().Run());
    Player().Close();
    host_->Settle();
    EXPECT_EQ(host_->Count(WM_PLAYER_PLAYCOMPLETE), 3);
}

TEST_F(VideoEdit, ShowingFramesAndEndingThePlayerKeepsNoGdiObjects) {
    host_.reset();
    const int before = CountGdiObjects();
    for (int round = 0; round < 2; ++round) {
        host_ = std::make_unique<PlayerHost>(FFMPEG_EXE, [](const std::string&) {});
        StillAt(clips_->Path("clip.avi"), 1.0);
        StillAt(clips_->Path("wide.mp4"), 1.0);
        host_.reset();
    }
    EXPECT_EQ(CountGdiObjects(), before);
}

}  // namespace
