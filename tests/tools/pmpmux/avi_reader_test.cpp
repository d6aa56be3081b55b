#include "pmpmux/avi_reader.h"

#include <gmock/gmock.h>

#include "test_streams.h"

// Layouts only other writers make (rec lists, audio first, no index) are the
// avi fuzz harness's seeds; the end-to-end tier reads the encoder's own.

namespace {

using ::testing::HasSubstr;

// The frames' sizes with key frames marked K ("40K 21 30"), or "refused: "
// and the reason.
std::string Read(const std::string& bytes, AviVideo* video = nullptr) {
    MemorySource source(bytes);
    AviVideo read;
    video = video ? video : &read;
    std::string error, frames;
    if (!ReadAviVideo(source, video, &error)) return "refused: " + error;
    for (const AviFrame& frame : video->frames) {
        frames += (frames.empty() ? "" : " ") + std::to_string(frame.size) + (frame.keyFrame ? "K" : "");
    }
    return frames;
}

// Three MPEG-4 frames; the odd-sized second one is followed by a pad byte.
AviLayout Mpeg4Clip() {
    AviLayout layout;
    layout.frames = {{Mpeg4Vop(0, 40), true}, {Mpeg4Vop(1, 21), false}, {Mpeg4Vop(1, 30), false}};
    return layout;
}

// A frame the encoder dropped is an empty chunk that still takes its time.
TEST(AviReader, TakesKeyFramesFromTheIndexAndKeepsDroppedFrames) {
    AviLayout layout = Mpeg4Clip();
    layout.frames[2].keyFrame = true;  // the index is believed over the bitstream
    layout.frames.insert(layout.frames.begin() + 1, TestFrame{"", false});
    AviVideo video;
    EXPECT_EQ(Read(MakeAvi(layout), &video), "40K 0 21 30K");
    EXPECT_EQ(video.codec, VideoCodec::kMpeg4);
}

TEST(AviReader, RefusesFilesThatAreNotUsableAviVideo) {
    const std::string good = MakeAvi(Mpeg4Clip());
    EXPECT_THAT(Read(std::string("RIFF\x04\0\0\0WAVE", 12)), HasSubstr("not an AVI file"));
    EXPECT_THAT(Read(good.substr(0, good.size() - 1)), HasSubstr("truncated"));
    EXPECT_THAT(Read(good + "RIFF" + Le32Bytes(4) + "AVIX"), HasSubstr("OpenDML"));
    EXPECT_THAT(Read(MakeAvi(AviLayout())), HasSubstr("no frames"));

    std::string damaged = good;
    damaged.replace(good.find("00dc") + 4, 4, Le32Bytes(0xFFFFFFF0u));
    EXPECT_THAT(Read(damaged), HasSubstr("chunk '00dc' at offset " + std::to_string(good.find("00dc"))));
    // A RIFF size too small for its own header is the avi fuzz harness's regression input.
}

}  // namespace
