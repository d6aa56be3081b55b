#include "pmpmux/audio_schedule.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

AudioTiming Timing(std::uint32_t videoFrames, std::uint32_t scale, std::uint32_t rate, std::uint64_t audioFrames,
                   std::uint32_t samplesPerFrame = 1152, std::uint32_t sampleRate = 44100) {
    AudioTiming timing;
    timing.videoFrames = videoFrames;
    timing.videoScale = scale;
    timing.videoRate = rate;
    timing.audioFrames = audioFrames;
    timing.samplesPerFrame = samplesPerFrame;
    timing.sampleRate = sampleRate;
    return timing;
}

AudioSchedule Schedule(const AudioTiming& timing) {
    AudioSchedule schedule;
    std::string error;
    EXPECT_TRUE(ScheduleAudio(timing, &schedule, &error)) << error;
    return schedule;
}

std::vector<std::uint32_t> Totals(const AudioSchedule& schedule) {
    std::vector<std::uint32_t> totals;
    for (const PacketAudio& packet : schedule.packets) totals.push_back(packet.Total());
    return totals;
}

std::vector<std::uint32_t> Silent(const AudioSchedule& schedule) {
    std::vector<std::uint32_t> silent;
    for (const PacketAudio& packet : schedule.packets) silent.push_back(packet.silentFrames);
    return silent;
}

// Audio frame k starts at k * 1152 / 44100 s (26.12 ms); 25 fps frames end
// every 40 ms: frames 0-1 start before 40 ms, 2-3 before 80, 4 before 120
// (4 starts at 104.5 ms, 5 at 130.6), 5-6 before 160 ms.
TEST(AudioSchedule, EachVideoFrameTakesTheAudioFramesStartingBeforeItsEnd) {
    const AudioSchedule schedule = Schedule(Timing(4, 1, 25, 100));
    EXPECT_THAT(Totals(schedule), ElementsAre(2, 2, 1, 2));
    EXPECT_EQ(schedule.maxFramesPerPacket, 2u);
    EXPECT_EQ(schedule.mp3FramesUsed, 7u);  // the rest starts after the video ends and is dropped
}

TEST(AudioSchedule, PadsWithSilenceOnTheSameTimeGridWhenTheAudioEndsFirst) {
    const AudioSchedule schedule = Schedule(Timing(4, 1, 25, 3));
    EXPECT_THAT(Totals(schedule), ElementsAre(2, 2, 1, 2));
    EXPECT_THAT(Silent(schedule), ElementsAre(0, 1, 1, 2));
    EXPECT_EQ(schedule.mp3FramesUsed, 3u);
}

// Over a long NTSC clip the sums neither drift nor leave a packet empty:
// the count before the end of frame i is ceil((i + 1) * 1001 / 30000 * 44100 / 1152).
TEST(AudioSchedule, LongClipsMatchTheClosedFormAndNeverLeaveAPacketEmpty) {
    const std::uint32_t frames = 200000;
    const AudioSchedule schedule = Schedule(Timing(frames, 1001, 30000, 1u << 30));
    std::uint64_t taken = 0;
    for (std::uint32_t i = 0; i < frames; ++i) {
        ASSERT_GE(schedule.packets[i].Total(), 1u) << i;
        taken += schedule.packets[i].Total();
        const std::uint64_t numerator = (i + 1ull) * 1001 * 44100;
        const std::uint64_t denominator = 30000ull * 1152;
        ASSERT_EQ(taken, (numerator + denominator - 1) / denominator) << i;
    }
}

TEST(AudioSchedule, EqualFrameDurationsGiveExactlyOneAudioFrameEach) {
    // An MPEG-2 frame of 576 samples at 24000 Hz lasts as long as a video frame of 576 / 24000 s.
    const AudioSchedule schedule = Schedule(Timing(5, 576, 24000, 10, 576, 24000));
    EXPECT_THAT(Totals(schedule), ElementsAre(1, 1, 1, 1, 1));
    EXPECT_EQ(schedule.maxFramesPerPacket, 1u);
}

TEST(AudioSchedule, RefusesTimingsAPacketCannotCarry) {
    AudioSchedule schedule;
    std::string error;
    // 30 fps against 16 kHz MPEG-2 (27.8 audio frames per second).
    EXPECT_FALSE(ScheduleAudio(Timing(10, 1, 30, 100, 576, 16000), &schedule, &error));
    EXPECT_THAT(error, HasSubstr("more frames per second (30.000) than the audio (27.778)"));
    // One frame every 10 s needs 383 audio frames per packet.
    EXPECT_FALSE(ScheduleAudio(Timing(10, 10, 1, 100), &schedule, &error));
    EXPECT_THAT(error, HasSubstr("at most 255"));
    EXPECT_FALSE(ScheduleAudio(Timing(10, 0, 25, 100), &schedule, &error));
    // Exactly 255 per packet is still allowed: 255 * 1152 samples per frame.
    EXPECT_TRUE(ScheduleAudio(Timing(2, 255 * 1152, 44100, 100), &schedule, &error)) << error;
    EXPECT_EQ(schedule.maxFramesPerPacket, 255u);
}

}  // namespace
