#include "tasks/stop_cleanup.h"

#include "engine/family_passes.h"
#include "engine/output_settings.h"

namespace {

constexpr int k3gp2Type = 2;

class Plan {
public:
    Plan(const std::string& outputDirectory, const std::string& outputName)
        : outputDirectory_(outputDirectory), outputName_(outputName) {}

    void StopEncoder() { steps_.push_back({CleanupStep::Action::StopEncoder, std::string()}); }
    void Delete(const char* suffix) {
        steps_.push_back({CleanupStep::Action::Delete, OutputFilePath(outputDirectory_, outputName_, suffix)});
    }
    std::vector<CleanupStep> Steps() const { return steps_; }

private:
    const std::string& outputDirectory_;
    const std::string& outputName_;
    std::vector<CleanupStep> steps_;
};

void Plan3gp(Plan& plan, int status, int threeGpType) {
    switch (status) {
        case kStatusEncoding:
            plan.StopEncoder();
            plan.Delete(kTemp3gp);
            break;
        case kStatusExporting:
            plan.Delete(kTemp3gp);
            if (threeGpType == 0 || threeGpType == 1) plan.Delete(".3gp");
            if (threeGpType == k3gp2Type) plan.Delete(kTemp3g2);
            break;
        case kStatusChanging:
            plan.Delete(kTemp3gp);
            plan.Delete(kTemp3g2);
            plan.Delete(".3g2");
            break;
        default:
            break;
    }
}

void PlanPmp(Plan& plan, int status) {
    plan.Delete(kTempPmpAudio);
    plan.Delete(kTempPmpVideo);
    if (status == kStatusEncoding) plan.StopEncoder();
    if (status == kStatusMuxingPmp) plan.Delete(".pmp");
}

}  // namespace

std::vector<CleanupStep> PlanStopCleanup(int deviceTab, int threeGpType, const ConversionItem& item,
                                         const std::string& outputDirectory) {
    Plan plan(outputDirectory, item.outputName);
    switch (deviceTab) {
        case kTabIpod:
        case kTabPsp:
        case kTabXbox:
        case kTabPpc:
            plan.StopEncoder();
            break;
        case kTab3gp:
            Plan3gp(plan, item.status, threeGpType);
            break;
        case kTabPmp:
            PlanPmp(plan, item.status);
            break;
        default:
            break;
    }
    return plan.Steps();
}
