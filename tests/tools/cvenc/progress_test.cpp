#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "cvenc/output_filter.h"
#include "cvenc/progress_line.h"

using ::testing::ElementsAre;
using ::testing::Optional;

namespace {

// A progress line of FFmpeg 4.1 with the given size and time fields.
std::string Line(const std::string& size, const std::string& time) {
    return "size=" + size + " time=" + time + " bitrate= 419.4kbits/s speed=1.2x";
}

TEST(ProgressLine, TimeBecomesSecondsAndTheRestStays) {
    EXPECT_THAT(RewriteProgressLine("frame=  250 fps= 25 q=3.0 size=     512kB time=00:00:10.00 bitrate= 419.4kbits/s "
                                    "speed=1.2x    "),
                Optional(std::string("frame=  250 fps= 25 q=3.0 size=     512kB time=10.00 bitrate= 419.4kbits/s "
                                     "speed=1.2x")));
    EXPECT_THAT(RewriteProgressLine(Line("       1kB", "123:04:05.67")), Optional(Line("       1kB", "443045.67")));
    // Unknown or negative positions are zero.
    EXPECT_THAT(RewriteProgressLine("size=N/A time=N/A bitrate=N/A speed=N/A"),
                Optional(std::string("size=       0kB time=0.00 bitrate=N/A speed=N/A")));
    EXPECT_THAT(RewriteProgressLine(Line("1kB", "-00:00:00.04")), Optional(Line("1kB", "0.00")));
}

// File names that quote progress are the cvenc_progress fuzz harness's seeds, a
// time of "nan" its regression input.
TEST(ProgressLine, OnlyFfmpegsOwnWholeLineIsProgress) {
    const std::string notProgress[] = {
        "    title           : " + Line("       1kB", "00:00:01.00"),  // a source's tag
        Line("1kB", "99999999999999:00:00.00"),
        Line("-1kB", "00:00:01.00"),
        Line("1kB", "00:00:01.00") + " title=time=nan",
        "time=00:00:01.00 size=       1kB bitrate= 419.4kbits/s speed=1.2x",
        "frame=  250 fps= 25 q=3.0 " + Line("1kB", "00:00:01.00").substr(1),
    };
    for (const std::string& line : notProgress) EXPECT_EQ(RewriteProgressLine(line), std::nullopt) << line;
}

// Messages carry no "size=" or "time=" once defused: the cvenc_progress fuzz harness.

struct Collected {
    std::vector<std::string> progress;
    std::vector<std::string> messages;
};

Collected Filter(const std::string& output) {
    Collected collected;
    OutputFilter filter([&](const std::string& line) { collected.progress.push_back(line); },
                        [&](const std::string& line) { collected.messages.push_back(line); });
    filter.Feed(output);
    filter.Finish();
    return collected;
}

// Cut anywhere between reads, the lines come out the same, each progress line
// ending in CR LF: the cvenc_progress fuzz harness's property.

// A line longer than the filter holds is passed on in pieces, and a piece
// may begin with anything that the line held there.
TEST(OutputFilter, TheRestOfAnOverlongLineIsAMessage) {
    const std::string forged = Line("       1kB", "00:00:01.00");
    const Collected collected = Filter(std::string(64 * 1024, 'x') + forged + "\r" + forged + "\r");
    EXPECT_THAT(collected.progress, ElementsAre(Line("       1kB", "1.00") + "\r\n"));
    ASSERT_EQ(collected.messages.size(), 2u);
    EXPECT_EQ(collected.messages[1], forged + "\r\n");
}

}  // namespace
