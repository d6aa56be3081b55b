#include "pmpmux/avi_reader.h"

#include <gmock/gmock.h>

#include "test_streams.h"

namespace {

struct ReadResult {
    bool ok = false;
    AviVideo video;
    std::string error;
};

ReadResult Read(const std::string& bytes) {
    MemorySource source(bytes);
    ReadResult result;
    result.ok = ReadAviVideo(source, &result.video, &result.error);
    return result;
}

std::vector<std::uint32_t> Sizes(const AviVideo& video) {
    std::vector<std::uint32_t> sizes;
    for (const AviFrame& frame : video.frames) sizes.push_back(frame.size);
    return sizes;
}

std::vector<bool> Keys(const AviVideo& video) {
    std::vector<bool> keys;
    for (const AviFrame& frame : video.frames) keys.push_back(frame.keyFrame);
    return keys;
}

AviLayout Mpeg4Clip() {
    AviLayout layout;
    layout.frames = {{Mpeg4Vop(0, 40), true}, {Mpeg4Vop(1, 21), false}, {Mpeg4Vop(1, 30), false}};
    return layout;
}

TEST(AviReader, ReadsFormatRateAndFramesOfTheVideoStream) {
    const std::string bytes = MakeAvi(Mpeg4Clip());
    const ReadResult result = Read(bytes);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.video.codec, VideoCodec::kMpeg4);
    EXPECT_EQ(result.video.width, 320u);
    EXPECT_EQ(result.video.height, 240u);
    EXPECT_EQ(result.video.scale, 1001u);
    EXPECT_EQ(result.video.rate, 30000u);
    EXPECT_THAT(Sizes(result.video), ::testing::ElementsAre(40, 21, 30));
    // The frame bytes are where the reader says they are.
    EXPECT_EQ(bytes.substr(result.video.frames[1].offset, 21), Mpeg4Vop(1, 21));
}

TEST(AviReader, FindsTheVideoStreamWhateverItsNumber) {
    AviLayout layout = Mpeg4Clip();
    layout.audioStreamFirst = true;
    const ReadResult result = Read(MakeAvi(layout));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_THAT(Sizes(result.video), ::testing::ElementsAre(40, 21, 30));
    EXPECT_THAT(Keys(result.video), ::testing::ElementsAre(true, false, false));
}

TEST(AviReader, NamesCodecsByFourCcInAnyCase) {
    AviLayout layout = Mpeg4Clip();
    layout.compression = "fmp4";
    EXPECT_EQ(Read(MakeAvi(layout)).video.codec, VideoCodec::kMpeg4);
    layout.compression = "x264";
    EXPECT_EQ(Read(MakeAvi(layout)).video.codec, VideoCodec::kH264);
    layout.compression = "DIV3";  // MS MPEG-4 v3 is not MPEG-4 Part 2
    const ReadResult refused = Read(MakeAvi(layout));
    EXPECT_FALSE(refused.ok);
    EXPECT_THAT(refused.error, ::testing::HasSubstr("'DIV3'"));
}

TEST(AviReader, ReducesTheFrameRateAndFallsBackToTheMainHeader) {
    AviLayout layout = Mpeg4Clip();
    layout.scale = 1000000;
    layout.rate = 25000000;
    ReadResult result = Read(MakeAvi(layout));
    EXPECT_EQ(result.video.scale, 1u);
    EXPECT_EQ(result.video.rate, 25u);

    layout.scale = 40000;  // avih then says 40000 microseconds per frame
    layout.rate = 1000000;
    std::string bytes = MakeAvi(layout);
    const std::size_t strh = bytes.find("strh");
    bytes.replace(strh + 8 + 20, 8, std::string(8, '\0'));  // strh dwScale and dwRate zero
    result = Read(bytes);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.video.scale, 1u);
    EXPECT_EQ(result.video.rate, 25u);
}

TEST(AviReader, WalksRecListsJunkAndOddSizedChunks) {
    AviLayout layout = Mpeg4Clip();
    layout.inRecLists = true;
    layout.frames[1].bytes = Mpeg4Vop(1, 21);  // odd: a pad byte follows
    const ReadResult result = Read(MakeAvi(layout));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_THAT(Sizes(result.video), ::testing::ElementsAre(40, 21, 30));
    EXPECT_THAT(Keys(result.video), ::testing::ElementsAre(true, false, false));
}

TEST(AviReader, KeepsDroppedFramesAsEmptyFrames) {
    AviLayout layout = Mpeg4Clip();
    layout.frames.insert(layout.frames.begin() + 1, TestFrame{"", false});
    const ReadResult result = Read(MakeAvi(layout));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_THAT(Sizes(result.video), ::testing::ElementsAre(40, 0, 21, 30));
    EXPECT_THAT(Keys(result.video), ::testing::ElementsAre(true, false, false, false));
}

TEST(AviReader, KeyFramesComeFromTheIndexWhenItListsEveryFrame) {
    AviLayout layout = Mpeg4Clip();
    layout.frames[2].keyFrame = true;  // the index is believed over the bitstream
    EXPECT_THAT(Keys(Read(MakeAvi(layout)).video), ::testing::ElementsAre(true, false, true));

    // An index whose sizes disagree with the movie list describes something else.
    std::string bytes = MakeAvi(layout);
    const std::size_t idx1 = bytes.find("idx1");
    bytes.replace(idx1 + 8 + 12, 4, Le32Bytes(41));
    EXPECT_THAT(Keys(Read(bytes).video), ::testing::ElementsAre(true, false, false));
}

TEST(AviReader, WithoutAnIndexKeyFramesComeFromTheBitstream) {
    AviLayout layout = Mpeg4Clip();
    layout.withIndex = false;
    layout.frames.push_back({Mpeg4Vop(0, 12), true});
    EXPECT_THAT(Keys(Read(MakeAvi(layout)).video), ::testing::ElementsAre(true, false, false, true));

    layout.compression = "H264";
    layout.frames = {{H264AccessUnit(true, 30), true}, {H264AccessUnit(false, 30), false}, {"", false}};
    const ReadResult h264 = Read(MakeAvi(layout));
    ASSERT_TRUE(h264.ok) << h264.error;
    EXPECT_THAT(Keys(h264.video), ::testing::ElementsAre(true, false, false));
}

TEST(AviReader, RefusesFilesThatAreNotUsableAviVideo) {
    const std::string good = MakeAvi(Mpeg4Clip());
    EXPECT_THAT(Read("RIFF\x04\0\0\0WAVE").error, ::testing::HasSubstr("not an AVI file"));
    EXPECT_THAT(Read("").error, ::testing::HasSubstr("not an AVI file"));

    AviLayout noFrames = Mpeg4Clip();
    noFrames.frames.clear();
    EXPECT_THAT(Read(MakeAvi(noFrames)).error, ::testing::HasSubstr("no frames"));

    std::string audioOnly = good;
    audioOnly.replace(audioOnly.find("vids"), 4, "txts");
    EXPECT_THAT(Read(audioOnly).error, ::testing::HasSubstr("no video stream"));

    std::string openDml = good + "RIFF" + Le32Bytes(4) + "AVIX";
    EXPECT_THAT(Read(openDml).error, ::testing::HasSubstr("OpenDML"));
}

TEST(AviReader, RefusesTruncatedFilesAndChunksThatOverrunTheirList) {
    const std::string good = MakeAvi(Mpeg4Clip());
    EXPECT_THAT(Read(good.substr(0, good.size() - 1)).error, ::testing::HasSubstr("truncated"));

    std::string overrun = good;
    const std::size_t firstFrame = overrun.find("00dc");
    overrun.replace(firstFrame + 4, 4, Le32Bytes(0xFFFFFFF0u));
    const ReadResult result = Read(overrun);
    EXPECT_FALSE(result.ok);
    EXPECT_THAT(result.error, ::testing::HasSubstr("chunk '00dc' at offset " + std::to_string(firstFrame)));
}

// A reader that trusts a size it read can run past the end of its buffer;
// under the sanitizers every cut and every damaged size must fail cleanly.
TEST(AviReader, EveryPrefixAndEveryCorruptSizeFailsCleanly) {
    AviLayout layout = Mpeg4Clip();
    layout.inRecLists = true;
    const std::string good = MakeAvi(layout);
    for (std::size_t length = 0; length < good.size(); ++length) {
        const ReadResult result = Read(good.substr(0, length));
        EXPECT_FALSE(result.ok) << length;
        EXPECT_FALSE(result.error.empty()) << length;
    }
    for (std::size_t at = 4; at + 4 <= good.size(); at += 2) {
        for (unsigned size : {0u, 1u, 3u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
            std::string damaged = good;
            damaged.replace(at, 4, Le32Bytes(size));
            const ReadResult result = Read(damaged);
            EXPECT_EQ(result.ok, result.error.empty());
        }
    }
}

}  // namespace
