#include "engine/family_routines.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "engine/folder_path.h"
#include "engine/run_state.h"
#include "support/app_folder_fixture.h"
#include "support/fake_settings.h"
#include "support/fake_views.h"
#include "tasks/output_directory.h"
#include "tasks/stop_conversion.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

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
    std::vector<std::string> trail;

private:
    const TaskList& tasks_;
};

// The stop button: a message-only window whose message, posted by a pass's
// program, is dispatched by the run's own wait and runs the stop sequence.
class StopButton {
public:
    explicit StopButton(const EngineContext& context) : context_(context) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ClipvaneTestStopButton";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("ClipvaneTestStopButton", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, this);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~StopButton() { DestroyWindow(window_); }
    std::string Handle() const { return std::to_string(reinterpret_cast<unsigned long long>(window_)); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* button = reinterpret_cast<StopButton*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_APP && button != nullptr) {
            StopConversion(button->context_);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    const EngineContext& context_;
    HWND window_ = nullptr;
};

struct FamilyCase {
    const char* name;
    int tab;
    int threeGpType;
    const char* profileFile;
    // Per pass: piped (the encoding pass) or hidden, and the file it writes.
    std::vector<std::pair<bool, std::string>> passes;
    std::vector<std::string> statusTrail;  // of a whole run
    std::vector<std::string> leftBehind;   // files in the output folder after a whole run
};

const FamilyCase kFamilies[] = {
    {"psp",
     1,
     0,
     "PSP_Profile.ini",
     {{false, "M4V12345.THM"}, {true, "M4V12345.MP4"}},
     {"1"},
     {"M4V12345.MP4", "M4V12345.THM"}},
    {"3gp",
     2,
     0,
     "3GP_AMR_Profile.ini",
     {{true, "clip_temp.3gp"}, {false, "clip.3gp"}, {false, "clip.3gp"}},
     {"1", "2"},
     {"clip.3gp"}},
    {"3gp2",
     2,
     2,
     "3GP2_AAC_Profile.ini",
     {{true, "clip_temp.3gp"},
      {false, "clip_temp_2.3g2"},
      {false, "clip_temp_2.3g2"},
      {false, "clip.3g2"},
      {false, "clip.3g2"}},
     {"1", "2", "3"},
     {"clip.3g2"}},
    {"xbox", 3, 0, "Xbox_Profile.ini", {{true, "clip.mpg"}}, {"1"}, {"clip.mpg"}},
    {"ppc", 4, 0, "PPC_Profile.ini", {{true, "clip.avi"}}, {"1"}, {"clip.avi"}},
    {"pmp",
     5,
     0,
     "PMP_Profile.ini",
     {{true, "clip_temp.avi"}, {false, "clip_temp.mp3"}, {false, "clip.pmp"}, {false, "clip.pmp"}},
     {"1", "5"},
     {"clip.pmp"}},
};

class FamilyRoutinesTest : public AppFolderTest {
protected:
    TaskList tasks;
    int currentItemIndex = 0;
    FakeSettings settings;
    StatusTrail view{tasks};
    FakeRunOptions options;
    EngineContext context{tasks, currentItemIndex, settings, view, options};
    StopButton stopButton{context};
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

    // A pass of the test encoder: it names itself in the journal and holds
    // its output file open while it runs, as an encoder does.
    // A pass after the Stop lingers, and leaves a mark if it is let run.
    std::string Pass(int number, bool piped, const std::string& file, bool stopHere, bool afterStop = false) const {
        std::string command =
            "enc.exe --label pass" + std::to_string(number) + " --journal journal.txt --open \"" + output + file + "\"";
        if (piped) command += " --progress 2 10";
        if (stopHere) command += " --post " + stopButton.Handle() + (piped ? " --wait-q" : " --sleep 5000");
        if (afterStop) command += " --sleep 3000 --write \"" + output + "ran_on\" x";
        return command;
    }

    void WriteProfile(const FamilyCase& family, int stopAtPass) {
        std::string text = "[Info]\r\nDescription=d\r\nDefaultProfile=1\r\n[only]\r\nTitle=t\r\n";
        for (std::size_t pass = 0; pass < family.passes.size(); ++pass) {
            const int number = static_cast<int>(pass) + 1;
            text += "Pass" + std::to_string(number) + "=" +
                    Pass(number, family.passes[pass].first, family.passes[pass].second, number == stopAtPass,
                         stopAtPass != 0 && number > stopAtPass) +
                    "\r\n";
        }
        WriteApp(family.profileFile, text);
        settings.deviceTab = family.tab;
        settings.threeGpType = family.threeGpType;
    }

    // The passes that started, in order.
    std::vector<std::string> Journal() const {
        std::vector<std::string> passes;
        std::istringstream lines(folder.Read("app\\journal.txt"));
        std::string line;
        while (std::getline(lines, line)) {
            const std::size_t label = line.find("--label ");
            if (label != std::string::npos)
                passes.push_back(line.substr(label + 8, line.find(' ', label + 8) - label - 8));
        }
        return passes;
    }

    std::vector<std::string> OutputFiles() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((output + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }
};

std::vector<std::string> Labels(int count) {
    std::vector<std::string> labels;
    for (int pass = 1; pass <= count; ++pass) labels.push_back("pass" + std::to_string(pass));
    return labels;
}

TEST_F(FamilyRoutinesTest, EveryFamilyRunsItsPassesInOrderAndDeletesItsIntermediates) {
    for (const FamilyCase& family : kFamilies) {
        SCOPED_TRACE(family.name);
        WriteProfile(family, 0);
        view.trail.clear();
        ConvertWithFamilyOfTab(context, family.tab);
        EXPECT_FALSE(cancelRequested);
        EXPECT_EQ(Journal(), Labels(static_cast<int>(family.passes.size())));
        EXPECT_EQ(view.trail, family.statusTrail);
        EXPECT_EQ(OutputFiles(), family.leftBehind);
        EXPECT_GT(tasks.Copy(0).outputSizeKB, 0);
        EXPECT_FALSE(folder.Exists("app\\log.txt"));
        DeleteFileA((folder.Path() + "app\\journal.txt").c_str());
        for (const std::string& name : OutputFiles()) DeleteFileA((output + name).c_str());
    }
}

// Stop pressed inside each pass of each family: the passes after it are not
// started (but for the ones the routines still run), and nothing temporary
// or half-written is left behind.
TEST_F(FamilyRoutinesTest, StopAtEveryPassLeavesNoIntermediate) {
    for (const FamilyCase& family : kFamilies) {
        for (int stopAt = 1; stopAt <= static_cast<int>(family.passes.size()); ++stopAt) {
            SCOPED_TRACE(std::string(family.name) + " stopped in pass " + std::to_string(stopAt));
            WriteProfile(family, stopAt);
            cancelRequested = false;
            ConversionItem item = tasks.Copy(0);
            item.status = kStatusNone;
            tasks.Replace(0, item);
            ConvertWithFamilyOfTab(context, family.tab);
            EXPECT_TRUE(cancelRequested);

            // After a Stop in pass 3, 3GP2 and PMP still start pass 4, which is ended so soon that it
            // may not get to write its journal line.
            int lastStarted = stopAt;
            if (family.tab == kTab3gp && family.threeGpType == 2 && stopAt == 3) lastStarted = 4;
            if (family.tab == kTabPmp && stopAt == 3) lastStarted = 4;
            EXPECT_THAT(Journal(),
                        ::testing::AnyOf(ElementsAreArray(Labels(stopAt)), ElementsAreArray(Labels(lastStarted))));

            // Passes without a Stop check after them leave the phase they were in.
            int finalStatus = kStatusCanceled;
            if (family.tab == kTab3gp && family.threeGpType != 2 && stopAt == 3) finalStatus = kStatusExporting;
            if (family.tab == kTab3gp && family.threeGpType == 2 && stopAt == 5) finalStatus = kStatusChanging;
            if (family.tab == kTabPmp && stopAt >= 3) finalStatus = kStatusMuxingPmp;
            EXPECT_EQ(tasks.Copy(0).status, finalStatus);
            EXPECT_FALSE(folder.Exists("out\\ran_on")) << "a pass started after Stop was let run";

            for (const std::string& name : OutputFiles()) {
                EXPECT_EQ(name.find("_temp"), std::string::npos) << name << " left behind";
            }
            EXPECT_TRUE(folder.Exists("clip.avi"));
            DeleteFileA((folder.Path() + "app\\journal.txt").c_str());
            for (const std::string& name : OutputFiles()) DeleteFileA((output + name).c_str());
        }
    }
}

TEST_F(FamilyRoutinesTest, IpodFinishesBeforeTheMediaLibraryAndKeepsItsFiguresOnStop) {
    ASSERT_TRUE(
        CopyFileA((folder.Path() + "app\\enc.exe").c_str(), (folder.Path() + "app\\VavuDuzuv.exe").c_str(), FALSE));
    settings.deviceTab = kTabIpod;
    settings.profileSetting = 1;
    WriteApp("iPod_Profile.ini",
             "[Info]\r\nDefaultProfile=1\r\n[profile0]\r\nTitle=own\r\n[profile1]\r\nTitle=t\r\n"
             "Command0=" +
                 Pass(1, true, "clip.mp4", false) + "\r\n");
    ConvertIpod(context);
    EXPECT_EQ(view.trail, (std::vector<std::string>{"1", "finished"}));
    EXPECT_THAT(folder.Read("app\\vavuduzuv-journal.txt"), HasSubstr("VavuDuzuv \"" + output + "clip.mp4\" "));

    // With the shutdown box ticked the media-library helper never starts.
    DeleteFileA((folder.Path() + "app\\vavuduzuv-journal.txt").c_str());
    options.shutDown = true;
    ConvertIpod(context);
    EXPECT_FALSE(folder.Exists("app\\vavuduzuv-journal.txt"));

    // Stopped, the item stays "encoding" with its last figures, and nothing else happens.
    options.shutDown = false;
    ConversionItem item = tasks.Copy(0);
    item.finished = 0;
    item.needsExport = 1;
    item.exportPath = folder.Write("out\\clip_export.avi", "export");
    tasks.Replace(0, item);
    WriteApp("iPod_Profile.ini",
             "[Info]\r\nDefaultProfile=1\r\n[profile0]\r\nTitle=own\r\n[profile1]\r\nTitle=t\r\n"
             "Command0=" +
                 Pass(1, true, "clip.mp4", true) + "\r\n");
    ConvertIpod(context);
    EXPECT_TRUE(cancelRequested);
    EXPECT_EQ(tasks.Copy(0).status, kStatusEncoding);
    EXPECT_EQ(tasks.Copy(0).finished, 0);
    EXPECT_GT(tasks.Copy(0).encodedTime, 0.0);
    EXPECT_FALSE(folder.Exists("app\\vavuduzuv-journal.txt"));
}

// An exported item's encoder is stopped by the progress reader once the
// range is encoded; the read loop and the routine then leave the spent pipe
// alone, and nothing is logged. The progress lines come far enough apart to
// arrive in reads of their own: only the first "time=" of a read counts.
TEST_F(FamilyRoutinesTest, ExportedItemStopsItsEncoderAtTheRangeLength) {
    ConversionItem item = tasks.Copy(0);
    item.needsExport = 1;
    item.endTime = 2.0;
    item.exportPath = folder.Write("out\\clip_export.avi", "export");
    tasks.Replace(0, item);
    settings.deviceTab = kTabXbox;
    WriteApp("Xbox_Profile.ini",
             "[Info]\r\nDefaultProfile=1\r\n[only]\r\nTitle=t\r\nPass1=enc.exe --progress 3 200 --wait-q "
             "--write \"" +
                 output + "clip.mpg\" done\r\n");
    ConvertSinglePass(context);
    EXPECT_FALSE(cancelRequested);
    // The encoder got its "q" and finishes on its own time: nothing waits for it.
    for (int waited = 0; waited < 100 && folder.Read("out\\clip.mpg") != "done"; ++waited) Sleep(50);
    EXPECT_EQ(folder.Read("out\\clip.mpg"), "done");
    EXPECT_FALSE(folder.Exists("app\\log.txt"));
}

TEST_F(FamilyRoutinesTest, OnlyAMissingPipedEncoderIsLogged) {
    settings.deviceTab = kTabPsp;
    WriteApp("PSP_Profile.ini",
             "[Info]\r\nDefaultProfile=1\r\n[only]\r\nTitle=t\r\nPass1=no_such_thumbnailer.exe\r\n"
             "Pass2=no_such_encoder.exe\r\n");
    ConvertPsp(context);
    const std::string log = folder.Read("app\\log.txt");
    EXPECT_EQ(log.rfind("ERROR:   API         =   CreateProcess.\r\n", 0), 0u) << log;
    EXPECT_EQ(log.find("ERROR:", 1), std::string::npos) << "exactly one entry";
}

TEST_F(FamilyRoutinesTest, NeverDeletesASourceThatHasAnIntermediatesName) {
    // The item converts a file that is itself named like its first intermediate.
    ConversionItem item = tasks.Copy(0);
    item.sourcePath = folder.Write("out\\clip_temp.3gp", "precious source");
    tasks.Replace(0, item);
    // Another item's source is the 3GP2 intermediate, written another way.
    ConversionItem other;
    other.sourcePath = output.substr(0, output.size() - 1) + "/SUB/../CLIP_TEMP_2.3G2";
    folder.Write("out\\clip_temp_2.3g2", "another source");
    tasks.Append(other);

    settings.deviceTab = kTab3gp;
    settings.threeGpType = 2;
    WriteApp("3GP2_AAC_Profile.ini",
             "[Info]\r\nDefaultProfile=1\r\n[only]\r\nTitle=t\r\nPass1=enc.exe\r\nPass2=enc.exe\r\n"
             "Pass3=enc.exe\r\nPass4=enc.exe\r\nPass5=enc.exe\r\n");
    Convert3gp(context);
    EXPECT_EQ(folder.Read("out\\clip_temp.3gp"), "precious source");
    EXPECT_EQ(folder.Read("out\\clip_temp_2.3g2"), "another source");
}

TEST_F(FamilyRoutinesTest, NoChosenProfileRunsNothing) {
    settings.deviceTab = kTabPmp;
    settings.profileEntry = -1;
    WriteApp("PMP_Profile.ini",
             "[Info]\r\nDefaultProfile=1\r\n[only]\r\nTitle=t\r\nPass1=" + Pass(1, true, "x", false) + "\r\n");
    ConvertPmp(context);
    EXPECT_THAT(Journal(), IsEmpty());
    EXPECT_THAT(view.trail, IsEmpty());
}

}  // namespace
