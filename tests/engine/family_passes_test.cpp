#include "engine/family_passes.h"

#include <gmock/gmock.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/command_text.h"
#include "engine/free_names.h"
#include "engine/output_settings.h"
#include "tasks/task_list.h"

using ::testing::Contains;
using ::testing::ElementsAre;

namespace {

// What FFmpeg prints last when it has encoded the whole range.
const char kWholeEncode[] =
    "video:100kB audio:18kB subtitle:0kB other streams:0kB global headers:0kB muxing overhead: 1%\n";

// The cases that are hard to stage with real programs; every family's passes,
// files and Stops are also proven end to end with the real programs.
//
// Records every step a family takes on the tab with the profile's pass lines
// (after its title). Commands are those lines with the output folder and stem
// put in. Encoders encode the whole range unless `ends` says otherwise. What a
// Stop leaves is the conversion run's case.
class RecordingHost : public IPassHost {
public:
    explicit RecordingHost(std::vector<std::string> passes = {"pass1", "pass2", "pass3", "pass4", "pass5"},
                           int deviceTab = kTabXbox)
        : profile(std::move(passes)), tab(deviceTab) {
        profile.insert(profile.begin(), "Title");
    }

    std::vector<std::string> steps;
    std::vector<std::string> profile;
    std::map<std::string, PassEnd> ends;         // by command
    std::map<std::string, std::string> appears;  // by command: a file another program makes while it runs
    std::set<std::string> taken;                 // names a file or another item has
    std::set<std::string> sources;               // the items' sources
    std::set<std::string> written;               // files that hold something after the passes
    std::vector<std::string> claimed;
    std::string outputName = "clip";
    int tab;
    int fileNumber = 12345;

    std::optional<std::vector<std::string>> OpenProfile(int fileIndex) override {
        steps.push_back("open " + std::to_string(fileIndex));
        return profile;
    }
    std::string IpodTemplate() override { return "ipod -y \"$OUTPUT_DIR$OUTPUT_FILE.m4v\""; }
    std::optional<std::string> ExpandCommand(const std::string& commandTemplate) override {
        std::string command = commandTemplate;
        if (!ReplaceAll(command, "$OUTPUT_DIR", OutputDirectory(), 400) ||
            !ReplaceAll(command, "$OUTPUT_FILE", OutputFileStem(), 400)) {
            return std::nullopt;
        }
        return command;
    }
    std::optional<std::string> BuildIpodCommand(const std::string& commandTemplate) override {
        return ExpandCommand(commandTemplate);
    }
    void EnterAppFolder() override { steps.push_back("app folder"); }
    PassEnd RunEncoder(const std::string& command) override { return Run("encoder ", command, kWholeEncode); }
    PassEnd RunHidden(const std::string& command) override { return Run("hidden ", command, ""); }
    void StopEncoder() override { steps.push_back("stop encoder"); }
    bool CancelRequested() const override { return false; }
    void SetItemStatus(int status) override { steps.push_back("status " + std::to_string(status)); }
    void FailItem(int status, const std::string& reason, const std::string&) override {
        steps.push_back("failed " + std::to_string(status) + ": " + reason);
    }
    void MarkItemFinished() override { steps.push_back("finished"); }
    void UseOutputName(const std::string& outputPath, int number) override {
        fileNumber = number;
        steps.push_back("output " + outputPath);
    }
    void ClaimItemFiles(const std::vector<std::string>& paths) override { claimed = paths; }
    void HoldNames(const std::vector<std::string>&) override {}
    void DeleteFile(const std::string& path) override { steps.push_back("delete " + path); }
    bool IsSourceOfAnItem(const std::string& path) const override { return sources.count(path) != 0; }
    bool IsOwnSource(const std::string&) const override { return false; }
    bool IsNameTaken(const std::string& path) const override { return taken.count(path) != 0; }
    bool SameName(const std::string& first, const std::string& second) const override {
        return TaskList::SameNameIgnoringAsciiCase(first, second);
    }
    bool HoldsContent(const std::string& path) const override { return written.count(path) != 0; }
    int DeviceTab() const override { return tab; }
    int ProfileEntry() const override { return 0; }
    int ThreeGpType() const override { return 0; }
    std::string OutputDirectory() const override { return "D:\\out\\"; }
    int FileNumber() const override { return fileNumber; }
    std::string OutputFileStem() const override { return tab == kTabPsp ? PspOutputName(0, fileNumber) : outputName; }
    std::string ExportPath() const override { return "D:\\out\\clip_export.avi"; }
    double RangeSeconds() const override { return 4.0; }

private:
    PassEnd Run(const std::string& kind, const std::string& command, const char* wholeOutput) {
        steps.push_back(kind + command);
        if (appears.count(command)) taken.insert(appears[command]);
        return ends.count(command) ? ends[command] : PassEnd{0ul, wholeOutput};
    }
};

const std::vector<std::string> k3gpPasses = {
    "enc -y \"$OUTPUT_DIR$OUTPUT_FILE_temp.3gp\"",
    "mux \"$OUTPUT_DIR$OUTPUT_FILE_temp.3gp\" -y \"$OUTPUT_DIR$OUTPUT_FILE.3gp\"",
    "fast -y \"$OUTPUT_DIR$OUTPUT_FILE.3gp\""};

TEST(IpodPasses, FinishedOnlyWhenItsOutputHoldsSomething) {
    RecordingHost host;
    host.written = {"D:\\out\\clip.m4v"};
    EXPECT_TRUE(RunIpodPasses(host));
    EXPECT_THAT(host.steps, ElementsAre("app folder", "output D:\\out\\clip.m4v", "status 1",
                                        "encoder ipod -n \"D:\\out\\clip.m4v\"", "stop encoder",
                                        "delete D:\\out\\clip_export.avi", "finished"));

    // An encoder that ended well but wrote nothing is no success.
    RecordingHost empty;
    EXPECT_FALSE(RunIpodPasses(empty));
    EXPECT_THAT(empty.steps, Contains("failed 10: no output written"));
    EXPECT_EQ(empty.steps.back(), "delete D:\\out\\clip.m4v");
}

// A taken name, by a file, another item or another item's source, is never
// written: the 3GP's output and its intermediate each get the next free name,
// the PSP's pair the next number (a file two passes name is one file). Only a
// pass that creates a file is told not to overwrite.
TEST(FamilyPasses, TakenNamesAreReplacedByTheNextFreeOnes) {
    RecordingHost phone(k3gpPasses, kTab3gp);
    phone.taken = {"D:\\out\\clip_temp.3gp", "D:\\out\\clip_2.3gp"};
    phone.sources = {"D:\\out\\clip.3gp"};
    phone.written = {"D:\\out\\clip_3.3gp"};
    EXPECT_TRUE(Run3gpPasses(phone));
    EXPECT_THAT(
        phone.steps,
        ElementsAre("open 2", "output D:\\out\\clip_3.3gp", "status 1", "encoder enc -n \"D:\\out\\clip_temp_2.3gp\"",
                    "stop encoder", "status 2", "hidden mux \"D:\\out\\clip_temp_2.3gp\" -n \"D:\\out\\clip_3.3gp\"",
                    "hidden fast -y \"D:\\out\\clip_3.3gp\"", "delete D:\\out\\clip_temp_2.3gp", "finished"));

    RecordingHost psp({"thm -y \"$OUTPUT_DIR$OUTPUT_FILE.THM\"",
                       "enc -y \"$OUTPUT_DIR$OUTPUT_FILE.MP4\" \"$OUTPUT_DIR$OUTPUT_FILE.thm\""},
                      kTabPsp);
    psp.taken = {"D:\\out\\M4V12345.THM"};
    psp.written = {"D:\\out\\M4V12346.MP4"};
    EXPECT_TRUE(RunPspPasses(psp));
    EXPECT_THAT(
        psp.steps,
        ElementsAre("open 1", "output D:\\out\\M4V12346.MP4", "hidden thm -n \"D:\\out\\M4V12346.THM\"", "status 1",
                    "encoder enc -n \"D:\\out\\M4V12346.MP4\" \"D:\\out\\M4V12346.thm\"", "stop encoder", "finished"));
}

// Every number but the last taken: the last is as good as any. A path of
// exactly the limit is used; one that numbering would push past it is refused
// before anything runs.
TEST(FamilyPasses, TheNameChooserAtItsEdges) {
    RecordingHost crowded({"enc -y \"$OUTPUT_DIR$OUTPUT_FILE.mpg\""});
    crowded.taken = {"D:\\out\\clip.mpg"};
    for (int k = 2; k < kNameAttempts; ++k) crowded.taken.insert("D:\\out\\clip_" + std::to_string(k) + ".mpg");
    crowded.written = {"D:\\out\\clip_" + std::to_string(kNameAttempts) + ".mpg"};
    EXPECT_TRUE(RunSinglePass(crowded));

    RecordingHost longName({"enc -y \"$OUTPUT_DIR$OUTPUT_FILE.mpg\""});
    longName.outputName = std::string(248, 'n');
    const std::string longest = "D:\\out\\" + longName.outputName + ".mpg";  // 259 characters
    longName.written = {longest};
    EXPECT_TRUE(RunSinglePass(longName));
    longName.steps.clear();
    longName.taken = {longest};
    RunSinglePass(longName);
    EXPECT_THAT(longName.steps, ElementsAre("open 5", "failed 10: output path too long"));
}

// The first pass that fails ends the item with the encoder's own words, made
// fit for the row; what it wrote goes, and no later pass runs. A pass that
// cannot start, one ended for its silence, one that ends early (under Wine an
// encoder killed half way reports exit code 0: its output must show a
// finished encode), a missing pass line and a command too long fail the item
// too.
TEST(FamilyPasses, AFailingPassEndsTheItemWithItsReason) {
    RecordingHost pmp({"enc \"$OUTPUT_DIR$OUTPUT_FILE_temp.avi\"", "pass2"});
    pmp.ends["enc \"D:\\out\\clip_temp.avi\""] = {
        1ul, "[avi @ 0x1] Could not find codec parameters\r\nC:\\in\\clip.avi: Invalid\tdata in " +
                 std::string(80, 'x') + "Vid\xC3\xA9os\r\nError while opening the output\r\nConversion failed!\r\n"};
    RunPmpPasses(pmp);
    EXPECT_THAT(pmp.steps,
                ElementsAre("open 7", "output ", "status 1", "encoder enc \"D:\\out\\clip_temp.avi\"", "stop encoder",
                            "failed 10: Invalid data in " + std::string(80, 'x') + "Vid\xC3\xA9",
                            "delete D:\\out\\clip_temp.avi"));

    const std::string command = "enc \"D:\\out\\clip.mpg\"";
    const std::pair<PassEnd, std::string> ends[] = {
        {{std::nullopt, ""}, "could not start enc"},
        {{0xC0000005ul, "frame=  10 size=  12kB time=00:00:01.00\r"}, "enc ended with code 3221225477"},
        {{1ul, "Conversion failed!\r\n", true}, "the encoder stopped answering"},
        {{0ul, "frame=   25 q=3.0 size=      51kB time=1.00 bitrate= 417.8kbits/s speed=1x\r"},
         "the encoder stopped early"}};
    for (const auto& [end, reason] : ends) {
        RecordingHost host({"enc \"$OUTPUT_DIR$OUTPUT_FILE.mpg\""});
        host.written = {"D:\\out\\clip.mpg"};
        host.ends[command] = end;
        EXPECT_FALSE(RunSinglePass(host));
        EXPECT_THAT(host.steps, ElementsAre("open 5", "output D:\\out\\clip.mpg", "status 1", "encoder " + command,
                                            "stop encoder", "failed 10: " + reason, "delete D:\\out\\clip.mpg"));
    }

    RecordingHost missingLines(std::vector<std::string>{});
    missingLines.ends[""] = {std::nullopt, std::string()};
    RunSinglePass(missingLines);
    EXPECT_EQ(missingLines.steps.back(), "failed 10: could not start ");
    RecordingHost tooLong({std::string(500, 'x')});  // refused before any pass runs
    RunSinglePass(tooLong);
    EXPECT_THAT(tooLong.steps, ElementsAre("open 5", "output ", "failed 10: command too long"));
}

// A file that appears under a chosen name before the pass that creates it is
// someone else's: the item fails naming it, runs nothing more and keeps it.
// A failure deletes only what the passes run so far created; a file that "-n"
// kept FFmpeg from writing was not created.
TEST(FamilyPasses, TheItemDeletesOnlyTheFilesItsPassesCreated) {
    const std::string firstPass = "enc -n \"D:\\out\\clip_temp.3gp\"";
    RecordingHost appeared(k3gpPasses, kTab3gp);
    appeared.appears[firstPass] = "D:\\out\\clip.3gp";
    EXPECT_FALSE(Run3gpPasses(appeared));
    EXPECT_THAT(appeared.steps,
                ElementsAre("open 2", "output D:\\out\\clip.3gp", "status 1", "encoder " + firstPass, "stop encoder",
                            "failed 10: clip.3gp appeared meanwhile: kept", "delete D:\\out\\clip_temp.3gp"));

    RecordingHost muxFails(k3gpPasses, kTab3gp);
    muxFails.ends["mux \"D:\\out\\clip_temp.3gp\" -n \"D:\\out\\clip.3gp\""] = {1ul, ""};
    EXPECT_FALSE(Run3gpPasses(muxFails));
    EXPECT_THAT(
        std::vector<std::string>(muxFails.steps.end() - 3, muxFails.steps.end()),
        ElementsAre("failed 10: mux ended with code 1", "delete D:\\out\\clip_temp.3gp", "delete D:\\out\\clip.3gp"));

    RecordingHost refused(k3gpPasses, kTab3gp);
    refused.ends[firstPass] = {1ul, "File 'D:\\out\\clip_temp.3gp' already exists. Exiting.\r\n"};
    Run3gpPasses(refused);
    EXPECT_EQ(refused.steps.back(), "failed 10: enc ended with code 1");
    EXPECT_TRUE(refused.claimed.empty());
}

}  // namespace
