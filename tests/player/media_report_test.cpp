// Reading FFmpeg's report of a file: length, streams, frame size and shape.
#include "player/media_report.h"

#include <gmock/gmock.h>

#include <tuple>

namespace {

TEST(MediaReport, DisplayAspectComesFromTheStreamOrItsPixelAspectAndCodecTagsAreNotSizes) {
    const MediaInfo info = ParseMediaReport(
        "Input #0, mpeg, from 'D:\\dvd.vob':\n"
        "  Duration: 00:01:02.50, start: 0.500000, bitrate: 5000 kb/s\n"
        "    Stream #0:0[0x1e0]: Video: mpeg2video (Main), yuv420p(tv, top first), 720x576 [SAR 64:45 DAR 16:9], "
        "25 fps, 25 tbr, 90k tbn, 50 tbc\n"
        "    Stream #0:1[0x80]: Audio: ac3, 48000 Hz, stereo, fltp, 192 kb/s\n");
    EXPECT_DOUBLE_EQ(info.duration, 62.5);
    EXPECT_EQ(std::make_tuple(info.hasVideo, info.hasAudio, info.width, info.height),
              std::make_tuple(true, true, 720, 576));
    EXPECT_DOUBLE_EQ(info.displayAspect, 16.0 / 9.0);
    EXPECT_DOUBLE_EQ(info.frameRate, 25.0);

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
