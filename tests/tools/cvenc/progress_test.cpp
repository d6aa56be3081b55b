#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "cvenc/output_filter.h"
#include "cvenc/progress_line.h"

using ::testing::ElementsAre;
using ::testing::Optional;

namespace {

TEST(ProgressLine, TimeBecomesSecondsAndTheRestStays) {
    EXPECT_THAT(RewriteProgressLine("frame=  250 fps= 25 q=3.0 size=     512kB time=00:00:10.00 bitrate= 419.4kbits/s "
                                    "speed=1.2x    "),
                Optional(std::string("frame=  250 fps= 25 q=3.0 size=     512kB time=10.00 bitrate= 419.4kbits/s "
                                     "speed=1.2x")));
    EXPECT_THAT(RewriteProgressLine("size= 1kB time=123:04:05.67"), Optional(std::string("size= 1kB time=443045.67")));
    EXPECT_THAT(RewriteProgressLine("size= 1kB time=00:00:01.999"), Optional(std::string("size= 1kB time=1.99")));
    // Unknown, negative or unreadable positions are zero.
    EXPECT_THAT(RewriteProgressLine("size=N/A time=N/A bitrate=N/A"),
                Optional(std::string("size=       0kB time=0.00 bitrate=N/A")));
    for (const char* clock : {"-00:00:00.04", "1:2", "00:000:01", "00:00:01.", "a:b:c"}) {
        EXPECT_THAT(RewriteProgressLine(std::string("size= 1kB time=") + clock + " z"),
                    Optional(std::string("size= 1kB time=0.00 z")))
            << clock;
    }
    EXPECT_EQ(RewriteProgressLine("  Duration: 00:00:03.00, start: 0.000000, bitrate: 480 kb/s"), std::nullopt);
    EXPECT_EQ(RewriteProgressLine("time=00:00:01.00 before size=1"), std::nullopt);
}

struct Collected {
    std::vector<std::string> progress;
    std::vector<std::string> messages;
};

Collected Filter(const std::vector<std::string>& reads) {
    Collected collected;
    OutputFilter filter([&](const std::string& line) { collected.progress.push_back(line); },
                        [&](const std::string& line) { collected.messages.push_back(line); });
    for (const std::string& read : reads) filter.Feed(read);
    filter.Finish();
    return collected;
}

const std::string kStream =
    "Input #0, avi, from 'a & b.avi':\n"
    "frame=   12 fps=0.0 q=2.0 size=      48kB time=00:00:00.40 bitrate= 983.0kbits/s speed=0.8x    \r"
    "frame=  250 fps= 25 q=3.0 size=     512kB time=100:00:10.00 bitrate= 419.4kbits/s speed=1.2x    \r"
    "[libx264 @ 0000000000d2cb00] frame I:1\r\n"
    "\n"
    "video:122kB audio:24kB";

TEST(OutputFilter, SortsLinesCutAnywhereBetweenReadsAndEndsEachWithCrLf) {
    const Collected whole = Filter({kStream});
    EXPECT_THAT(whole.progress,
                ElementsAre("frame=   12 fps=0.0 q=2.0 size=      48kB time=0.40 bitrate= 983.0kbits/s speed=0.8x\r\n",
                            "frame=  250 fps= 25 q=3.0 size=     512kB time=360010.00 bitrate= 419.4kbits/s "
                            "speed=1.2x\r\n"));
    EXPECT_THAT(whole.messages,
                ElementsAre("Input #0, avi, from 'a & b.avi':\r\n", "[libx264 @ 0000000000d2cb00] frame I:1\r\n",
                            "video:122kB audio:24kB\r\n"));
    for (std::size_t cut = 0; cut <= kStream.size(); ++cut) {
        for (std::size_t second = cut; second <= kStream.size(); second += 7) {
            const Collected pieces =
                Filter({kStream.substr(0, cut), kStream.substr(cut, second - cut), "", kStream.substr(second)});
            ASSERT_EQ(pieces.progress, whole.progress) << cut << ' ' << second;
            ASSERT_EQ(pieces.messages, whole.messages) << cut << ' ' << second;
        }
    }
}

}  // namespace
