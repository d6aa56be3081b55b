#include "engine/family_passes.h"

#include <gmock/gmock.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/command_text.h"
#include "engine/output_settings.h"
#include "engine/pass_output.h"
#include "tasks/task_list.h"

using ::testing::ElementsAre;

namespace {

// The cases that are hard to stage with real programs; every family's passes,
// files and Stops are also proven end to end with the real programs.
//
// Records every step a family takes on the tab with the profile's pass lines
// (after its title). Commands are those lines with the output folder and stem
// put in; Stop is pressed while the command named by stopDuring runs, as the
// stop button would be inside that pass's wait.
class RecordingHost : public IPassHost {
public:
    explicit RecordingHost(std::vector<std::string> passes = {"pass1", "pass2", "pass3", "pass4", "pass5"},
                           int deviceTab = kTabXbox)
        : profile(std::move(passes)), tab(deviceTab) {
        profile.insert(profile.begin(), "Title");
    }

    std::vector<std::string> steps;
    std::vector<std::string> profile;
    std::string stopDuring;
    std::map<std::string, PassEnd> ends;  // by command; the others exit with 0
    std::set<std::string> taken;          // names a file or another item has
    std::set<std::string> written;        // files that hold something after the passes
    int tab;
    int fileNumber = 12345;
    bool shutDown = false;
    bool cancel = false;

    std::optional<std::vector<std::string>> OpenProfile(int fileIndex) override {
        steps.push_back("open " + std::to_string(fileIndex));
        return profile;
    }
    std::string IpodTemplate() override { return "ipod -y \"$OUTPUT_DIR$OUTPUT_FILE.m4v\""; }
    std::optional<std::string> ExpandCommand(const std::string& commandTemplate) override {
        std::string command = commandTemplate;
        if (!ReplaceAll(command, "$OUTPUT_DIR", OutputDirectory(), 100) ||
            !ReplaceAll(command, "$OUTPUT_FILE", OutputFileStem(), 100)) {
            return std::nullopt;
        }
        return command;
    }
    std::optional<std::string> BuildIpodCommand(const std::string& commandTemplate) override {
        return ExpandCommand(commandTemplate);
    }
    void EnterAppFolder() override { steps.push_back("app folder"); }
    PassEnd RunEncoder(const std::string& command) override { return Run("encoder " + command, command); }
    PassEnd RunHidden(const std::string& command) override { return Run("hidden " + command, command); }
    void StopEncoder() override { steps.push_back("stop encoder"); }
    bool CancelRequested() const override { return cancel; }
    void SetItemStatus(int status) override { steps.push_back("status " + std::to_string(status)); }
    void FailItem(int status, const std::string& reason, const std::string&) override {
        steps.push_back("failed " + std::to_string(status) + ": " + reason);
    }
    void MarkItemFinished() override { steps.push_back("finished"); }
    void UseItemFiles(const ItemFiles& files) override {
        fileNumber = files.fileNumber == 0 ? fileNumber : files.fileNumber;
        std::string names;
        for (const std::string& path : files.paths) names += " " + path;
        steps.push_back("files" + names + " -> " + files.output);
    }
    void DeleteFile(const std::string& path) override { steps.push_back("delete " + path); }
    void AddToITunes(const std::string& outputPath) override { steps.push_back("itunes " + outputPath); }
    bool IsSourceOfAnItem(const std::string&) const override { return false; }
    bool IsNameTaken(const std::string& path) const override { return taken.count(path) != 0; }
    bool SameName(const std::string& first, const std::string& second) const override {
        return TaskList::SameNameIgnoringAsciiCase(first, second);
    }
    bool HoldsContent(const std::string& path) const override { return written.count(path) != 0; }
    int DeviceTab() const override { return tab; }
    int ProfileEntry() const override { return 0; }
    int ThreeGpType() const override { return 0; }
    bool ShutDownWhenFinished() const override { return shutDown; }
    std::string OutputDirectory() const override { return "D:\\out\\"; }
    std::string OutputName() const override { return "clip"; }
    int FileNumber() const override { return fileNumber; }
    std::string OutputFileStem() const override { return tab == kTabPsp ? PspOutputName(0, fileNumber) : OutputName(); }
    std::string ExportPath() const override { return "D:\\out\\clip_export.avi"; }

private:
    PassEnd Run(const std::string& step, const std::string& command) {
        steps.push_back(step);
        if (!stopDuring.empty() && command == stopDuring) cancel = true;
        return ends.count(command) ? ends[command] : PassEnd{0ul, std::string()};
    }
};

// The media library gets the file the profile really wrote, once it was found good.
TEST(IpodPasses, FinishedOnlyWhenItsOutputHoldsSomethingThenTheMediaLibrary) {
    RecordingHost host;
    host.written = {"D:\\out\\clip.m4v"};
    RunIpodPasses(host);
    EXPECT_THAT(host.steps, ElementsAre("app folder", "files D:\\out\\clip.m4v -> D:\\out\\clip.m4v", "status 1",
                                        "encoder ipod -y \"D:\\out\\clip.m4v\"", "stop encoder",
                                        "delete D:\\out\\clip_export.avi", "finished", "itunes D:\\out\\clip.m4v"));

    // Stopped, the item is canceled like any other; with the shutdown box
    // ticked the media library is left alone; an encoder that ended well but
    // wrote nothing is no success.
    RecordingHost stopped;
    stopped.stopDuring = "ipod -y \"D:\\out\\clip.m4v\"";
    RunIpodPasses(stopped);
    EXPECT_EQ(stopped.steps.back(), "status 9");
    RecordingHost shuttingDown;
    shuttingDown.written = host.written;
    shuttingDown.shutDown = true;
    RunIpodPasses(shuttingDown);
    EXPECT_EQ(shuttingDown.steps.back(), "finished");
    RecordingHost empty;
    RunIpodPasses(empty);
    EXPECT_THAT(empty.steps, ::testing::Contains("failed 10: no output written"));
    EXPECT_EQ(empty.steps.back(), "delete D:\\out\\clip.m4v");
}

// A taken name, by a file or another item, is never written: the 3GP's output
// and its intermediate each get the next free name, the PSP's pair the next number.
TEST(FamilyPasses, TakenNamesAreReplacedByTheNextFreeOnes) {
    RecordingHost phone({"enc -y \"$OUTPUT_DIR$OUTPUT_FILE_temp.3gp\"",
                         "mux \"$OUTPUT_DIR$OUTPUT_FILE_temp.3gp\" \"$OUTPUT_DIR$OUTPUT_FILE.3gp\"",
                         "fast \"$OUTPUT_DIR$OUTPUT_FILE.3gp\""},
                        kTab3gp);
    phone.taken = {"D:\\out\\clip_temp.3gp", "D:\\out\\clip.3gp", "D:\\out\\clip_2.3gp"};
    phone.written = {"D:\\out\\clip_3.3gp"};
    Run3gpPasses(phone);
    EXPECT_THAT(phone.steps,
                ElementsAre("open 2", "files D:\\out\\clip_temp_2.3gp D:\\out\\clip_3.3gp -> D:\\out\\clip_3.3gp",
                            "status 1", "encoder enc -y \"D:\\out\\clip_temp_2.3gp\"", "stop encoder", "status 2",
                            "hidden mux \"D:\\out\\clip_temp_2.3gp\" \"D:\\out\\clip_3.3gp\"",
                            "hidden fast \"D:\\out\\clip_3.3gp\"", "delete D:\\out\\clip_temp_2.3gp", "finished"));

    RecordingHost psp({"thm \"$OUTPUT_DIR$OUTPUT_FILE.THM\"", "enc \"$OUTPUT_DIR$OUTPUT_FILE.MP4\""}, kTabPsp);
    psp.taken = {"D:\\out\\M4V12345.THM"};
    psp.written = {"D:\\out\\M4V12346.MP4"};
    RunPspPasses(psp);
    EXPECT_EQ(psp.steps[1], "files D:\\out\\M4V12346.THM D:\\out\\M4V12346.MP4 -> D:\\out\\M4V12346.MP4");
    EXPECT_EQ(psp.steps.back(), "finished");
}

// The first pass that fails ends the item with the encoder's own words; what
// it wrote goes, and no later pass runs. A pass that cannot start, one ended
// for its silence, and a command too long, fail the item too.
TEST(FamilyPasses, AFailingPassEndsTheItemWithItsReason) {
    RecordingHost pmp({"enc \"$OUTPUT_DIR$OUTPUT_FILE_temp.avi\"", "pass2"});
    pmp.ends["enc \"D:\\out\\clip_temp.avi\""] = {
        1ul,
        "[avi @ 0x1] Format avi detected only with low score\r\nC:\\in\\clip.avi: Invalid data found when "
        "processing input\r\nConversion failed!\r\n"};
    RunPmpPasses(pmp);
    EXPECT_THAT(pmp.steps,
                ElementsAre("open 7", "files D:\\out\\clip_temp.avi -> ", "status 1",
                            "encoder enc \"D:\\out\\clip_temp.avi\"", "stop encoder",
                            "failed 10: Invalid data found when processing input", "delete D:\\out\\clip_temp.avi"));

    RecordingHost missingLines(std::vector<std::string>{});
    missingLines.ends[""] = {std::nullopt, std::string()};
    RunSinglePass(missingLines);
    EXPECT_EQ(missingLines.steps.back(), "failed 10: could not start ");
    RecordingHost crashed;
    crashed.ends["pass1"] = {0xC0000005ul, "frame=  10 size=  12kB time=00:00:01.00\r"};
    RunSinglePass(crashed);
    EXPECT_EQ(crashed.steps.back(), "failed 10: pass1 ended with code 3221225477");
    RecordingHost stalled;
    stalled.ends["pass1"] = {1ul, "Conversion failed!\r\n", true};
    RunSinglePass(stalled);
    EXPECT_EQ(stalled.steps.back(), "failed 10: the encoder stopped answering");
    RecordingHost tooLong({std::string(120, 'x')});  // refused before any pass runs
    RunSinglePass(tooLong);
    EXPECT_THAT(tooLong.steps, ElementsAre("open 5", "files -> ", "failed 10: command too long"));
}

}  // namespace
