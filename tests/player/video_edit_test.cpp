// The player with the real ffmpeg.exe, on clips that ffmpeg.exe makes for the
// test: still frames by their pixels, playback and its stops, and the events
// that must come exactly once.
#include <windows.h>

#include <gmock/gmock.h>

#include <memory>
#include <set>

#include "controls/control_test_support.h"
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
    Pixels StillAt(const std::string& clip, double t) {
        const int before = host_->Count(WM_PLAYER_PLAYCOMPLETE);
        Player().OpenRange(clip, t, Player().GetDuration(clip), 0);
        EXPECT_TRUE(Player().Run());
        EXPECT_TRUE(PumpUntil([&] { return host_->Count(WM_PLAYER_PLAYCOMPLETE) > before; }, 20000));
        return Shown();
    }
    Pixels Shown() { return PrintClient(Player().Handle()); }

    // A preview of the player that gets its PlayComplete, as the main window hands it on.
    CPreview& ForwardedPreview() {
        preview_ = std::make_unique<CPreview>(Player());
        host_->onEvent = [this](const PlayerHost::Event& event) {
            if (event.message == WM_PLAYER_PLAYCOMPLETE) preview_->OnPlayComplete(false);
        };
        return *preview_;
    }

    bool WaitForPlayComplete(int count, DWORD timeoutMs = 20000) {
        return PumpUntil([&] { return host_->Count(WM_PLAYER_PLAYCOMPLETE) >= count; }, timeoutMs);
    }

    static inline TestClips* clips_ = nullptr;
    std::unique_ptr<PlayerHost> host_;
    std::unique_ptr<CPreview> preview_;  // goes before the player it previews
};

std::size_t DistinctColours(const Pixels& pixels) {
    return std::set<std::uint32_t>(pixels.data.begin(), pixels.data.end()).size();
}

// Where the picture goes in the box is tested natively, and the screenshots
// show a 16:9 still with its bars.
TEST_F(VideoEdit, StillFramesShowTheFrameOfTheirTime) {
    const Pixels one = StillAt(clips_->Path("clip.avi"), 1.0);
    EXPECT_GT(DistinctColours(one), 8u) << "a real frame, not a plain area";
    const Pixels three = StillAt(clips_->Path("clip.avi"), 3.0);
    EXPECT_NE(one.data, three.data) << "the frame at 3.0 s is another frame";
}

TEST_F(VideoEdit, StopEndsPlaybackAtOnceKeepingTheFrameAndCloseAfterItChangesNothing) {
    Player().OpenRange(clips_->Path("clip.avi"), 0.0, 4.0, 1);
    ASSERT_TRUE(Player().Run());
    EXPECT_FALSE(Player().Run()) << "a second Run while playing is refused";
    ASSERT_TRUE(PumpUntil([&] { return Player().FramesShown() >= 5; }, 20000));
    Player().Stop();
    const int shown = Player().FramesShown();
    EXPECT_EQ(host_->SettledCount(WM_PLAYER_PLAYCOMPLETE), 1);
    EXPECT_GT(DistinctColours(Shown()), 8u) << "the last frame stays";
    Player().Stop();
    Player().Close();
    EXPECT_EQ(host_->SettledCount(WM_PLAYER_PLAYCOMPLETE), 1);
    EXPECT_EQ(Player().FramesShown(), shown);
}

// Durations are checked against ffprobe end to end; an unreadable file's is
// the media report's case and the main window's unreadable files case.
TEST_F(VideoEdit, EveryRunEndsWithOnePlayCompleteAndThePreviewTakesNoRequestBeforeIt) {
    CPreview& preview = ForwardedPreview();
    ConversionItem item;
    item.sourcePath = clips_->Path("silent.avi");
    item.endTime = 1.0;
    preview.Play(item, false);
    preview.Play(item, false);
    preview.ShowStillFrame(item.sourcePath, 0.5, false);
    ASSERT_TRUE(WaitForPlayComplete(1));
    EXPECT_EQ(host_->SettledCount(WM_PLAYER_PLAYCOMPLETE), 1);
    EXPECT_FALSE(preview.Busy());
    preview.Play(item, true);
    EXPECT_FALSE(preview.Busy()) << "no preview during a run";

    // Even when nothing can be shown.
    preview.ShowStillFrame(clips_->Path("broken.avi"), 1.0, false);
    ASSERT_TRUE(WaitForPlayComplete(2));
    EXPECT_FALSE(preview.Busy());
    Player().OpenRange(clips_->Path("clip.avi"), 0.0, 4.0, 1);
    ASSERT_TRUE(Player().Run());
    Player().Close();
    EXPECT_EQ(host_->SettledCount(WM_PLAYER_PLAYCOMPLETE), 3);
}

TEST_F(VideoEdit, AStillFrameThatNeverComesEndsAtTheLimitAndFreesThePreview) {
    TempFolder folder;
    const std::string source = folder.Write("stalled.avi", "never read");
    host_ = std::make_unique<PlayerHost>(
        STALLED_ENCODER_EXE, [](const std::string&) {}, PlayerLimits{1000, 60000});
    CPreview& preview = ForwardedPreview();
    preview.ShowStillFrame(source, 1.0, false);
    ASSERT_TRUE(WaitForPlayComplete(1, 10000)) << "ended by the player's limit, not by the source";
    EXPECT_FALSE(preview.Busy()) << "the next still frame or Play is not dropped";
}

TEST_F(VideoEdit, ShowingFramesAndEndingThePlayerKeepsNoGdiObjects) {
    host_.reset();
    const auto cycle = [&] {
        host_ = std::make_unique<PlayerHost>(FFMPEG_EXE, [](const std::string&) {});
        StillAt(clips_->Path("clip.avi"), 1.0);
        StillAt(clips_->Path("wide.mp4"), 1.0);
        host_.reset();
    };
    EXPECT_EQ(GdiObjectsLeftBy(cycle), 0);
}

}  // namespace
