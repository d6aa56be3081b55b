// Whole runs without the window: the run object with stand-in programs for
// the encoder and the media-library helper, checked by what a user would
// find: the files on disk, the rows' states, log.txt and the closing message.
#include "run/conversion_run.h"

#include <windows.h>

#include <gmock/gmock.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/folder_path.h"
#include "engine/output_directory.h"
#include "engine/work_files.h"
#include "support/app_folder_fixture.h"
#include "support/fake_settings.h"
#include "support/message_button.h"

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// The window as the run meets it: what it was told to show, and the progress
// cells it repainted, as the states each row went through.
class RunWindow : public IRunHost, public IItemView {
public:
    explicit RunWindow(const TaskList& tasks) : tasks_(tasks) {}

    std::string folder;
    std::vector<std::string> messages;
    bool shutDownBox = false;
    int atOnce = 1;
    std::function<void(const ConversionItem&)> onRepaint;
    // Each row's phases as the list showed them, one entry per change.
    std::map<int, std::vector<std::string>> trail;

    std::string OutputFolderText() const override { return folder; }
    void ClosePlayer() override {}
    void ShowRunButtons(bool) override {}
    void EnableOutputSettings(bool) override {}
    int ItemsAtOnce() const override { return atOnce; }
    void ShowRunProgress(const std::string&, int) override {}
    void ClearRunProgress() override {}
    bool ShutDownWhenFinished() const override { return shutDownBox; }
    void ShutDownComputer() override { messages.push_back("shut down"); }
    void ShowMessage(const std::string& text, const char*, unsigned) override { messages.push_back(text); }
    bool WindowAlive() const override { return true; }
    void CloseWindow() override { messages.push_back("closed"); }
    void RepaintProgressCell(int itemIndex) override {
        const ConversionItem item = tasks_.Copy(itemIndex);
        const std::string now = item.finished ? "finished" : std::to_string(item.status);
        std::vector<std::string>& phases = trail[itemIndex];
        if (phases.empty() || phases.back() != now) phases.push_back(now);
        if (onRepaint) onRepaint(item);
    }
    void RepaintOutputCell(int) override {}

private:
    const TaskList& tasks_;
};

// The export of a RealMedia item, as the player leaves it: its intermediate
// file in the output folder.
struct StandInExport : IItemExport {
    TaskList& tasks;
    explicit StandInExport(TaskList& list) : tasks(list) {}
    bool ExportItem(int itemIndex, const bool&) override {
        ConversionItem item = tasks.Copy(itemIndex);
        item.exportPath = outputDirectory + item.outputName + "_12345.avi";
        std::ofstream(item.exportPath) << "export";
        item.exportDone = 1;
        item.status = kStatusEncoding;
        tasks.Replace(itemIndex, item);
        return true;
    }
};

class ConversionRunTest : public AppFolderTest {
protected:
    TaskList tasks;
    FakeSettings settings;
    RunWindow window{tasks};
    StandInExport exporter{tasks};
    CConversionRun run{tasks, settings, window, window, exporter};
    MessageButton stopButton{[this] { run.StopConversion(); }};
    std::string output;

    void SetUp() override {
        AppFolderTest::SetUp();
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        for (const char* name : {"enc.exe", "VavuDuzuv.exe"}) {
            ASSERT_TRUE(CopyFileA((FolderOfPath(self) + "fake_encoder.exe").c_str(),
                                  (folder.Path() + "app\\" + name).c_str(), FALSE));
        }
        output = folder.Path() + "out\\";  // the run makes it, as a user's chosen folder may be gone
        outputDirectory = output;
        window.folder = output;
    }

    // An item for a source of this name, with what `change` makes of it.
    int AddItem(const std::string& name, const std::function<void(ConversionItem&)>& change = nullptr) {
        ConversionItem item;
        item.sourcePath = folder.Write(name + ".avi", "source video");
        item.outputName = name;
        item.endTime = 10.0;
        if (change) change(item);
        tasks.Append(item);
        return tasks.Count() - 1;
    }

    // The tab's family with a profile file of one entry, whose passes are given.
    void UseProfile(int tab, const std::string& file, const std::vector<std::string>& passes) {
        settings.deviceTab = tab;
        std::string text = "[Info]\r\nDefaultProfile=1\r\n[only]\r\nTitle=t\r\n";
        for (std::size_t n = 0; n < passes.size(); ++n)
            text += "Pass" + std::to_string(n + 1) + "=" + passes[n] + "\r\n";
        WriteApp(file, text);
    }

    // The iPod family with one profile setting whose command is given.
    void UseIpodCommand(const std::string& command) {
        settings.deviceTab = kTabIpod;
        WriteApp("iPod_Profile.ini", "[profile0]\r\nCommand0=" + command + "\r\n");
    }

    std::vector<std::string> OutputFiles() const { return FileNamesIn(output); }
};

const char kIpodPass[] = "enc.exe --progress 2 10 --write \"$OUTPUT_DIR$OUTPUT_FILE.mp4\" video --finish";
const std::string kOutput = "\"$OUTPUT_DIR$OUTPUT_FILE";
const auto kExported = [](ConversionItem& item) { item.needsExport = 1; };

// The row reads " Finished " while the media library takes the file; a Stop
// then ends the run but the finished output stays and counts as converted.
TEST_F(ConversionRunTest, StopDuringTheMediaLibraryStepKeepsTheFinishedOutput) {
    AddItem("clip");
    AddItem("next");
    UseIpodCommand(kIpodPass);
    window.onRepaint = [this](const ConversionItem& item) {
        if (item.finished == 1) PostMessageA(stopButton.Window(), WM_APP, 0, 0);
    };
    run.StartConversion();
    EXPECT_EQ(OutputFiles(), std::vector<std::string>{"clip.mp4"});
    EXPECT_THAT(folder.Read("app\\vavuduzuv-journal.txt"), HasSubstr("clip.mp4"));
    EXPECT_EQ(window.messages, std::vector<std::string>{"  Converting stopped: 1 converted  "});
}

// Side by side, the second item chooses its names while the first one's
// encoder has not written its intermediate yet: it must not choose the same.
// The stand-in creates it as FFmpeg's "-n" does, failing on a file that is there.
TEST_F(ConversionRunTest, ItemsSideBySideNeverChooseOneNameForFilesNotWrittenYet) {
    for (const char* name : {"a", "b"}) AddItem(name, [](ConversionItem& item) { item.outputName = "clip"; });
    window.atOnce = 2;
    UseProfile(kTab3gp, "3GP_AMR_Profile.ini",
               {"enc.exe --sleep 300 --create " + kOutput + "_temp.3gp\" x --progress 1 0 --finish",
                "enc.exe --write " + kOutput + ".3gp\" x", "enc.exe --write " + kOutput + ".3gp\" x"});
    run.StartConversion();
    EXPECT_EQ(window.messages, std::vector<std::string>{"  Converting Finished  "});
    EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"clip.3gp", "clip_2.3gp"}));
}

// Three items running when Stop comes: each is canceled and nothing of any is
// left, also of an encoder that creates its file after the Stop or of an
// exported item's intermediate; the fourth is never started.
TEST_F(ConversionRunTest, AStopWithThreeItemsRunningLeavesNothingOfThemAndTheRestUntouched) {
    AddItem("a");
    AddItem("b", kExported);
    for (const char* name : {"c", "d"}) AddItem(name);
    window.atOnce = 3;
    int running = 0;
    MessageButton started([&] {
        if (++running == 3) run.StopConversion();
    });
    UseIpodCommand("enc.exe --open \"$OUTPUT_DIR$OUTPUT_FILE.mp4\" --post " + started.Handle() +
                   " --wait-q --sleep 100");
    run.StartConversion();
    EXPECT_EQ(window.messages, std::vector<std::string>{"  Converting stopped: 0 converted, 3 canceled  "});
    EXPECT_TRUE(OutputFiles().empty());
    EXPECT_EQ(window.trail[3], std::vector<std::string>{"0"}) << "the fourth row never moved";
}

// Two at once, two items finishing together: the helper that rewrites the
// media library's playlist runs for one of them at a time. Failures side by
// side are each counted and logged.
TEST_F(ConversionRunTest, SideBySideTheMediaLibraryStepRunsOnceAtATimeAndEachFailureCounts) {
    for (const char* name : {"a", "b", "c", "d"}) AddItem(name);
    for (const char* failing : {"c.avi.fail", "d.avi.fail"}) folder.Write(failing, "");
    window.atOnce = 2;
    UseIpodCommand("enc.exe --fail-beside \"$INPUT_FILE\" " + std::string(kIpodPass).substr(8));
    run.StartConversion();
    EXPECT_EQ(window.messages, std::vector<std::string>{"  2 converted, 2 failed  "});
    EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"a.mp4", "b.mp4"}));
    EXPECT_THAT(folder.Read("app\\vavuduzuv-journal.txt"),
                AllOf(HasSubstr("a.mp4"), HasSubstr("b.mp4"), Not(HasSubstr("two helpers at once"))));
    const std::string log = folder.Read("app\\log.txt");
    for (int failed : {2, 3}) {
        EXPECT_EQ(tasks.Copy(failed).failureReason, "enc.exe ended with code 3");
        EXPECT_THAT(log, HasSubstr("NOT CONVERTED: " + tasks.Copy(failed).sourcePath));
    }
    EXPECT_THAT(log, Not(HasSubstr(tasks.Copy(0).sourcePath)));
}

// A ticked unreadable file fails without reaching the encoder and keeps its
// mark for the next run; one the stopped run never reached counts nowhere.
// Every item the run reached and did not convert has its line in log.txt.
TEST_F(ConversionRunTest, AStoppedRunCountsOnlyTheItemsItReached) {
    const auto markedUnreadable = [](ConversionItem& item) { item.status = kStatusUnreadable; };
    const int unreadable = AddItem("broken", markedUnreadable);
    AddItem("clip");
    const int unreached = AddItem("later", markedUnreadable);
    UseIpodCommand("enc.exe --post " + stopButton.Handle() +
                   " --open \"$OUTPUT_DIR$OUTPUT_FILE.mp4\" --wait-q --write \"$OUTPUT_DIR$OUTPUT_FILE.mp4\" x");
    run.StartConversion();
    EXPECT_EQ(window.messages, std::vector<std::string>{"  Converting stopped: 0 converted, 1 failed, 1 canceled  "});
    EXPECT_TRUE(OutputFiles().empty());
    const std::string log = folder.Read("app\\log.txt");
    EXPECT_THAT(log, HasSubstr("NOT CONVERTED: " + tasks.Copy(unreadable).sourcePath));
    EXPECT_THAT(log, HasSubstr("NOT CONVERTED: " + tasks.Copy(1).sourcePath));
    EXPECT_THAT(log, Not(HasSubstr(tasks.Copy(unreached).sourcePath)));

    folder.MakeFolder("out\\clip.mp4");  // a folder's name is as taken as a file's
    UseIpodCommand(kIpodPass);
    run.StartConversion();
    EXPECT_EQ(tasks.Copy(unreadable).status, kStatusUnreadable) << "the mark stays until the file reads well";
    EXPECT_EQ(window.messages.back(), "  1 converted, 2 failed  ");
    EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"clip.mp4", "clip_2.mp4"}));
}

// The window closes once the run's call has returned: no closing message,
// no shut-down, nothing of the stopped item left.
TEST_F(ConversionRunTest, ACloseDuringARunStopsItAndThenEndsTheWindow) {
    AddItem("clip");
    MessageButton closeButton([this] { run.RequestClose(); });
    window.shutDownBox = true;
    UseIpodCommand("enc.exe --post " + closeButton.Handle() +
                   " --open \"$OUTPUT_DIR$OUTPUT_FILE.mp4\" --wait-q --write \"$OUTPUT_DIR$OUTPUT_FILE.mp4\" x");
    run.StartConversion();
    EXPECT_EQ(window.messages, std::vector<std::string>{"closed"});
    EXPECT_EQ(tasks.Copy(0).status, kStatusCanceled);
    EXPECT_TRUE(OutputFiles().empty());
}

// A tab, 3GP type or profile chosen between two passes (the click's message is
// dispatched by the first pass's wait) changes nothing of the running item's
// passes.
TEST_F(ConversionRunTest, APanelClickDuringAnItemChangesNothingOfIt) {
    AddItem("clip");
    MessageButton panel([this] {
        settings.deviceTab = kTabPsp;
        settings.threeGpType = 2;
        settings.profileEntry = -1;
    });
    UseProfile(kTab3gp, "3GP_AMR_Profile.ini",
               {"enc.exe --post " + panel.Handle() + " --progress 1 0 --finish --write " + kOutput + "_temp.3gp\" x",
                "enc.exe --open " + kOutput + ".3gp\" --write " + kOutput + ".3gp\" x",
                "enc.exe --write " + kOutput + ".3gp\" x"});
    run.StartConversion();
    EXPECT_EQ(OutputFiles(), std::vector<std::string>{"clip.3gp"});
    EXPECT_EQ(window.trail[0], (std::vector<std::string>{"0", "1", "2", "finished"}));
}

// An exported item's encoder is stopped by the progress reader (without a
// Stop) once the range is encoded; the run waits for the encoder to finish
// its file, then deletes the intermediate.
TEST_F(ConversionRunTest, AnExportedItemEndsAtItsRangeAndLeavesOnlyItsOutput) {
    AddItem("clip", [](ConversionItem& item) {
        item.needsExport = 1;
        item.beginTime = 3.0;  // the intermediate holds the range alone: it ends at 2 s
        item.endTime = 5.0;
    });
    UseProfile(kTabXbox, "Xbox_Profile.ini",
               {"enc.exe --print \"size=      64kB time=2.50 \" --wait-q --sleep 200 --finish --write "
                "\"$OUTPUT_DIR$OUTPUT_FILE.mpg\" done"});
    run.StartConversion();
    EXPECT_EQ(window.messages, std::vector<std::string>{"  Converting Finished  "});
    EXPECT_EQ(OutputFiles(), std::vector<std::string>{"clip.mpg"});
    EXPECT_EQ(folder.Read("out\\clip.mpg"), "done");
}

// An output written over the item's own source, however the source's path is
// written, is refused before the first pass: nothing runs, nothing is deleted,
// and no clean-up ever deletes a source.
TEST_F(ConversionRunTest, AnItemWhoseOutputWouldOverwriteItsSourceIsRefused) {
    ConversionItem item = tasks.Copy(AddItem("clip"));
    item.sourcePath = output.substr(0, output.size() - 1) + "/SUB/../CLIP.MPG";
    tasks.Replace(0, item);
    folder.MakeFolder("out");
    folder.Write("out\\clip.mpg", "the source");
    UseProfile(kTabXbox, "Xbox_Profile.ini", {"enc.exe --write ran.txt x \"$OUTPUT_DIR$OUTPUT_FILE.mpg\""});
    run.StartConversion();
    EXPECT_EQ(tasks.Copy(0).status, kStatusWouldOverwriteSource);
    EXPECT_FALSE(folder.Exists("app\\ran.txt"));
    EXPECT_FALSE(DeleteWorkFile(tasks, output + "clip.mpg"));
    EXPECT_EQ(folder.Read("out\\clip.mpg"), "the source");
    EXPECT_THAT(folder.Read("app\\log.txt"), HasSubstr("CLIP.MPG: would overwrite its source"));
}

}  // namespace
