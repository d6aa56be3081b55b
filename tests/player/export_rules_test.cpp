// The export's choices that need no window: codecs by name, the form they
// lead to, the remaining time, and the intermediate file's name.
#include <gmock/gmock.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "player/codec_choice.h"
#include "player/export_figures.h"
#include "player/export_path.h"

namespace {

// The AVI form with the codecs found is checked with ffprobe end to end.
TEST(ExportCodecChoice, AMissingCodecGivesTheMpegForm) {
    for (const CodecChoice& missing :
         {ChooseExportCodecs({"Cinepak"}, {"PCM"}), ChooseExportCodecs({"DivX"}, {}), ChooseExportCodecs({}, {})}) {
        const ExportForm form = ExportFormFor(missing);
        EXPECT_EQ(std::make_tuple(form.format, form.setCodecs, form.frameRate, std::string(form.namePattern)),
                  std::make_tuple(kOutputFormatMpeg, false, 23.976f, std::string("%s_%d.mpg")));
    }
}

// No total, no time or figures that are no numbers never divide by zero.
TEST(ExportFigures, RemainingTimeIsTheRestUpToTwentySecondsThenScaledBySpeedAndNeverDividedByZero) {
    // 100 s of range; after 10 s of wall time the export is at 20 s, then 21 s.
    const ExportFigures at20 = ComputeExportFigures(20.0, 100.0, 10000);
    EXPECT_DOUBLE_EQ(at20.remaining, 80.0);
    EXPECT_DOUBLE_EQ(at20.percent, 20.0);
    EXPECT_DOUBLE_EQ(ComputeExportFigures(21.0, 100.0, 10000).remaining, 79.0 / 2.1);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const ExportFigures noTotal = ComputeExportFigures(30.0, 0.0, 5000);
    EXPECT_EQ(std::make_pair(noTotal.percent, noTotal.remaining), std::make_pair(0.0, 0.0));
    EXPECT_DOUBLE_EQ(ComputeExportFigures(30.0, 60.0, 0).remaining, 30.0) << "no time yet";
    for (const ExportFigures& figures : {ComputeExportFigures(nan, 60.0, 1000), ComputeExportFigures(5.0, nan, 1000),
                                         ComputeExportFigures(infinity, infinity, 1000)}) {
        EXPECT_TRUE(std::isfinite(figures.percent) && std::isfinite(figures.remaining));
        EXPECT_GE(figures.remaining, 0.0);
    }
    // FFmpeg's progress can run past the range's end.
    const ExportFigures past = ComputeExportFigures(61.5, 60.0, 30000);
    EXPECT_EQ(std::make_pair(past.percent, past.remaining), std::make_pair(100.0, 0.0));
}

// A path too long is refused, and so is a folder full of taken names.
TEST(ExportPath, TakenNamesAreSkippedTheNumberWrapsWithinItsBoundsAndNoUsablePathIsRefused) {
    std::set<std::string> taken = {"D:\\out\\clip_49999.avi", "D:\\out\\clip_50000.avi"};
    const auto exists = [&taken](const std::string& path) { return taken.count(path) > 0; };
    EXPECT_EQ(ChooseExportPath("D:\\out\\", "clip", "%s_%d.avi", 12345, exists), "D:\\out\\clip_12345.avi");
    EXPECT_EQ(ChooseExportPath("D:\\out\\", "clip", "%s_%d.avi", 49999, exists), "D:\\out\\clip_10000.avi");
    EXPECT_EQ(ChooseExportPath("D:\\out\\", "", "%s_%d.mpg", 20000, exists), "D:\\out\\_20000.mpg");

    const auto none = [](const std::string&) { return false; };
    const std::string folder = "C:\\" + std::string(240, 'f') + "\\";
    EXPECT_EQ(ChooseExportPath(folder, std::string(5, 'w'), "%s_%d.avi", 12345, none)->size(), 259u);
    EXPECT_FALSE(ChooseExportPath(folder, std::string(6, 'w'), "%s_%d.avi", 12345, none));
    EXPECT_FALSE(ChooseExportPath("D:\\", "clip", "%s_%d.avi", 12345, [](const std::string&) { return true; }));
}

}  // namespace
