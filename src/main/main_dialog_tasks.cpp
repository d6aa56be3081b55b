// The task list, the preview and the trim range of the main window.
#include <windows.h>

#include <ctime>
#include <set>

#include "controls/skin_message_box.h"
#include "framework/side_by_side.h"
#include "main/main_dialog.h"
#include "player/encoder_report.h"
#include "resource_ids.h"
#include "tasks/new_item.h"

namespace {

constexpr double kAddedFrameTime = 1.0;

const char kUnreadableReason[] = "Not a video this program can read";
const char kNotReadReason[] = "FFmpeg did not answer in time";

// Sound alone is enough: whether a family can make something of it is for
// its passes to say, which fail the item with their reason.
bool Readable(const MediaInfo& info) { return info.hasVideo || info.hasAudio; }

bool NavigationKeyOf(WPARAM key, NavigationKey& navigation) {
    switch (key) {
        case VK_NEXT:
            navigation = NavigationKey::PageDown;
            return true;
        case VK_PRIOR:
            navigation = NavigationKey::PageUp;
            return true;
        case VK_UP:
            navigation = NavigationKey::Up;
            return true;
        case VK_DOWN:
            navigation = NavigationKey::Down;
            return true;
        case VK_HOME:
            navigation = NavigationKey::Home;
            return true;
        case VK_END:
            navigation = NavigationKey::End;
            return true;
        default:
            return false;
    }
}

}  // namespace

void CMainDialog::ShowPlayer(bool show) {
    ShowWindow(player_.Handle(), show ? SW_SHOW : SW_HIDE);
    ShowWindow(picture_.Handle(), show ? SW_HIDE : SW_SHOW);
}

// The list is told of the new rows once: refreshing and scrolling it for each
// file of a large drop kept the window from answering.
void CMainDialog::AddItems(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    for (const std::string& path : paths) {
        ConversionItem item = NewItem(tasks_, path, 0.0, std::time(nullptr));
        item.status = kStatusProbing;
        lastFileNumber_ = item.fileNumber;
        tasks_.Append(item);
        probes_.Start(path);
    }
    ShowPlayer(true);
    RefreshItemCount();
    selectedIndex_ = tasks_.Count() - 1;
    SetTrimLimits(0.0, 0.0);
    SetTrimRange(0.0, 0.0);
    SelectRow(selectedIndex_);
}

// A read file fills in every row of it still waiting: rows are found by
// their source, so a row removed meanwhile is simply not there. Only an
// answer of FFmpeg's makes a file unreadable: a file whose reads ran out of
// time stays ticked, to be read again at the next Start.
void CMainDialog::OnProbed(WPARAM ticket) {
    const std::optional<CMediaProbes::Result> probed = probes_.Take(ticket);
    if (!probed) return;
    const bool readable = probed->answered && Readable(probed->info);
    const double duration = readable ? UsableDuration(probed->info.duration) : 0.0;
    for (int index = 0; index < tasks_.Count(); ++index) {
        ConversionItem item = tasks_.Copy(index);
        if (item.status != kStatusProbing || item.sourcePath != probed->path) continue;
        item.endTime = duration;
        if (readable) {
            item.status = kStatusNone;
            item.failureReason.clear();
        } else if (probed->answered) {
            item.status = kStatusUnreadable;
            item.selected = false;
            item.failureReason = kUnreadableReason;
        } else {
            item.status = kStatusNotRead;
            item.failureReason = kNotReadReason;
        }
        tasks_.Replace(index, item);
        list_.RedrawRows(index, index);
        if (index != selectedIndex_) continue;
        SetTrimLimits(0.0, duration);
        SetTrimRange(0.0, duration);
        ShowPreview(item, kAddedFrameTime);
    }
}

// A read that ran out of time (on a busy system, or while the virus scanner
// read a freshly copied encoder) says nothing about the file: it is read
// again before a run, never while one changes the rows.
void CMainDialog::ReadAgainFilesNotRead() {
    if (run_.Running()) return;
    for (int index = 0; index < tasks_.Count(); ++index) {
        ConversionItem item = tasks_.Copy(index);
        if (item.status != kStatusNotRead) continue;
        item.status = kStatusProbing;
        tasks_.Replace(index, item);
        list_.RedrawRows(index, index);
        probes_.Start(item.sourcePath);
    }
}

// A run does not start on files still being read: it waits, the window
// answering, until every read has ended. False when the window was
// closed meanwhile, or when a Start is already waiting.
bool CMainDialog::WaitForProbes() {
    if (waitingForProbes_) return false;
    waitingForProbes_ = true;
    const auto anyProbing = [this] {
        for (int index = 0; index < tasks_.Count(); ++index) {
            if (tasks_.Copy(index).status == kStatusProbing) return true;
        }
        return false;
    };
    while (anyProbing() && Handle() && !Ended()) {
        WaitTurn(nullptr, INFINITE);
    }
    waitingForProbes_ = false;
    return Handle() && !Ended();
}

// A row still being read shows its frame once it has been read.
void CMainDialog::SelectItem(int index) {
    if (!tasks_.Contains(index)) return;
    const ConversionItem item = tasks_.Copy(index);
    const std::optional<MediaInfo> known = KnownMedia(item.sourcePath);
    const double duration = known ? UsableDuration(known->duration) : item.endTime;
    SetTrimLimits(0.0, duration);
    SetTrimRange(item.beginTime, item.endTime);
    if (item.status != kStatusProbing) ShowPreview(item, item.beginTime);
    SelectRow(selectedIndex_);
}

// A file without a frame to show gets the program's own picture: the
// previous file's frame would pass for this one's.
void CMainDialog::ShowPreview(const ConversionItem& item, double time) {
    const bool hasFrame = item.status != kStatusUnreadable && item.status != kStatusNotRead;
    ShowPlayer(hasFrame);
    if (hasFrame) ShowStillFrame(item.sourcePath, time);
}

void CMainDialog::SelectRow(int row) { list_.HighlightRow(row); }

void CMainDialog::RefreshItemCount() {
    list_.SetItemCount(tasks_.Count());
    const int mark = list_.SelectionMark();
    list_.RedrawRows(mark, mark);
    OnOutputNamesChanged(false);
}

void CMainDialog::RemoveSelectedItem() {
    if (run_.Running()) return;
    const int mark = list_.SelectionMark();
    if (!tasks_.Contains(mark)) return;
    tasks_.Remove(mark);
    DropUnwantedProbes();
    RefreshItemCount();
    if (tasks_.Count() > 0) {
        selectedIndex_ = tasks_.Contains(mark) ? mark : tasks_.Count() - 1;
        SelectItem(selectedIndex_);
        return;
    }
    selectedIndex_ = -1;
    player_.Reset();
    ResetOutputSettings();
}

// A list of more than one item took work to gather: its removal asks first.
void CMainDialog::RemoveAllItems() {
    if (run_.Running()) return;
    if (tasks_.Count() > 1 &&
        SkinMessageBox("Remove all videos from the list?", "Question", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    tasks_.RemoveAll();
    DropUnwantedProbes();
    list_.SetItemCount(0);
    selectedIndex_ = -1;
    player_.Reset();
    ResetOutputSettings();
}

// Files whose rows are all gone are not read any more.
void CMainDialog::DropUnwantedProbes() {
    std::set<std::string> wanted;
    for (int index = 0; index < tasks_.Count(); ++index) {
        const ConversionItem item = tasks_.Copy(index);
        if (item.status == kStatusProbing) wanted.insert(item.sourcePath);
    }
    probes_.KeepWaiting(wanted);
}

void CMainDialog::OnListMouse() {
    if (run_.Running()) return;
    const int mark = list_.SelectionMark();
    if (mark != selectedIndex_ && tasks_.Contains(mark)) {
        selectedIndex_ = mark;
        SelectItem(mark);
    } else if (selectedIndex_ >= 0) {
        SelectRow(selectedIndex_);
    }
}

LRESULT CMainDialog::OnCellClick(const CellHit& hit) {
    if (run_.Running()) return 0;
    const int mark = list_.SelectionMark();
    if (hit.onCheckBox) {
        if (!tasks_.Contains(hit.item)) return 0;
        ConversionItem item = tasks_.Copy(hit.item);
        item.selected = !item.selected;
        tasks_.Replace(hit.item, item);
        list_.RepaintCells(hit.item, hit.item, hit.subitem, true);
    } else if (mark != selectedIndex_ && tasks_.Contains(mark)) {
        selectedIndex_ = mark;
        list_.SetSelectionMark(mark);
        SelectItem(mark);
    }
    return 0;
}

LRESULT CMainDialog::OnCellInfo(CellInfo& cell) {
    // Only the Output cell depends on the chosen output; asking the panel
    // costs a message to each of its controls, for every cell painted.
    const OutputChoice choice = cell.subitem == kColumnOutput ? panel_.Choice() : OutputChoice{};
    const ConversionItem item = tasks_.Copy(cell.item);
    const CellContents contents = CellFor(item, cell.subitem, choice);
    cell.text = contents.text;
    if (cell.subitem == kColumnOutput && item.writtenName.empty()) {
        const std::string planned = PlannedOutputName(cell.item);
        if (!planned.empty()) cell.text = planned;
    }
    cell.textColor = contents.textColor;
    cell.backgroundColor = contents.backgroundColor;
    cell.selectedTextColor = contents.selectedTextColor;
    cell.selectedBackgroundFocused = contents.selectedBackgroundFocused;
    cell.selectedBackgroundUnfocused = contents.selectedBackgroundUnfocused;
    if (contents.hasCheckBox) {
        cell.textFormat = 0;
        cell.hasCheckBox = true;
        cell.checkState = contents.checked ? DFCS_CHECKED : 0;
        // A selected row's background reaches the check box too.
        cell.checkPlainBackground = false;
    }
    if (contents.progressMaximum >= 1) {
        cell.progressMax = contents.progressMaximum;
        cell.progressPos = contents.progressPosition;
        cell.progressTextColor = contents.progressColor;
    }
    return 0;
}

bool CMainDialog::OnListKeyDown(WPARAM key) {
    if (key == VK_DELETE) {
        RemoveSelectedItem();
        return true;
    }
    NavigationKey navigation;
    if (!NavigationKeyOf(key, navigation)) return false;
    const NavigationTarget target = NavigationTargetFor(navigation, list_.SelectionMark(), tasks_.Count());
    if (target.selectsRow) {
        selectedIndex_ = target.row;
        SelectItem(target.row);
    }
    SelectRow(selectedIndex_);
    return true;
}

void CMainDialog::ShowStillFrame(const std::string& path, double time) {
    preview_.ShowStillFrame(path, time, run_.Running());
}

void CMainDialog::OnPlay() {
    const int mark = list_.SelectionMark();
    if (tasks_.Contains(mark)) preview_.Play(tasks_.Copy(mark), run_.Running());
}

void CMainDialog::OnStopPreview() {
    if (tasks_.Contains(list_.SelectionMark())) preview_.Stop(run_.Running());
}

// A playback that ran to its end goes back to the frame where the range
// starts, as a playback stopped by hand keeps its frame; the selected item's
// frame, since another may have been selected while it played.
void CMainDialog::OnPlayComplete() {
    const bool playbackEnded = preview_.Playing();
    preview_.OnPlayComplete(run_.Running());
    if (playbackEnded && !run_.Running() && tasks_.Contains(selectedIndex_)) {
        const ConversionItem item = tasks_.Copy(selectedIndex_);
        if (item.status != kStatusProbing) ShowPreview(item, item.beginTime);
    }
}

// The slider's limits and range change here only with the guard raised, so
// that its notifications do not write them into an item.
void CMainDialog::SetTrimLimits(double low, double high) {
    rangeGuard_ = true;
    slider_.SetMinMax(low, high);
    rangeGuard_ = false;
}

void CMainDialog::SetTrimRange(double left, double right) {
    rangeGuard_ = true;
    slider_.SetRange(left, right);
    rangeGuard_ = false;
}

LRESULT CMainDialog::OnRangeChanged(WPARAM part, LPARAM dragEnded) {
    if (run_.Running() || rangeGuard_) return 0;
    const int mark = list_.SelectionMark();
    if (!tasks_.Contains(mark) || !tasks_.Contains(selectedIndex_)) return 0;
    ConversionItem item = tasks_.Copy(selectedIndex_);
    if (item.status == kStatusProbing) return 0;
    item.beginTime = slider_.Left();
    item.endTime = slider_.Right();
    tasks_.Replace(selectedIndex_, item);
    // Only the row written: the time cells of no other row changed.
    list_.RepaintCells(selectedIndex_, selectedIndex_, kColumnBegin, false);
    list_.RepaintCells(selectedIndex_, selectedIndex_, kColumnEnd, false);
    if (dragEnded != 0) ShowStillFrame(item.sourcePath, part == 1 ? item.endTime : item.beginTime);
    return 0;
}
