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

// Rows are only ever added at the end, so a longer list keeps the pictures
// of its rows: only the new ones are painted. The list does not scroll to its
// focused row either (HighlightRow shows the row wanted), since a scroll
// paints the whole list at once, inside the call.
void CTaskListView::SetItemCount(int count) {
    const int before = static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0));
    const LPARAM keepRows = count > before ? LVSICF_NOINVALIDATEALL : 0;
    SendMessageA(Handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL | keepRows);
}

int CTaskListView::SelectionMark() const {
    return static_cast<int>(SendMessageA(Handle(), LVM_GETSELECTIONMARK, 0, 0));
}

void CTaskListView::SetSelectionMark(int row) { SendMessageA(Handle(), LVM_SETSELECTIONMARK, 0, row); }

// A row that gets the focus is scrolled into view, and a scroll paints the
// whole list at once, inside the call that caused it. When the row is out of
// view, the list's drawing is off while it moves: it is then painted once,
// afterwards, with the window's other paints, and input is not kept waiting.
void CTaskListView::HighlightRow(int row) {
    const bool scrolls = !RowInView(row);
    if (scrolls) SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    SetSelectionMark(row);
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    SendMessageA(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    if (scrolls) {
        SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(Handle(), nullptr, FALSE);
    }
    SetFocus(Handle());
}

bool CTaskListView::RowInView(int row) const {
    const int top = static_cast<int>(SendMessageA(Handle(), LVM_GETTOPINDEX, 0, 0));
    const int shown = static_cast<int>(SendMessageA(Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
    return row >= top && row < top + shown;
}

void CTaskListView::RedrawRows(int first, int last) { SendMessageA(Handle(), LVM_REDRAWITEMS, first, last); }
