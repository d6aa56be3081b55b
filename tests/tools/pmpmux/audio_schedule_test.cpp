#include "pmpmux/audio_schedule.h"

#include <gmock/gmock.h>

namespace {

using ::testing::HasSubstr;

// Timings are {video frames, video scale, video rate, MP3 frames, samples per
// audio frame, sample rate}.
AudioSchedule Schedule(const AudioTiming& timing) {
    AudioSchedule schedule;
    std::string error;
    EXPECT_TRUE(ScheduleAudio(timing, &schedule, &error)) << error;
    return schedule;
}

// Each packet as "MP3 frames+silent frames".
std::string Packets(const AudioSchedule& schedule) {
    std::string text;
    for (const PacketAudio& packet : schedule.packets) {
        text +=
            (text.empty() ? "" : " ") + std::to_string(packet.mp3Frames) + "+" + std::to_string(packet.silentFrames);
    }
    return text;
}

// Audio frame k starts at k * 1152 / 44100 s (26.12 ms); 25 fps frames end
// every 40 ms: frames 0-1 start before 40 ms, 2-3 before 80, 4 before 120
// (4 starts at 104.5 ms, 5 at 130.6), 5-6 before 160 ms.
TEST(AudioSchedule, TakesTheAudioStartingBeforeEachFrameEndsAndPadsOnTheSameGrid) {
    const AudioSchedule schedule = Schedule({4, 1, 25, 100, 1152, 44100});
    EXPECT_EQ(Packets(schedule), "2+0 2+0 1+0 2+0");
    EXPECT_EQ(schedule.mp3FramesUsed, 7u);  // the rest starts after the video ends and is dropped
    EXPECT_EQ(Packets(Schedule({4, 1, 25, 3, 1152, 44100})), "2+0 1+1 0+1 0+2");

    // Audio frames exactly as long as video frames: one each, frame k not
    // counted as starting before the end of video frame k - 1.
    EXPECT_EQ(Packets(Schedule({5, 576, 24000, 10, 576, 24000})), "1+0 1+0 1+0 1+0 1+0");
}

// Over a long NTSC clip the sums neither drift nor leave a packet empty:
// the count before the end of frame i is ceil((i + 1) * 1001 / 30000 * 44100 / 1152).
TEST(AudioSchedule, LongClipsMatchTheClosedFormAndNeverLeaveAPacketEmpty) {
    const std::uint32_t frames = 200000;
    const AudioSchedule schedule = Schedule({frames, 1001, 30000, 1u << 30, 1152, 44100});
    std::uint64_t taken = 0;
    for (std::uint32_t i = 0; i < frames; ++i) {
        ASSERT_GE(schedule.packets[i].Total(), 1u) << i;
        taken += schedule.packets[i].Total();
        const std::uint64_t numerator = (i + 1ull) * 1001 * 44100;
        const std::uint64_t denominator = 30000ull * 1152;
        ASSERT_EQ(taken, (numerator + denominator - 1) / denominator) << i;
    }
}

TEST(AudioSchedule, RefusesTimingsAPacketCannotCarry) {
    AudioSchedule schedule;
    std::string error;
    // 30 fps against 16 kHz MPEG-2 (27.8 audio frames per second).
    EXPECT_FALSE(ScheduleAudio({10, 1, 30, 100, 576, 16000}, &schedule, &error));
    EXPECT_THAT(error, HasSubstr("more frames per second (30.000) than the audio (27.778)"));
    // One frame every 10 s needs 383 audio frames per packet.
    EXPECT_FALSE(ScheduleAudio({10, 10, 1, 100, 1152, 44100}, &schedule, &error));
    EXPECT_THAT(error, HasSubstr("at most 255"));
    EXPECT_FALSE(ScheduleAudio({10, 0, 25, 100, 1152, 44100}, &schedule, &error));
    // Exactly 255 per packet is still allowed: 255 * 1152 samples per frame.
    EXPECT_TRUE(ScheduleAudio({2, 255 * 1152, 44100, 100, 1152, 44100}, &schedule, &error)) << error;
    EXPECT_EQ(schedule.maxFramesPerPacket, 255u);
}

}  // namespace
