#include "run/conversion_run.h"

#include <windows.h>

#include "engine/app_folder.h"
#include "engine/encoder_log.h"
#include "engine/encoder_runner.h"
#include "engine/family_routines.h"
#include "engine/output_directory.h"
#include "engine/output_settings.h"
#include "engine/stop_conversion.h"
#include "engine/work_files.h"

namespace {

constexpr unsigned kInformationBox = 0;
constexpr unsigned kWarningBox = MB_ICONEXCLAMATION;

// A source the probe found unreadable, or has not read (yet, or in time), is
// not given to the encoder: ticked, it fails with the probe's reason.
bool IsUnconvertible(const ConversionItem& item) {
    return item.status == kStatusUnreadable || item.status == kStatusProbing || item.status == kStatusNotRead;
}

}  // namespace

CConversionRun::CConversionRun(TaskList& tasks, const IOutputSettings& settings, IItemView& view, IRunHost& host,
                               IItemExport& exporter)
    : tasks_(tasks),
      view_(view),
      host_(host),
      exporter_(exporter),
      context_(EngineContext{tasks, currentItemIndex_, settings, view, cancelRequested_, runner_, item_}) {}

void CConversionRun::StartConversion() {
    if (Running()) return;
    const int count = tasks_.Count();
    bool anyTicked = false;
    for (int index = 0; index < count && !anyTicked; ++index) anyTicked = tasks_.Copy(index).selected;
    if (!anyTicked) return;
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

    for (currentItemIndex_ = 0; currentItemIndex_ < count; ++currentItemIndex_) {
        if (!tasks_.Copy(currentItemIndex_).selected) continue;
        ConvertItem();
        CountItem();
        if (cancelRequested_) break;
    }
    FinishPendingDeletions(tasks_);
    conversionRunning_ = 0;
    Finish();
}

void CConversionRun::ConvertItem() {
    const int index = currentItemIndex_;
    const ConversionItem item = tasks_.Copy(index);
    if (IsUnconvertible(item)) {
        // The row keeps the probe's mark and reason until the file reads well.
        LogNotConverted(item, std::string());
        return;
    }
    BeginItem(context_);
    item_.itemStartTick = GetTickCount();
    if (item.needsExport == 1) {
        if (!exporter_.ExportItem(index, cancelRequested_)) return;  // failed or canceled, nothing of it left
        // The speed shown is the encoding's own, not the export's.
        item_.itemStartTick = GetTickCount();
    }
    ConvertWithFamilyOfTab(context_);
    // The intermediate is the item's own whatever became of its passes; a
    // Stop after they had ended did not delete it.
    if (item.needsExport == 1) DeleteWorkFile(tasks_, tasks_.Copy(index).exportPath);
    AddToMediaLibrary();
}

// Once the output has been checked it is finished: a Stop or a close during
// this step must not delete it, and does not end the helper, which may be
// rewriting the library's playlist; its wait has a limit of its own.
void CConversionRun::AddToMediaLibrary() {
    const ConversionItem item = tasks_.Copy(currentItemIndex_);
    if (item_.choice.deviceTab != kTabIpod || item.finished != 1 || host_.ShutDownWhenFinished()) return;
    runner_.AddToITunes(outputDirectory + item.writtenName);
}

void CConversionRun::CountItem() {
    const ConversionItem item = tasks_.Copy(currentItemIndex_);
    if (item.finished == 1) {
        ++summary_.converted;
    } else if (item.status == kStatusCanceled) {
        ++summary_.canceled;
        LogNotConverted(item, std::string());
    } else {
        ++summary_.failed;
    }
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
    StopItem(context_);
}

void CConversionRun::RequestClose() {
    closeRequested_ = true;
    StopConversion();
}

// What the probe found out about a source stays; what a run found out goes.
void CConversionRun::ResetItemProgress() {
    for (int index = 0; index < tasks_.Count(); ++index) {
        ConversionItem item = tasks_.Copy(index);
        item.finished = 0;
        item.outputSizeKB = 0;
        item.encodingSpeed = 0.0;
        item.encodedTime = 0.0;
        item.writtenName.clear();
        if (!IsUnconvertible(item)) {
            item.status = kStatusNone;
            item.failureReason.clear();
        }
        tasks_.Replace(index, item);
        view_.RepaintProgressCell(index);
        view_.RepaintOutputCell(index);
    }
}
