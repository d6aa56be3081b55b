// Reading FFmpeg's report of a file: length, streams, frame size and shape.
#include "player/media_report.h"

#include <gmock/gmock.h>

#include <tuple>

namespace {

// A report as FFmpeg prints it, with any names and tags, reads back as it was
// built: the ffmpeg_report fuzz harness. Here what it does not build.
TEST(MediaReport, APixelAspectAloneAndATbrAloneStillGiveShapeAndRate) {
    const MediaInfo hd = ParseMediaReport(
        "  Duration: 01:00:00.04, start: 0.000000, bitrate: 900 kb/s\n"
        "    Stream #0:0(und): Video: h264 (High) (avc1 / 0x31637661), yuv420p(tv, bt709), 1440x1080 [SAR 4:3], "
        "900 kb/s, 29.97 tbr, 30k tbn (default)\n");
    EXPECT_DOUBLE_EQ(hd.duration, 3600.04);
    EXPECT_EQ(hd.width, 1440);
    EXPECT_DOUBLE_EQ(hd.displayAspect, 16.0 / 9.0);
    EXPECT_DOUBLE_EQ(hd.frameRate, 29.97);
    EXPECT_FALSE(hd.hasAudio);
}

TEST(MediaReport, SoundOnlyUnknownLengthAndUnreadableFilesGiveZeroAndNoStreams) {
    const MediaInfo sound = ParseMediaReport(
        "  Duration: N/A, bitrate: N/A\n    Stream #0:0: Audio: cook (cook / 0x6B6F6F63), 22050 Hz, stereo\n");
    EXPECT_EQ(std::make_tuple(sound.duration, sound.hasVideo, sound.hasAudio, sound.displayAspect),
              std::make_tuple(0.0, false, true, 0.0));

    const MediaInfo broken = ParseMediaReport("D:\\notes.txt: Invalid data found when processing input\n");
    EXPECT_EQ(broken.duration, 0.0);
    EXPECT_FALSE(broken.hasVideo || broken.hasAudio);

    // A stream whose metadata mentions another kind is still of its own kind.
    const MediaInfo odd = ParseMediaReport(
        "  Duration: -00:00:01.00\n    Stream #0:0: Data: none\n      handler: Stream #9: Video: fake 64x64\n");
    EXPECT_EQ(odd.duration, 0.0);
    EXPECT_FALSE(odd.hasVideo);
}

}  // namespace
