#include "run/conversion_run.h"

#include <windows.h>

#include <algorithm>

#include "engine/app_folder.h"
#include "engine/cell_contents.h"
#include "engine/encoder_log.h"
#include "engine/family_routines.h"
#include "engine/output_directory.h"
#include "engine/output_settings.h"
#include "engine/stop_conversion.h"
#include "engine/work_files.h"
#include "run/run_progress.h"

namespace {

constexpr unsigned kInformationBox = 0;
constexpr unsigned kWarningBox = MB_ICONEXCLAMATION;

// A source the probe found unreadable, or has not read (yet, or in time), is
// not given to the encoder: ticked, it fails with the probe's reason.
bool IsUnconvertible(const ConversionItem& item) {
    return item.status == kStatusUnreadable || item.status == kStatusProbing || item.status == kStatusNotRead;
}

}  // namespace

// One item converting: its place in the list, its own encoder and state, and
// the context the engine converts it with.
struct CConversionRun::RunningItem {
    RunningItem(CConversionRun& run, int itemIndex)
        : index(itemIndex),
          runner(run.cancelRequested_),
          context{run.tasks_, index, run.settings_, run.view_, run.cancelRequested_, runner, state, run.heldNames_} {}

    const int index;
    CEncoderRunner runner;
    ItemState state;
    EngineContext context;
    bool ended = false;
};

CConversionRun::CConversionRun(TaskList& tasks, const IOutputSettings& settings, IItemView& view, IRunHost& host,
                               IItemExport& exporter)
    : tasks_(tasks), settings_(settings), view_(view), host_(host), exporter_(exporter) {}

CConversionRun::~CConversionRun() = default;

void CConversionRun::StartConversion() {
    if (Running()) return;
    const int count = tasks_.Count();
    if (NextTickedItem(0) >= count) return;
    host_.ClosePlayer();

    const std::string folder = host_.OutputFolderText();
    if (folder.empty()) {
        host_.ShowMessage("Please set the output directory firstly", "Error", 0);
        return;
    }
    if (!FileOrFolderExists(folder)) CreateDirectoryA(folder.c_str(), nullptr);
    EnterAppFolder();

    conversionRunning_ = 1;
    closeRequested_ = false;
    summary_ = RunSummary();
    host_.ShowRunButtons(true);
    cancelRequested_ = false;
    ResetItemProgress();
    host_.EnableOutputSettings(false);

    const int atOnce = std::clamp(host_.ItemsAtOnce(), 1, kMostItemsAtOnce);
    itemsToConvert_ = 0;
    for (int index = NextTickedItem(0); index < count; index = NextTickedItem(index + 1)) ++itemsToConvert_;
    startTick_ = GetTickCount();
    shownTitle_.clear();
    {
        CSideBySide pieces;
        int next = NextTickedItem(0);
        for (;;) {
            for (; !cancelRequested_ && next < count && pieces.Running() < atOnce; next = NextTickedItem(next + 1)) {
                StartItem(pieces, next);
            }
            if (pieces.Running() == 0) break;
            ShowProgress();
            pieces.RunTurn();
            DropEndedItems();
        }
    }
    running_.clear();
    heldNames_.clear();
    FinishPendingDeletions(tasks_);
    conversionRunning_ = 0;
    if (host_.WindowAlive()) host_.ClearRunProgress();
    Finish();
}

int CConversionRun::NextTickedItem(int from) const {
    const int count = tasks_.Count();
    while (from < count && !tasks_.Copy(from).selected) ++from;
    return from;
}

// Without a stack of its own (no memory for one) the item converts alone,
// before the run goes on.
void CConversionRun::StartItem(CSideBySide& pieces, int index) {
    running_.emplace_back(*this, index);
    RunningItem& running = running_.back();
    const auto convert = [this, &running] {
        ConvertItem(running);
        EndItem(running);
    };
    if (!pieces.Start(convert)) convert();
    DropEndedItems();
}

// An item may end within its start (a file that cannot be converted), or in any turn.
void CConversionRun::DropEndedItems() {
    running_.remove_if([](const RunningItem& running) { return running.ended; });
}

void CConversionRun::ConvertItem(RunningItem& running) {
    const int index = running.index;
    const ConversionItem item = tasks_.Copy(index);
    if (IsUnconvertible(item)) {
        // The row keeps the probe's mark and reason until the file reads well.
        LogNotConverted(item, std::string());
        return;
    }
    BeginItem(running.context);
    running.state.itemStartTick = GetTickCount();
    if (item.needsExport == 1) {
        const COneAtATime::Turn player(exportTurn_);
        if (!exporter_.ExportItem(index, cancelRequested_)) return;  // failed or canceled, nothing of it left
        // The speed shown is the encoding's own, not the export's.
        running.state.itemStartTick = GetTickCount();
    }
    ConvertWithFamilyOfTab(running.context);
    // The intermediate is the item's own whatever became of its passes; a
    // Stop after they had ended did not delete it.
    if (item.needsExport == 1) DeleteWorkFile(tasks_, tasks_.Copy(index).exportPath);
    AddToMediaLibrary(running);
}

// Once the output has been checked it is finished: a Stop or a close during
// this step must not delete it, and does not end the helper, which may be
// rewriting the library's playlist; its wait has a limit of its own. An item
// still waiting for the helper when the run is stopped does without it.
void CConversionRun::AddToMediaLibrary(RunningItem& running) {
    const ConversionItem item = tasks_.Copy(running.index);
    if (running.state.choice.deviceTab != kTabIpod || item.finished != 1 || host_.ShutDownWhenFinished()) return;
    const COneAtATime::Turn helper(mediaLibraryTurn_);
    if (!cancelRequested_) running.runner.AddToITunes(outputDirectory + item.writtenName);
}

// Counts the item for the closing message and lets go of its names.
void CConversionRun::EndItem(RunningItem& running) {
    const ConversionItem item = tasks_.Copy(running.index);
    if (item.finished == 1) {
        ++summary_.converted;
    } else if (item.status == kStatusCanceled) {
        ++summary_.canceled;
        LogNotConverted(item, std::string());
    } else {
        ++summary_.failed;
    }
    heldNames_.erase(std::remove_if(heldNames_.begin(), heldNames_.end(),
                                    [&](const HeldName& name) { return name.itemIndex == running.index; }),
                     heldNames_.end());
    running.ended = true;
}

// Told only when the title changes: a turn comes every few milliseconds.
void CConversionRun::ShowProgress() {
    RunProgress progress;
    progress.total = itemsToConvert_;
    progress.ended = summary_.converted + summary_.failed + summary_.canceled;
    for (const RunningItem& running : running_) {
        if (running.ended) continue;
        ++progress.running;
        const ProgressCell cell = ProgressFor(tasks_.Copy(running.index));
        if (cell.hasBar) progress.runningPercent += cell.position;
    }
    progress.elapsedSeconds = (GetTickCount() - startTick_) / 1000.0;
    const std::string title = progress.Title();
    if (title == shownTitle_) return;
    shownTitle_ = title;
    host_.ShowRunProgress(title, progress.Percent());
}

void CConversionRun::Finish() {
    if (!host_.WindowAlive()) return;
    host_.EnableOutputSettings(true);
    host_.ShowRunButtons(false);
    if (closeRequested_) {
        host_.CloseWindow();
        return;
    }
    if (!cancelRequested_ && host_.ShutDownWhenFinished()) {
        host_.ShutDownComputer();
        return;
    }
    summary_.stopped = cancelRequested_;
    const bool allConverted = summary_.AllConverted();
    host_.ShowMessage(summary_.Text(), allConverted ? "Information" : "Warning",
                      allConverted ? kInformationBox : kWarningBox);
}

void CConversionRun::StopConversion() {
    if (!Running()) return;
    cancelRequested_ = true;
    for (RunningItem& running : running_) {
        if (!running.ended) StopItem(running.context);
    }
}

void CConversionRun::RequestClose() {
    closeRequested_ = true;
    StopConversion();
}

// What the probe found out about a source stays; what a run found out goes,
// the intermediate's name with it: a Stop must never take an earlier run's
// name for this run's file.
void CConversionRun::ResetItemProgress() {
    for (int index = 0; index < tasks_.Count(); ++index) {
        ConversionItem item = tasks_.Copy(index);
        item.finished = 0;
        item.outputSizeKB = 0;
        item.encodingSpeed = 0.0;
        item.encodedTime = 0.0;
        item.writtenName.clear();
        item.exportPath.clear();
        if (!IsUnconvertible(item)) {
            item.status = kStatusNone;
            item.failureReason.clear();
        }
        tasks_.Replace(index, item);
        view_.RepaintProgressCell(index);
        view_.RepaintOutputCell(index);
    }
}
