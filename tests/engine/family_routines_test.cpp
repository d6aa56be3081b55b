#include "engine/family_routines.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/folder_path.h"
#include "engine/output_directory.h"
#include "engine/run_state.h"
#include "engine/stop_conversion.h"
#include "support/app_folder_fixture.h"
#include "support/fake_settings.h"
#include "support/fake_views.h"
#include "support/message_button.h"

using ::testing::HasSubstr;

namespace {

// The item's phase as the list would have shown it, one entry per change.
class StatusTrail : public IItemView {
public:
    explicit StatusTrail(const TaskList& tasks) : tasks_(tasks) {}
    void RepaintProgressCell(int itemIndex) override {
        const ConversionItem item = tasks_.Copy(itemIndex);
        const std::string now = item.finished ? "finished" : std::to_string(item.status);
        if (trail.empty() || trail.back() != now) trail.push_back(now);
    }
    void RepaintOutputCell(int) override {}
    std::vector<std::string> trail;

private:
    const TaskList& tasks_;
};

class FamilyRoutinesTest : public AppFolderTest {
protected:
    TaskList tasks;
    int currentItemIndex = 0;
    FakeSettings settings;
    StatusTrail view{tasks};
    FakeRunOptions options;
    EngineContext context{tasks, currentItemIndex, settings, view, options};
    MessageButton stopButton{[this] { StopConversion(context); }};
    std::string output;

    void SetUp() override {
        AppFolderTest::SetUp();
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        ASSERT_TRUE(CopyFileA((FolderOfPath(self) + "fake_encoder.exe").c_str(),
                              (folder.Path() + "app\\enc.exe").c_str(), FALSE));
        folder.MakeFolder("out");
        output = folder.Path() + "out\\";
        outputDirectory = output;
        cancelRequested = false;
        ConversionItem item;
        item.sourcePath = folder.Write("clip.avi", "source video");
        item.outputName = "clip";
        item.title = "clip";
        item.endTime = 10.0;
        item.fileNumber = 12345;
        tasks.Append(item);
    }

    // A pass of the test encoder: it writes its output file (named by its
    // suffix after the item's output) and holds it open while it runs, as an
    // encoder does; an encoding pass ends as a whole encode does.
    std::string Pass(bool piped, const std::string& suffix) const {
        const std::string file = "\"$OUTPUT_DIR$OUTPUT_FILE" + suffix + "\"";
        return "enc.exe --open " + file + " --write " + file + " x" + (piped ? " --progress 2 10 --finish" : "");
    }

    // The tab's family with a profile file of one entry, whose passes are given.
    void UseProfile(int tab, const std::string& file, const std::vector<std::string>& passes) {
        settings.deviceTab = tab;
        std::string text = "[Info]\r\nDefaultProfile=1\r\n[only]\r\nTitle=t\r\n";
        for (std::size_t n = 0; n < passes.size(); ++n)
            text += "Pass" + std::to_string(n + 1) + "=" + passes[n] + "\r\n";
        WriteApp(file, text);
    }

    void Convert() {
        BeginItem(context);
        ConvertWithFamilyOfTab(context);
    }

    std::vector<std::string> OutputFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(output)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

// The last pass has run; an intermediate that a lingering program still holds
// keeps the routine waiting, and a Stop then must not delete the finished file.
TEST_F(FamilyRoutinesTest, StopAfterTheLastPassKeepsTheFinishedOutput) {
    const std::string holder = "--open \\\"" + output +
                               "clip_temp.mp3\\\" --signal clipvane-held --wait-parent --post " + stopButton.Handle() +
                               " --sleep 1000";
    UseProfile(kTabPmp, "PMP_Profile.ini",
               {Pass(true, "_temp.avi"), Pass(false, "_temp.mp3"), Pass(false, ".pmp"),
                Pass(false, ".pmp") + " --spawn \"" + holder + "\" --await clipvane-held"});
    Convert();
    EXPECT_TRUE(cancelRequested) << "the Stop came during the routine's last wait";
    EXPECT_TRUE(folder.Exists("out\\clip.pmp"));
    EXPECT_FALSE(folder.Exists("out\\clip_temp.mp3"));
}

// A Stop outside any routine (during an export) queues its deletions and ends
// the run; the next run's file of that name must survive.
TEST_F(FamilyRoutinesTest, DeletionsQueuedByOneRunNeverReachTheNext) {
    settings.deviceTab = kTabPmp;
    BeginItem(context);
    const std::string pmp = folder.Write("out\\clip.pmp", "half");
    itemFiles = {pmp};
    HANDLE held = CreateFileA(pmp.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    StopConversion(context);
    CloseHandle(held);

    cancelRequested = false;
    folder.Write("out\\clip.pmp", "next run's file");
    UseProfile(kTabXbox, "Xbox_Profile.ini", {Pass(true, ".mpg")});
    Convert();
    EXPECT_EQ(folder.Read("out\\clip.pmp"), "next run's file");
}

// A tab, 3GP type or profile chosen between two passes (the click's message is
// dispatched by the first pass's wait) changes nothing of the running item's
// passes. What a Stop then cleans up is the main window's Stop case.
TEST_F(FamilyRoutinesTest, APanelClickDuringAnItemChangesNothingOfIt) {
    MessageButton panel([this] {
        settings.deviceTab = kTabPsp;
        settings.threeGpType = 2;
        settings.profileEntry = -1;
    });
    const std::string file = "\"$OUTPUT_DIR$OUTPUT_FILE";
    UseProfile(
        kTab3gp, "3GP_AMR_Profile.ini",
        {"enc.exe --post " + panel.Handle() + " --progress 1 0 --finish --write " + file + "_temp.3gp\" x",
         "enc.exe --open " + file + ".3gp\" --write " + file + ".3gp\" x", "enc.exe --write " + file + ".3gp\" x"});
    Convert();
    EXPECT_EQ(OutputFiles(), std::vector<std::string>{"clip.3gp"});
    EXPECT_EQ(view.trail, (std::vector<std::string>{"1", "2", "finished"}));
}

// An exported item's encoder is stopped by the progress reader (from the chunk
// handler, without a cancel) once the range is encoded; the routine returns
// only once the encoder has finished its file.
TEST_F(FamilyRoutinesTest, ExportedItemStopsItsEncoderAtTheRangeLength) {
    ConversionItem item = tasks.Copy(0);
    item.needsExport = 1;
    item.endTime = 2.0;
    item.exportPath = folder.Write("out\\clip_export.avi", "export");
    tasks.Replace(0, item);
    UseProfile(kTabXbox, "Xbox_Profile.ini",
               {"enc.exe --print \"size=      64kB time=2.50 \" --wait-q --sleep 200 --write "
                "\"$OUTPUT_DIR$OUTPUT_FILE.mpg\" done"});
    Convert();
    EXPECT_FALSE(cancelRequested);
    EXPECT_EQ(folder.Read("out\\clip.mpg"), "done");
    EXPECT_FALSE(folder.Exists("app\\log.txt"));
}

// An output written over the item's own source, however the source's path is
// written, is refused before the first pass: nothing runs, nothing is deleted.
TEST_F(FamilyRoutinesTest, AnItemWhoseOutputWouldOverwriteItsSourceIsRefused) {
    ConversionItem item = tasks.Copy(0);
    item.sourcePath = output.substr(0, output.size() - 1) + "/SUB/../CLIP.MPG";
    tasks.Replace(0, item);
    folder.Write("out\\clip.mpg", "the source");
    UseProfile(kTabXbox, "Xbox_Profile.ini", {"enc.exe --write ran.txt x \"$OUTPUT_DIR$OUTPUT_FILE.mpg\""});
    Convert();
    EXPECT_EQ(tasks.Copy(0).status, kStatusWouldOverwriteSource);
    EXPECT_FALSE(folder.Exists("app\\ran.txt"));
    EXPECT_EQ(folder.Read("out\\clip.mpg"), "the source");
    EXPECT_THAT(folder.Read("app\\log.txt"), HasSubstr("CLIP.MPG: would overwrite its source"));
}

}  // namespace
