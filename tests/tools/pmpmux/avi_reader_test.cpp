#include "pmpmux/avi_reader.h"

#include <gmock/gmock.h>

#include "test_streams.h"

// The plain case, an ffmpeg-like AVI, is read in pmp_writer_test; these are
// the layouts other writers make and the files that must be refused.

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

TEST(AviReader, FindsTheVideoAsAnyStreamInRecListsAndKeepsDroppedFrames) {
    AviLayout layout = Mpeg4Clip();
    layout.compression = "fmp4";     // four-character codes in any letter case
    layout.audioStreamFirst = true;  // the video's chunks are then "01dc"
    layout.inRecLists = true;
    layout.frames.insert(layout.frames.begin() + 1, TestFrame{"", false});  // still takes its time
    layout.scale = 2002;
    layout.rate = 60000;
    const std::string bytes = MakeAvi(layout);
    AviVideo video;
    ASSERT_EQ(Read(bytes, &video), "40K 0 21 30");
    EXPECT_EQ(bytes.substr(video.frames[2].offset, 21), Mpeg4Vop(1, 21));
    EXPECT_EQ(video.codec, VideoCodec::kMpeg4);
    EXPECT_EQ(video.scale, 1001u);  // in lowest terms
    EXPECT_EQ(video.rate, 30000u);
}

TEST(AviReader, KeyFramesComeFromACompleteIndexElseFromTheBitstream) {
    AviLayout layout = Mpeg4Clip();
    layout.frames[2].keyFrame = true;  // the index is believed over the bitstream
    std::string bytes = MakeAvi(layout);
    EXPECT_EQ(Read(bytes), "40K 21 30K");
    // An index whose sizes disagree with the movie list describes something else.
    bytes.replace(bytes.find("idx1") + 8 + 12, 4, Le32Bytes(41));
    EXPECT_EQ(Read(bytes), "40K 21 30");
    layout.withIndex = false;
    EXPECT_EQ(Read(MakeAvi(layout)), "40K 21 30");
}

TEST(AviReader, RefusesFilesThatAreNotUsableAviVideo) {
    const std::string good = MakeAvi(Mpeg4Clip());
    EXPECT_THAT(Read(std::string("RIFF\x04\0\0\0WAVE", 12)), HasSubstr("not an AVI file"));
    EXPECT_THAT(Read(good.substr(0, good.size() - 1)), HasSubstr("truncated"));
    EXPECT_THAT(Read(good + "RIFF" + Le32Bytes(4) + "AVIX"), HasSubstr("OpenDML"));
    EXPECT_THAT(Read(MakeAvi(AviLayout())), HasSubstr("no frames"));
    AviLayout layout = Mpeg4Clip();
    layout.compression = "DIV3";  // MS MPEG-4 v3 is not MPEG-4 Part 2
    EXPECT_THAT(Read(MakeAvi(layout)), HasSubstr("'DIV3'"));

    std::string damaged = good;
    damaged.replace(damaged.find("vids"), 4, "txts");
    EXPECT_THAT(Read(damaged), HasSubstr("no video stream"));
    damaged = good;
    damaged.replace(good.find("00dc") + 4, 4, Le32Bytes(0xFFFFFFF0u));
    EXPECT_THAT(Read(damaged), HasSubstr("chunk '00dc' at offset " + std::to_string(good.find("00dc"))));
    // A RIFF size too small for its own header is the avi fuzz harness's regression input.
}

}  // namespace
