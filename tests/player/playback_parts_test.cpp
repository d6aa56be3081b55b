// The parts of playback that need no window: where the picture goes, which
// clock it follows, how frames wait for it, and the export's command.
#include <gmock/gmock.h>

#include <cmath>
#include <thread>

#include "player/encoder_commands.h"
#include "player/frame_queue.h"
#include "player/picture_fit.h"
#include "player/playback_clock.h"

namespace {

// No aspect fills the box, and a tiny box holds nothing.
TEST(PictureFit, KeepsTheDisplayAspectWithAlignedSizesOrFillsTheBoxWithoutOne) {
    for (const double aspect : {4.0 / 3.0, 16.0 / 9.0, 2.39, 0.5625, 1.0}) {
        const PictureRect fit = FitPicture(348, 188, aspect);
        SCOPED_TRACE(aspect);
        EXPECT_EQ(fit.width % 4, 0);
        EXPECT_EQ(fit.height % 2, 0);
        EXPECT_TRUE(fit.width >= 344 || fit.height >= 186) << "touches two sides of the box";
        EXPECT_NEAR(static_cast<double>(fit.width) / fit.height, aspect, aspect * 0.03);
    }

    for (const double unknown : {std::nan(""), 0.0, -1.0}) {
        const PictureRect fill = FitPicture(348, 188, unknown);
        EXPECT_EQ(std::make_pair(fill.width, fill.height), std::make_pair(348, 188)) << unknown;
    }
    EXPECT_EQ(FitPicture(3, 100, 1.0).width, 0);
    EXPECT_EQ(FitPicture(100, 100, 1000.0).height, 0) << "a sliver too thin to show";
}

TEST(PlaybackClock, FollowsTheSoundCardUntilItStraysThenTheWallClockForGood) {
    PlaybackClock clock;
    EXPECT_DOUBLE_EQ(clock.Now(1.0, 1.25), 1.25);
    EXPECT_DOUBLE_EQ(clock.Now(2.0, 2.5), 2.0) << "a card half a second astray is dropped";
    EXPECT_DOUBLE_EQ(clock.Now(3.0, 3.1), 3.0) << "and not taken back";
    EXPECT_DOUBLE_EQ(PlaybackClock().Now(0.5, -1.0), 0.5) << "a source without sound";
}

Frame At(double time) { return Frame{time, std::vector<std::uint8_t>(3, 0)}; }

TEST(FrameQueue, ClosingReleasesAReaderWaitingForRoom) {
    FrameQueue queue(1);
    bool secondAccepted = true;
    std::thread reader([&] {
        queue.Push(At(0.0));
        secondAccepted = queue.Push(At(0.04));  // waits: the queue is full
    });
    queue.Close();
    reader.join();
    EXPECT_FALSE(secondAccepted);
    EXPECT_FALSE(queue.Push(At(0.08)));
}

// The export's progress lines, in any pieces: the progress_lines fuzz harness.

TEST(EncoderCommands, MpegRatesAreExactFractions) {
    EXPECT_EQ(FrameRateText(23.976f), "24000/1001");
    EXPECT_EQ(FrameRateText(25.0f), "25.000");
}

}  // namespace
