// Exports with the real ffmpeg.exe: the player's ExportTo and its events, and
// the export phase of a RealMedia item as the driver will run it.
#include "run/export_phase.h"

#include <windows.h>

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "engine/output_directory.h"
#include "engine/work_files.h"
#include "player/encoder_report.h"
#include "player/player_host.h"
#include "player/test_clips.h"
#include "support/fake_views.h"

namespace {

// The run's Stop flag, as the Stop button sets it.
bool cancelRequested = false;

// Cancels the run, as the Stop button does, once the export has made progress;
// or, as another program might, writes a file under the export's name once it
// has been chosen.
struct CancellingView : FakeItemView {
    TaskList* tasks = nullptr;
    bool cancelOnProgress = false;
    bool takeTheName = false;
    void RepaintProgressCell(int itemIndex) override {
        FakeItemView::RepaintProgressCell(itemIndex);
        const ConversionItem item = tasks->Copy(itemIndex);
        if (cancelOnProgress && item.exportPosition > 0.0) cancelRequested = true;
        if (takeTheName && !item.exportPath.empty()) {
            std::ofstream(item.exportPath) << "someone else's";
            takeTheName = false;
        }
    }
};

class Export : public ::testing::Test {
protected:
    static void SetUpTestSuite() { clips_ = new TestClips; }
    static void TearDownTestSuite() { delete clips_; }

    void SetUp() override {
        ASSERT_TRUE(clips_->Made()) << clips_->Problem();
        out_.MakeFolder("out");
        outputDirectory = out_.Path() + "out\\";
        cancelRequested = false;
        view_.tasks = &tasks_;
        MakePlayer(FFMPEG_EXE);
    }

    // A player with the given encoder whose events reach the export phase.
    void MakePlayer(const std::string& encoder, PlayerLimits limits = {}) {
        host_ = std::make_unique<PlayerHost>(
            encoder, [this](const std::string& path) { DeleteWorkFile(tasks_, path); }, limits);
        phase_ = std::make_unique<CExportPhase>(CExportPhase::Context{tasks_, view_, Player()});
        host_->onEvent = [this](const PlayerHost::Event& event) {
            if (event.message == WM_PLAYER_EXPORTPROGRESS) {
                phase_->OnExportProgress(event.wParam / 1000.0, event.lParam / 1000.0);
            } else if (event.message == WM_PLAYER_EXPORTFINISHED) {
                phase_->OnExportFinished(static_cast<ExportResult>(event.wParam));
            }
        };
    }

    CVideoEdit& Player() { return host_->Player(); }

    int AddItem(const std::string& source, double begin, double end) {
        const std::string name = source.substr(source.find_last_of('\\') + 1);
        ConversionItem item;
        item.sourcePath = source;
        item.workName = name.substr(0, name.find('.'));
        item.beginTime = begin;
        item.endTime = end;
        item.needsExport = 1;
        tasks_.Append(item);
        return tasks_.Count() - 1;
    }

    static inline TestClips* clips_ = nullptr;
    TempFolder out_;
    TaskList tasks_;
    CancellingView view_;
    std::unique_ptr<PlayerHost> host_;
    std::unique_ptr<CExportPhase> phase_;
};

// The player's export events reach the phase only while it waits for them.
// An export that keeps reporting progress runs on past the stall limit.
TEST_F(Export, AnItemIsCutToAnAviInTheOutputDirectoryAndALongExportIsNotTakenForAStall) {
    MakePlayer(FFMPEG_EXE, PlayerLimits{10000, 2000});
    const int index = AddItem(clips_->Path("long.avi"), 1.0, 59.0);  // about five seconds of exporting
    phase_->OnExportProgress(1.0, 2.0);
    phase_->OnExportFinished(ExportResult::Finished);
    const ConversionItem before = tasks_.Copy(index);
    EXPECT_EQ(std::make_pair(before.exportPercent, before.exportDone), std::make_pair(0.0, 0));
    EXPECT_TRUE(view_.repainted.empty());

    ASSERT_TRUE(phase_->ExportItem(index, cancelRequested)) << tasks_.Copy(index).failureReason;
    const ConversionItem item = tasks_.Copy(index);
    EXPECT_EQ(std::make_pair(item.status, item.exportDone), std::make_pair(static_cast<int>(kStatusEncoding), 1));
    // The picture and sound of both export forms are checked with ffprobe end to end.
    EXPECT_THAT(item.exportPath, ::testing::StartsWith(outputDirectory));
    EXPECT_THAT(item.exportPath.substr(outputDirectory.size()), ::testing::MatchesRegex("long_\\d+\\.avi"));
    EXPECT_NEAR(ProbeMedia(FFMPEG_EXE, item.exportPath).info.duration, 58.0, 0.5) << "the item's range";
    EXPECT_THAT(view_.repainted, ::testing::Contains(index));
    EXPECT_EQ(host_->SettledCount(WM_PLAYER_EXPORTFINISHED), 1);
}

TEST_F(Export, StopDuringTheExportClosesThePlayerAndLeavesNoFile) {
    const int index = AddItem(clips_->Path("long.avi"), 0.0, 60.0);
    view_.cancelOnProgress = true;
    EXPECT_FALSE(phase_->ExportItem(index, cancelRequested));
    const ConversionItem item = tasks_.Copy(index);
    EXPECT_EQ(item.status, kStatusCanceled) << "a stop is not a failure, and the row must not freeze";
    EXPECT_FALSE(FileOrFolderExists(item.exportPath)) << item.exportPath;
    EXPECT_TRUE(FileOrFolderExists(clips_->Path("long.avi")));
    EXPECT_EQ(host_->SettledCount(WM_PLAYER_EXPORTFINISHED), 1);
}

// Ends the waits of a test that would otherwise wait without end.
void CALLBACK CancelTheRun(HWND, UINT, UINT_PTR, DWORD) { cancelRequested = true; }

TEST_F(Export, AnExportThatCannotStartFailsOrStallsMarksTheItemFailedAndLeavesNothing) {
    const int unreadable = AddItem(clips_->Path("broken.avi"), 0.0, 2.0);
    EXPECT_FALSE(phase_->ExportItem(unreadable, cancelRequested));
    EXPECT_EQ(tasks_.Copy(unreadable).status, kStatusFailed);

    // A file that appears under the chosen name before the export starts is
    // someone else's: the export refuses it and it stays.
    view_.takeTheName = true;
    const int raced = AddItem(clips_->Path("clip.rm"), 0.0, 2.0);
    EXPECT_FALSE(phase_->ExportItem(raced, cancelRequested));
    EXPECT_EQ(tasks_.Copy(raced).status, kStatusFailed);
    const auto left = std::filesystem::directory_iterator(out_.Path() + "out");
    ASSERT_NE(left, std::filesystem::directory_iterator()) << "the other program's file was deleted";
    EXPECT_EQ(out_.Read("out\\" + left->path().filename().string()), "someone else's");

    // One that stalls fails with its reason, so the run goes on.
    const std::string source = out_.Write("stalled.rm", "never read");
    MakePlayer(STALLED_ENCODER_EXE, PlayerLimits{10000, 2000});
    const UINT_PTR guard = SetTimer(nullptr, 0, 20000, CancelTheRun);
    const int index = AddItem(source, 0.0, 4.0);
    EXPECT_FALSE(phase_->ExportItem(index, cancelRequested));
    KillTimer(nullptr, guard);
    ASSERT_FALSE(cancelRequested) << "the export waited past its limit";
    const ConversionItem item = tasks_.Copy(index);
    EXPECT_EQ(item.status, kStatusFailed);
    EXPECT_EQ(item.failureReason, "Export stalled");
    EXPECT_FALSE(FileOrFolderExists(item.exportPath)) << item.exportPath;
}

}  // namespace
