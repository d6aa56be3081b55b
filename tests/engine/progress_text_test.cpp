#include "engine/progress_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kProgressLine[] = "frame=  250 q=3.0 size=     512kB time=10.0 bitrate= 419.4kbits/s";

// A speed needs elapsed time, which the tick count gives even across its wrap.
TEST(ProgressTokens, ReadsSizeTimeAndSpeedFromTheFirstProgressAndKeepsThemWithoutOne) {
    ConversionItem item;
    item.endTime = 60.0;
    EXPECT_FALSE(ApplyProgress(item, kProgressLine, 14000, 10000));
    EXPECT_FALSE(ApplyProgress(item, "Press [q] to stop", 19000, 10000));
    EXPECT_EQ(item.outputSizeKB, 512);
    EXPECT_DOUBLE_EQ(item.encodedTime, 10.0);
    EXPECT_DOUBLE_EQ(item.encodingSpeed, 2.5);

    const ProgressTokens tokens = ReadProgressTokens("size=      10kB time=1.00 \rsize=      20kB time=2.00 \r");
    EXPECT_EQ(tokens.sizeKB, 10);
    EXPECT_DOUBLE_EQ(tokens.time, 1.0);

    ApplyProgress(item, kProgressLine, 5000, 5000);
    EXPECT_DOUBLE_EQ(item.encodingSpeed, 0.0);
    ApplyProgress(item, kProgressLine, 1000, 0xFFFFFFFFu - 2999);  // 4,000 ms across the wrap
    EXPECT_DOUBLE_EQ(item.encodingSpeed, 2.5);
}

// A token's value needs its characters inside the chunk. A source's title or name printed by the encoder
// can say anything after "time=": plain seconds are at most five characters
// of digits and one point.
TEST(ProgressTokens, PlainSecondsAreFiveCharactersOfDigitsAndOnePointClearOfTheChunkEnd) {
    EXPECT_TRUE(ReadProgressTokens("time=12.3").hasTime);      // four characters after the token
    EXPECT_FALSE(ReadProgressTokens("time=12.").hasTime);      // three
    EXPECT_FALSE(ReadProgressTokens("size=    512").hasSize);  // seven
    EXPECT_TRUE(ReadProgressTokens("size=    5120").hasSize);

    EXPECT_DOUBLE_EQ(ReadProgressTokens("time=1234.56 ").time, 1234.0);
    EXPECT_DOUBLE_EQ(ReadProgressTokens("time=12.3.4").time, 12.3);
    for (const char* text : {"time=nan size=99999999", "time=inf  ", "time=-9.5 ", "time=1e300", "time=0x1p9",
                             "time= 12.5", "time=infinity"}) {
        const ProgressTokens tokens = ReadProgressTokens(text);
        EXPECT_TRUE(tokens.hasTime) << text;
        EXPECT_LE(tokens.time, 1.0) << text;
        EXPECT_GE(tokens.time, 0.0) << text;
    }
}

TEST(ProgressTokens, ReadsTheClockFormAsSeconds) {
    EXPECT_DOUBLE_EQ(ReadProgressTokens("time=123:02:05.50 bitrate").time, 442925.5);
    // Before the start, while the first frames are buffered: nothing encoded yet.
    EXPECT_DOUBLE_EQ(ReadProgressTokens("time=-00:00:00.04 bitrate").time, 0.0);
    EXPECT_FALSE(ReadProgressTokens("time=1234567890123:00:00.00 bitrate").hasTime);
    // A clock cut off by the chunk's end is not read as a smaller time.
    EXPECT_FALSE(ReadProgressTokens("time=00:00:10.00").hasTime);
}

// That a plain item never stops, and an exported one exactly once its range's
// length is encoded with output written, is the progress_text fuzz harness's.

}  // namespace
