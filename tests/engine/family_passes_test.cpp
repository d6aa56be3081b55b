#include "engine/family_passes.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "engine/output_settings.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The cases that are hard to stage with real programs; every family's order,
// statuses and files are also proven against real processes under Wine.
//
// Records every step a family takes. Commands are the profile lines
// themselves ("pass1", "pass2", ...); Stop is pressed while the command named
// by stopDuring runs, as the stop button would be inside that pass's wait.
class RecordingHost : public IPassHost {
public:
    std::vector<std::string> steps;
    std::optional<std::vector<std::string>> profile =
        std::vector<std::string>{"Title", "pass1", "pass2", "pass3", "pass4", "pass5"};
    std::string stopDuring;
    int deviceTab = kTabXbox;
    int threeGpType = 0;
    bool shutDown = false;
    bool cancel = false;

    std::optional<std::vector<std::string>> OpenProfile(int fileIndex) override {
        steps.push_back("open " + std::to_string(fileIndex));
        return profile;
    }
    std::string ExpandCommand(const std::string& commandTemplate) override { return commandTemplate; }
    std::string BuildIpodCommand() override { return "ipod"; }
    void EnterAppFolder() override { steps.push_back("app folder"); }
    void RunEncoder(const std::string& command) override { Run("encoder " + command, command); }
    void RunHidden(const std::string& command) override { Run("hidden " + command, command); }
    void StopEncoder() override { steps.push_back("stop encoder"); }
    bool CancelRequested() const override { return cancel; }
    void SetItemStatus(int status) override { steps.push_back("status " + std::to_string(status)); }
    void MarkItemFinished() override { steps.push_back("finished"); }
    void DeleteFile(const std::string& path) override { steps.push_back("delete " + path); }
    void AddToITunes(const std::string& outputPath) override { steps.push_back("itunes " + outputPath); }
    int DeviceTab() const override { return deviceTab; }
    int ThreeGpType() const override { return threeGpType; }
    bool ShutDownWhenFinished() const override { return shutDown; }
    std::string OutputDirectory() const override { return "D:\\out\\"; }
    std::string OutputName() const override { return "clip"; }
    std::string ExportPath() const override { return "D:\\out\\clip_export.avi"; }

private:
    void Run(const std::string& step, const std::string& command) {
        steps.push_back(step);
        if (!stopDuring.empty() && command == stopDuring) cancel = true;
    }
};

TEST(IpodPasses, OneEncodingPassThenFinishedThenTheMediaLibrary) {
    RecordingHost host;
    RunIpodPasses(host);
    EXPECT_THAT(host.steps, ElementsAre("app folder", "status 1", "encoder ipod", "delete D:\\out\\clip_export.avi",
                                        "stop encoder", "finished", "itunes D:\\out\\clip.mp4"));
}

TEST(IpodPasses, ShutDownSkipsTheMediaLibraryAndStopLeavesTheItemEncoding) {
    RecordingHost shutDown;
    shutDown.shutDown = true;
    RunIpodPasses(shutDown);
    EXPECT_EQ(shutDown.steps.back(), "finished");

    RecordingHost stopped;
    stopped.stopDuring = "ipod";
    RunIpodPasses(stopped);
    EXPECT_THAT(stopped.steps, ElementsAre("app folder", "status 1", "encoder ipod"));
}

TEST(ThreeGpPasses, StopDuringPassThreeStillDeletesTheFirstIntermediate) {
    RecordingHost phone;
    phone.stopDuring = "pass3";
    Run3gpPasses(phone);
    EXPECT_THAT(phone.steps, ElementsAre("open 2", "status 1", "encoder pass1", "stop encoder", "status 2",
                                         "hidden pass2", "hidden pass3", "delete D:\\out\\clip_temp.3gp"));

    RecordingHost threeGp2;
    threeGp2.threeGpType = 2;
    threeGp2.stopDuring = "pass3";
    Run3gpPasses(threeGp2);
    EXPECT_THAT(threeGp2.steps,
                ElementsAre("open 4", "status 1", "encoder pass1", "stop encoder", "status 2", "hidden pass2",
                            "hidden pass3", "delete D:\\out\\clip_temp.3gp", "status 3", "hidden pass4", "status 9"));
}

TEST(FamilyPasses, MissingLinesRunAsEmptyCommandsAndNoProfileRunsNothing) {
    RecordingHost shortProfile;
    shortProfile.profile = std::vector<std::string>{"Title", "pass1"};
    RunPmpPasses(shortProfile);
    EXPECT_THAT(shortProfile.steps,
                ElementsAre("open 7", "status 1", "encoder pass1", "stop encoder", "status 5", "hidden ", "hidden ",
                            "delete D:\\out\\clip_temp.avi", "hidden ", "delete D:\\out\\clip_temp.mp3"));

    RecordingHost noProfile;
    noProfile.profile = std::nullopt;
    RunPspPasses(noProfile);
    Run3gpPasses(noProfile);
    RunSinglePass(noProfile);
    RunPmpPasses(noProfile);
    EXPECT_THAT(noProfile.steps, ElementsAre("open 1", "open 2", "open 5", "open 7"));
}

}  // namespace
