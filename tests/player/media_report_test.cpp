// Reading FFmpeg's report of a file: length, streams, frame size and shape.
#include "player/media_report.h"

#include <gtest/gtest.h>

namespace {

// A report as FFmpeg prints it, with any names and tags, reads back as it was
// built: the ffmpeg_report fuzz harness, whose seeds hold sound alone, an
// unknown length and a data stream whose tags mention a video stream. Here
// what it does not build: an aspect and a rate each given alone, and lengths
// that are missing or negative.
TEST(MediaReport, APixelAspectAloneAndATbrAloneGiveShapeAndRateAndOddLengthsReadZero) {
    const MediaInfo hd = ParseMediaReport(
        "  Duration: 01:00:00.04, start: 0.000000, bitrate: 900 kb/s\n"
        "    Stream #0:0(und): Video: h264 (High) (avc1 / 0x31637661), yuv420p(tv, bt709), 1440x1080 [SAR 4:3], "
        "900 kb/s, 29.97 tbr, 30k tbn (default)\n");
    EXPECT_DOUBLE_EQ(hd.duration, 3600.04);
    EXPECT_DOUBLE_EQ(hd.displayAspect, 16.0 / 9.0);

    const MediaInfo broken = ParseMediaReport("D:\\notes.txt: Invalid data found when processing input\n");
    EXPECT_EQ(broken.duration, 0.0);
    EXPECT_FALSE(broken.hasVideo || broken.hasAudio);
    EXPECT_EQ(ParseMediaReport("  Duration: -00:00:01.00\n").duration, 0.0);
}

}  // namespace
