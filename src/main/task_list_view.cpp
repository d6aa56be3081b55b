#include "main/task_list_view.h"

#include "engine/cell_contents.h"

namespace {

struct Column {
    const char* heading;
    int format;
    int width;
};

const Column kColumns[kTaskColumnCount] = {
    {"", LVCFMT_CENTER, 20},         {"Source", LVCFMT_LEFT, 178}, {"Begin Time", LVCFMT_CENTER, 80},
    {"End Time", LVCFMT_CENTER, 80}, {"Output", LVCFMT_LEFT, 178}, {"Progress", LVCFMT_LEFT, 250},
};

}  // namespace

void CTaskListView::SetUp() {
    for (int index = 0; index < kTaskColumnCount; ++index) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = kColumns[index].format;
        column.cx = kColumns[index].width;
        column.pszText = const_cast<char*>(kColumns[index].heading);
        SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
    }
    const DWORD styles = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, styles | LVS_EX_GRIDLINES, styles);
}

void CTaskListView::SetItemCount(int count) { SendMessageA(Handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0); }

int CTaskListView::SelectionMark() const {
    return static_cast<int>(SendMessageA(Handle(), LVM_GETSELECTIONMARK, 0, 0));
}

void CTaskListView::SetSelectionMark(int row) { SendMessageA(Handle(), LVM_SETSELECTIONMARK, 0, row); }

void CTaskListView::HighlightRow(int row) {
    SetSelectionMark(row);
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    SetFocus(Handle());
    SendMessageA(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void CTaskListView::RedrawRows(int first, int last) { SendMessageA(Handle(), LVM_REDRAWITEMS, first, last); }
