#include "pmpmux/pmp_writer.h"

#include <gmock/gmock.h>

#include "pmpmux/audio_schedule.h"
#include "pmpmux/pmp_check.h"
#include "test_streams.h"

namespace {

using ::testing::HasSubstr;

// Two MPEG-4 frames at 25 fps against three 417-byte MP3 frames (26.1 ms
// each): the first video frame takes audio frames 0 and 1, the second takes
// frame 2 and one silent frame.
class TinyPmp : public ::testing::Test {
protected:
    // Reads both inputs, plans and writes as pmpmux does.
    void SetUp() override {
        AviLayout layout;
        layout.scale = 1;
        layout.rate = 25;
        layout.frames = {{Mpeg4Vop(0, 40), true}, {Mpeg4Vop(1, 21), false}};
        MemorySource videoFile(MakeAvi(layout)), audioFile(audioBytes_);
        AviVideo video;
        Mp3Stream audio;
        PmpPlan plan;
        MemorySink sink;
        std::string error;
        ASSERT_TRUE(ReadAviVideo(videoFile, &video, &error) && ReadMp3Stream(audioFile, &audio, &error) &&
                    PlanPmp(video, audio, &plan, &error) &&
                    WritePmp(plan, video, videoFile, audio, audioFile, sink, &error))
            << error;
        written_ = sink.Bytes();
    }

    // "sound", or why -check refuses the file.
    std::string Check(const std::string& pmp, const std::string& audioBytes) {
        MemorySource pmpFile(pmp), audioFile(audioBytes);
        Mp3Stream audio;
        std::string error;
        EXPECT_TRUE(ReadMp3Stream(audioFile, &audio, &error)) << error;
        return CheckPmp(pmpFile, audio, audioFile, &error) ? "sound" : error;
    }

    // Why -check refuses the written file with `bytes` put in at `at`.
    std::string Damaged(std::size_t at, const std::string& bytes) {
        return Check(std::string(written_).replace(at, bytes.size(), bytes), audioBytes_);
    }

    const std::string audioFrames_[3] = {Mp3FrameBytes({}, 'a'), Mp3FrameBytes({}, 'b'), Mp3FrameBytes({}, 'c')};
    const std::string audioBytes_ =
        Id3v2Tag(20, false) + InfoFrame() + audioFrames_[0] + audioFrames_[1] + audioFrames_[2];
    std::string written_;
};

// Bytes after the last packet are the pmp_check fuzz harness's.
TEST_F(TinyPmp, CheckRefusesDamageAnywhereAndOtherAudio) {
    EXPECT_THAT(Damaged(64 + 61 + 417 + 100, "X"), HasSubstr("packet 0 (offset 64), audio frame 1 is not MP3 frame 1"));
    EXPECT_THAT(Damaged(written_.size() - 1, "\x01"), HasSubstr("audio frame 1 should be a silent padding frame"));
    EXPECT_THAT(Damaged(0, "pmpn"), HasSubstr("not a .pmp file"));
    EXPECT_THAT(Damaged(12, Le32Bytes(5000)), HasSubstr("the index runs past the end"));

    // Same format, one frame more at the start: every frame is off by one.
    const std::string other = audioFrames_[2] + audioFrames_[0] + audioFrames_[1] + audioFrames_[2];
    EXPECT_THAT(Check(written_, other), HasSubstr("audio frame 0 is not MP3 frame 0"));
    EXPECT_THAT(Check(written_, Mp3FrameBytes({3, 9, 0, 0, true}, 'a')),  // mono
                HasSubstr("is not the MP3's (MPEG-1 layer III, 44100 Hz, mono)"));
}

// Timings are {video frames, video scale, video rate, MP3 frames, samples per
// audio frame, sample rate}. Over a long NTSC clip the sums neither drift nor leave a packet empty:
// the count before the end of frame i is ceil((i + 1) * 1001 / 30000 * 44100 / 1152).
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
