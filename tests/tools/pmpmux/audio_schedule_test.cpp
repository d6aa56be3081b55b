#include "pmpmux/audio_schedule.h"

#include <gmock/gmock.h>

// Which audio frames go with each video frame of a .pmp. What is written is
// read back by pmpmux's own check, which the pmpmux fuzz harness holds it to,
// and by ffprobe in the end-to-end tier; the check's refusal of damaged files
// is the pmp_check fuzz harness's.

namespace {

using ::testing::HasSubstr;

// Timings are {video frames, video scale, video rate, MP3 frames, samples per
// audio frame, sample rate}. Over a long NTSC clip the sums neither drift nor
// leave a packet empty: the count before the end of frame i is
// ceil((i + 1) * 1001 / 30000 * 44100 / 1152).
// Every 38,400 frames an audio frame starts just as a video frame ends: it
// goes with the next video frame.
TEST(AudioSchedule, LongClipsMatchTheClosedFormAndNeverLeaveAPacketEmpty) {
    const std::uint32_t frames = 200000;
    AudioSchedule schedule;
    std::string error;
    ASSERT_TRUE(ScheduleAudio({frames, 1001, 30000, 1u << 30, 1152, 44100}, &schedule, &error)) << error;
    std::uint64_t taken = 0;
    for (std::uint32_t i = 0; i < frames; ++i) {
        ASSERT_GE(schedule.packets[i].Total(), 1u) << i;
        taken += schedule.packets[i].Total();
        const std::uint64_t numerator = (i + 1ull) * 1001 * 44100;
        const std::uint64_t denominator = 30000ull * 1152;
        ASSERT_EQ(taken, (numerator + denominator - 1) / denominator) << i;
    }
}

TEST(AudioSchedule, RefusesMoreAudioFramesThanAPacketCounts) {
    AudioSchedule schedule;
    std::string error;
    // A packet counts its audio frames in one byte. One frame every 10 s needs
    // 383 audio frames per packet.
    EXPECT_FALSE(ScheduleAudio({10, 10, 1, 100, 1152, 44100}, &schedule, &error));
    EXPECT_THAT(error, HasSubstr("at most 255"));
    // Exactly 255 per packet is still allowed: 255 * 1152 samples per frame.
    EXPECT_TRUE(ScheduleAudio({2, 255 * 1152, 44100, 100, 1152, 44100}, &schedule, &error)) << error;
    EXPECT_EQ(schedule.maxFramesPerPacket, 255u);
}

}  // namespace
