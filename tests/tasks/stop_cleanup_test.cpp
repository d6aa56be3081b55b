#include "tasks/stop_cleanup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/output_settings.h"

namespace {

// The plan as one line per step, for readable comparisons.
std::vector<std::string> Plan(int tab, int status, int threeGpType = 0) {
    ConversionItem item;
    item.outputName = "clip";
    item.status = status;
    std::vector<std::string> lines;
    for (const CleanupStep& step : PlanStopCleanup(tab, threeGpType, item, "D:\\out\\")) {
        lines.push_back(step.action == CleanupStep::Action::StopEncoder ? "stop" : "delete " + step.path);
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(StopCleanup, ThreeGpDeletesWhatItsPhaseIsWriting) {
    EXPECT_EQ(Plan(kTab3gp, kStatusEncoding), (Lines{"stop", "delete D:\\out\\clip_temp.3gp"}));
    EXPECT_EQ(Plan(kTab3gp, kStatusExporting, 0), (Lines{"delete D:\\out\\clip_temp.3gp", "delete D:\\out\\clip.3gp"}));
    EXPECT_EQ(Plan(kTab3gp, kStatusExporting, 2),
              (Lines{"delete D:\\out\\clip_temp.3gp", "delete D:\\out\\clip_temp_2.3g2"}));
    EXPECT_EQ(Plan(kTab3gp, kStatusChanging, 2),
              (Lines{"delete D:\\out\\clip_temp.3gp", "delete D:\\out\\clip_temp_2.3g2", "delete D:\\out\\clip.3g2"}));
    EXPECT_EQ(Plan(kTab3gp, kStatusCanceled), Lines{});
}

TEST(StopCleanup, PmpAlwaysDeletesItsIntermediatesFirstAndOtherFamiliesOnlyStop) {
    EXPECT_EQ(Plan(kTabPmp, kStatusEncoding),
              (Lines{"delete D:\\out\\clip_temp.mp3", "delete D:\\out\\clip_temp.avi", "stop"}));
    EXPECT_EQ(Plan(kTabPmp, kStatusMuxingPmp),
              (Lines{"delete D:\\out\\clip_temp.mp3", "delete D:\\out\\clip_temp.avi", "delete D:\\out\\clip.pmp"}));
    EXPECT_EQ(Plan(kTabPsp, kStatusNone), Lines{"stop"});
    EXPECT_EQ(Plan(6, kStatusEncoding), Lines{});
}

}  // namespace
