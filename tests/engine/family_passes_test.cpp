#include "engine/family_passes.h"

#include <gmock/gmock.h>

#include <set>
#include <string>
#include <vector>

#include "engine/output_settings.h"
#include "tasks/conversion_item.h"

using ::testing::ElementsAre;

namespace {

// The cases that are hard to stage with real programs; every family's passes,
// files and Stops are also proven end to end with the real programs.
//
// Records every step a family takes. Commands are the profile lines with
// "!" put in for $OUTPUT_FILE; Stop is pressed while the command named by
// stopDuring runs, as the stop button would be inside that pass's wait.
class RecordingHost : public IPassHost {
public:
    std::vector<std::string> steps;
    std::vector<std::string> profile = {"Title", "pass1", "pass2", "pass3", "pass4", "pass5"};
    std::string ipodTemplate = "ipod -y \"$OUTPUT_DIR$OUTPUT_FILE.m4v\"";
    std::string stopDuring;
    std::set<std::string> sources;
    std::size_t commandLimit = 100;
    int threeGpType = 0;
    bool shutDown = false;
    bool cancel = false;

    std::optional<std::vector<std::string>> OpenProfile(int fileIndex) override {
        steps.push_back("open " + std::to_string(fileIndex));
        return profile;
    }
    std::string IpodTemplate() override { return ipodTemplate; }
    std::optional<std::string> ExpandCommand(const std::string& commandTemplate) override {
        if (commandTemplate.size() > commandLimit) return std::nullopt;
        return commandTemplate;
    }
    std::optional<std::string> BuildIpodCommand(const std::string&) override { return std::string("ipod"); }
    void EnterAppFolder() override { steps.push_back("app folder"); }
    void RunEncoder(const std::string& command) override { Run("encoder " + command, command); }
    void RunHidden(const std::string& command) override { Run("hidden " + command, command); }
    void StopEncoder() override { steps.push_back("stop encoder"); }
    bool CancelRequested() const override { return cancel; }
    void SetItemStatus(int status) override { steps.push_back("status " + std::to_string(status)); }
    void MarkItemFinished() override { steps.push_back("finished"); }
    void DeleteFile(const std::string& path) override { steps.push_back("delete " + path); }
    void AddToITunes(const std::string& outputPath) override { steps.push_back("itunes " + outputPath); }
    bool IsSourceOfAnItem(const std::string& path) const override { return sources.count(path) != 0; }
    void LogRefusal(const std::string&) override { steps.push_back("log"); }
    int DeviceTab() const override { return kTabXbox; }
    int ThreeGpType() const override { return threeGpType; }
    bool ShutDownWhenFinished() const override { return shutDown; }
    std::string OutputDirectory() const override { return "D:\\out\\"; }
    std::string OutputName() const override { return "clip"; }
    std::string OutputFileStem() const override { return "clip"; }
    std::string ExportPath() const override { return "D:\\out\\clip_export.avi"; }

private:
    void Run(const std::string& step, const std::string& command) {
        steps.push_back(step);
        if (!stopDuring.empty() && command == stopDuring) cancel = true;
    }
};

// The media library gets the file the profile really wrote, whatever its extension.
TEST(IpodPasses, FinishedBeforeTheMediaLibraryWhichGetsTheWrittenFile) {
    RecordingHost host;
    RunIpodPasses(host);
    EXPECT_THAT(host.steps, ElementsAre("app folder", "status 1", "encoder ipod", "delete D:\\out\\clip_export.avi",
                                        "stop encoder", "finished", "itunes D:\\out\\clip.m4v"));

    // Stopped, the item stays "encoding" with its figures; with the shutdown
    // box ticked the media library is left alone.
    RecordingHost stopped;
    stopped.stopDuring = "ipod";
    RunIpodPasses(stopped);
    EXPECT_THAT(stopped.steps, ElementsAre("app folder", "status 1", "encoder ipod"));
    RecordingHost shuttingDown;
    shuttingDown.shutDown = true;
    RunIpodPasses(shuttingDown);
    EXPECT_EQ(shuttingDown.steps.back(), "finished");
}

TEST(PspPasses, StopDuringTheThumbnailNeverStartsTheEncodingPass) {
    RecordingHost host;
    host.stopDuring = "pass1";
    RunPspPasses(host);
    EXPECT_THAT(host.steps, ElementsAre("open 1", "hidden pass1", "status 9"));
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

TEST(FamilyPasses, MissingLinesRunAsEmptyCommands) {
    RecordingHost host;
    host.profile = {"Title", "pass1"};
    RunPmpPasses(host);
    EXPECT_THAT(host.steps,
                ElementsAre("open 7", "status 1", "encoder pass1", "stop encoder", "status 5", "hidden ", "hidden ",
                            "delete D:\\out\\clip_temp.avi", "hidden ", "delete D:\\out\\clip_temp.mp3"));
}

// Refusals come before the first pass: nothing runs, nothing is deleted.
TEST(FamilyPasses, AnItemIsRefusedWhenAPassWouldWriteOverASourceOrACommandDoesNotFit) {
    RecordingHost overwrite;
    overwrite.profile = {"Title", "a -y \"$OUTPUT_DIR$OUTPUT_FILE_temp.3gp\"", "b -y \"$OUTPUT_DIR$OUTPUT_FILE.3gp\"",
                         "c"};
    overwrite.sources = {"D:\\out\\clip.3gp"};
    Run3gpPasses(overwrite);
    EXPECT_THAT(overwrite.steps, ElementsAre("open 2", "log", "status 11"));

    RecordingHost thumbnail;
    thumbnail.profile = {"Title", "t -y $OUTPUT_DIR$OUTPUT_FILE.THM", "e"};
    thumbnail.sources = {"D:\\out\\clip.THM"};
    RunPspPasses(thumbnail);
    EXPECT_THAT(thumbnail.steps, ElementsAre("open 1", "log", "status 11"));

    RecordingHost ipod;
    ipod.sources = {"D:\\out\\clip.m4v"};
    RunIpodPasses(ipod);
    EXPECT_THAT(ipod.steps, ElementsAre("app folder", "log", "status 11"));

    RecordingHost tooLong;
    tooLong.profile = {"Title", "pass1", "pass2", "pass3", "pass4", std::string(101, 'x')};
    RunPmpPasses(tooLong);  // only four of its lines are passes
    EXPECT_EQ(tooLong.steps.back(), "delete D:\\out\\clip_temp.mp3");
    tooLong.steps.clear();
    tooLong.threeGpType = 2;
    Run3gpPasses(tooLong);
    EXPECT_THAT(tooLong.steps, ElementsAre("open 4", "log", "status 10"));
}

}  // namespace
