// The conversion run, the settings panel's handlers and the output folder of
// the main window.

#include "controls/skin_message_box.h"
#include "engine/app_folder.h"
#include "engine/cell_contents.h"
#include "engine/family_routines.h"
#include "engine/output_directory.h"
#include "engine/run_state.h"
#include "engine/stop_conversion.h"
#include "engine/work_files.h"
#include "main/main_dialog.h"
#include "main/output_folder.h"
#include "resource_ids.h"
#include "tasks/run_summary.h"

namespace {

// How long the end of a run waits for files a stopped program still holds.
constexpr unsigned kPendingFilesTimeoutMs = 15000;
constexpr unsigned kInformationBox = 0;
constexpr unsigned kWarningBox = MB_ICONEXCLAMATION;

// A source the probe found unreadable, or has not read yet, is not given to
// the encoder: ticked by hand, it fails with the probe's reason.
bool IsUnconvertible(const ConversionItem& item) {
    return item.status == kStatusUnreadable || item.status == kStatusProbing;
}

}  // namespace

void CMainDialog::StartConversion() {
    ReadAgainFilesNotRead();
    if (conversionRunning_ == 1 || !WaitForProbes()) return;
    const int count = tasks_.Count();
    if (count < 1) return;
    bool anyTicked = false;
    for (int index = 0; index < count && !anyTicked; ++index) anyTicked = tasks_.Copy(index).selected;
    if (!anyTicked) return;
    player_.Close();

    char folder[MAX_PATH] = {};
    if (!outputField_.GetFieldText(folder, sizeof folder) || folder[0] == '\0') {
        SkinMessageBox("Please set the output directory firstly", "Error", 0);
        return;
    }
    if (GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES) CreateDirectoryA(folder, nullptr);
    EnterAppFolder();

    conversionRunning_ = 1;
    runTab_ = panel_.DeviceTab();
    ShowRunButtons(true);
    cancelRequested = false;
    ResetItemProgress();
    EnableOutputSettings(false);

    for (currentItemIndex_ = 0; currentItemIndex_ < count; ++currentItemIndex_) {
        if (!tasks_.Copy(currentItemIndex_).selected) continue;
        ConvertItem();
        if (cancelRequested) break;
    }
    FinishPendingDeletions(tasks_, kPendingFilesTimeoutMs);

    conversionRunning_ = 0;
    if (!Handle()) return;  // the window was destroyed during the run
    EnableOutputSettings(true);
    ShowRunButtons(false);
    if (closeRequested_) {
        EndDialog(IDCANCEL);
        return;
    }
    if (!cancelRequested && ShutDownWhenFinished()) {
        shutDown_.ShutDownComputer();
        return;
    }
    RunSummary summary;
    summary.stopped = cancelRequested;
    for (int index = 0; index < count; ++index) summary.Count(tasks_.Copy(index));
    const std::string text = summary.Text();
    if (summary.AllConverted()) {
        SkinMessageBox(text.c_str(), "Information", kInformationBox);
    } else {
        SkinMessageBox(text.c_str(), "Warning", kWarningBox);
    }
}

void CMainDialog::ConvertItem() {
    const int index = currentItemIndex_;
    ConversionItem item = tasks_.Copy(index);
    if (IsUnconvertible(item)) {
        if (item.failureReason.empty()) item.failureReason = "not a video this program can read";
        item.status = kStatusFailed;
        tasks_.Replace(index, item);
        RepaintProgressCell(index);
        return;
    }
    const bool exported = item.needsExport == 1;
    itemStartTick = GetTickCount();
    BeginItem(context_);
    if (exported) {
        const bool ready = exportPhase_.ExportItem(index);
        if (cancelRequested) return;
        if (!ready) return;  // marked failed by the export phase
        // The speed shown is the encoding's own, not the export's.
        itemStartTick = GetTickCount();
    }
    ConvertWithFamilyOfTab(context_);
    if (cancelRequested) return;
    if (exported) DeleteWorkFile(tasks_, tasks_.Copy(index).exportPath);
}

void CMainDialog::StopConversion() { ::StopConversion(context_); }

// What the probe found out about a source stays; what a run found out goes.
void CMainDialog::ResetItemProgress() {
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
        list_.RedrawRows(index, index);
    }
}

void CMainDialog::ShowRunButtons(bool running) {
    ShowWindow(start_.Handle(), running ? SW_HIDE : SW_SHOW);
    ShowWindow(stop_.Handle(), running ? SW_SHOW : SW_HIDE);
}

void CMainDialog::RepaintProgressCell(int itemIndex) {
    list_.RepaintCells(itemIndex, itemIndex, kColumnProgress, false);
}

void CMainDialog::RepaintOutputCell(int itemIndex) { list_.RepaintCells(itemIndex, itemIndex, kColumnOutput, false); }

bool CMainDialog::ShutDownWhenFinished() const { return shutDownBox_.GetCheck(); }

void CMainDialog::ResetOutputSettings() {
    ShowPlayer(false);
    panel_.Reset();
    ResetTrimRange();
}

void CMainDialog::ResetTrimRange() {
    SetTrimLimits(0.0, 120.0);
    SetTrimRange(0.0, 120.0);
}

void CMainDialog::EnableOutputSettings(bool enable) { panel_.Enable(enable); }

// The bar has moved itself before it tells: during a run it is put back.
LRESULT CMainDialog::OnTabChange() {
    if (conversionRunning_ == 1) {
        panel_.ShowTab(runTab_);
        return 0;
    }
    panel_.OnTabChange();
    if (tasks_.Contains(list_.SelectionMark())) RedrawAllRows();
    return 0;
}

void CMainDialog::OnPanelCommand(int id, int code) {
    const bool comboChange = code == CBN_SELCHANGE;
    const bool listChange = id == IDC_PROFILE_LIST && code == LBN_SELCHANGE;
    if ((!comboChange && !listChange) || conversionRunning_ == 1) return;
    switch (id) {
        case IDC_THREE_GP_TYPE:
            if (panel_.OnThreeGpTypeChange()) RedrawAllRows();
            return;
        case IDC_PROFILE_SETTING:
            panel_.OnProfileSettingChange();
            return;
        case IDC_PROFILE_LIST:
            if (panel_.OnProfileListChange() && tasks_.Count() > 0) {
                list_.RepaintCells(0, tasks_.Count() - 1, kColumnOutput, false);
            }
            return;
        case IDC_VIDEO_TYPE:
        case IDC_VIDEO_SIZE:
        case IDC_FRAME_RATE:
        case IDC_VIDEO_QUALITY:
        case IDC_ASPECT:
        case IDC_AUDIO_QUALITY:
        case IDC_CHANNELS:
        case IDC_SAMPLE_RATE:
        case IDC_VOLUME:
            panel_.OnSettingChange();
            return;
    }
}

void CMainDialog::OnChooseFolder() {
    if (conversionRunning_ == 1) return;
    const std::string picked = BrowseForOutputFolder(Handle(), outputDirectory);
    if (!picked.empty()) {
        outputDirectory = *UsableOutputFolder(picked);
        outputField_.SetFieldText(picked.c_str());
    }
    if (!outputDirectory.empty()) StoreOutputFolder(outputDirectory);
}
