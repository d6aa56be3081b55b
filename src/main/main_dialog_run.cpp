// The main window's side of a conversion run, the settings panel's handlers
// and the output folder.

#include "controls/skin_message_box.h"
#include "engine/cell_contents.h"
#include "engine/family_routines.h"
#include "engine/output_directory.h"
#include "main/main_dialog.h"
#include "main/output_folder.h"
#include "resource_ids.h"
#include "settings/panel_controls.h"

void CMainDialog::StartConversion() {
    if (run_.Running()) return;
    ReadAgainFilesNotRead();
    if (!WaitForProbes()) return;
    runTab_ = panel_.DeviceTab();
    run_.StartConversion();
    if (Handle()) OnOutputNamesChanged(false);
}

// The Output column shows the name each item would be written under now,
// under the free-name rule the run uses; working it out reads the profile and
// looks at the output folder, so it is done again only after something that
// can change it. A name written by a run stays shown until the choices it was
// written with change.
void CMainDialog::OnOutputNamesChanged(bool choicesChanged) {
    plannedOutputsStale_ = true;
    const int count = tasks_.Count();
    for (int index = 0; choicesChanged && index < count; ++index) {
        ConversionItem item = tasks_.Copy(index);
        if (item.writtenName.empty()) continue;
        item.writtenName.clear();
        tasks_.Replace(index, item);
    }
    if (count > 0) list_.RepaintCells(0, count - 1, kColumnOutput, false);
}

std::string CMainDialog::PlannedOutputName(int index) {
    if (plannedOutputsStale_ && !run_.Running()) {
        plannedOutputs_ = PlannedOutputNames(tasks_, panel_);
        plannedOutputsStale_ = false;
    }
    return index < static_cast<int>(plannedOutputs_.size()) ? plannedOutputs_[static_cast<std::size_t>(index)]
                                                            : std::string();
}

std::string CMainDialog::OutputFolderText() const {
    char folder[MAX_PATH] = {};
    if (!outputField_.GetFieldText(folder, sizeof folder)) return std::string();
    return folder;
}

void CMainDialog::ClosePlayer() { player_.Close(); }

void CMainDialog::ShowRunButtons(bool running) {
    ShowWindow(start_.Handle(), running ? SW_HIDE : SW_SHOW);
    ShowWindow(stop_.Handle(), running ? SW_SHOW : SW_HIDE);
}

void CMainDialog::ShutDownComputer() { shutDown_.ShutDownComputer(); }

void CMainDialog::ShowMessage(const std::string& text, const char* caption, unsigned type) {
    SkinMessageBox(text.c_str(), caption, type);
}

bool CMainDialog::WindowAlive() const { return Handle() != nullptr; }

void CMainDialog::CloseWindow() { EndDialog(IDCANCEL); }

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

// The number at once is read when a run starts: during one it is locked like the settings.
void CMainDialog::EnableOutputSettings(bool enable) {
    panel_.Enable(enable);
    EnableWindow(atOnce_.Handle(), enable);
}

int CMainDialog::ItemsAtOnce() const { return ComboSelection(atOnce_.Handle()) + 1; }

// The title shows on the taskbar button too, and in the task switcher.
void CMainDialog::ShowRunProgress(const std::string& title, int percent) {
    SetWindowTextA(Handle(), title.c_str());
    taskbar_.Show(Handle(), percent);
}

void CMainDialog::ClearRunProgress() {
    SetWindowTextA(Handle(), kWindowTitle);
    taskbar_.Clear(Handle());
}

// The bar has moved itself before it tells: during a run it is put back.
LRESULT CMainDialog::OnTabChange() {
    if (run_.Running()) {
        panel_.ShowTab(runTab_);
        return 0;
    }
    panel_.OnTabChange();
    OnOutputNamesChanged(true);
    return 0;
}

void CMainDialog::OnPanelCommand(int id, int code) {
    const bool comboChange = code == CBN_SELCHANGE;
    const bool listChange = id == IDC_PROFILE_LIST && code == LBN_SELCHANGE;
    if ((!comboChange && !listChange) || run_.Running()) return;
    switch (id) {
        case IDC_THREE_GP_TYPE:
            if (panel_.OnThreeGpTypeChange()) OnOutputNamesChanged(true);
            return;
        case IDC_PROFILE_SETTING:
            panel_.OnProfileSettingChange();
            return;
        case IDC_PROFILE_LIST:
            if (panel_.OnProfileListChange()) OnOutputNamesChanged(true);
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
    if (run_.Running()) return;
    const std::string picked = BrowseForOutputFolder(Handle(), outputDirectory);
    if (!picked.empty()) {
        outputDirectory = *UsableOutputFolder(picked);
        outputField_.SetFieldText(picked.c_str());
    }
    if (!outputDirectory.empty()) StoreOutputFolder(outputDirectory);
    OnOutputNamesChanged(false);
}
