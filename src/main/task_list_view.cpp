#include "main/task_list_view.h"

#include <commctrl.h>

#include <cstdio>

#include "framework/gdi.h"

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

constexpr COLORREF kEmptyBar = RGB(74, 97, 133);
constexpr COLORREF kFilledBar = RGB(83, 184, 255);
constexpr int kUncheckedImage = 1;
constexpr int kCheckedImage = 2;

void FillRect(HDC dc, const RECT& rect, COLORREF color) {
    CBrushHandle brush(CreateSolidBrush(color));
    ::FillRect(dc, &rect, brush.Get());
}

}  // namespace

void CTaskListView::SetUp() {
    // The header is the check-box column's first; column 0 of a report view
    // is always left-aligned, so it is inserted first and then set centred.
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
    // An owner-data list asks for the check state too.
    SendMessageA(Handle(), LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    SendMessageA(Handle(), LVM_SETBKCOLOR, 0, RGB(220, 220, 220));
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

RECT CTaskListView::CellRect(int row, int column) {
    RECT rect = {};
    rect.top = column;
    rect.left = LVIR_BOUNDS;
    if (!SendMessageA(Handle(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect))) {
        return RECT{};
    }
    if (column == 0) {
        RECT next = {};
        next.top = 1;
        next.left = LVIR_BOUNDS;
        SendMessageA(Handle(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&next));
        rect.right = next.left;
    }
    return rect;
}

void CTaskListView::RepaintCells(int first, int last, int column, bool checkBoxOnly) {
    const int rows = static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0));
    if (rows == 0) return;
    for (int row = first; row <= last && row < rows; ++row) {
        RECT cell = CellRect(row, column);
        if (checkBoxOnly) cell.right = cell.left + (cell.bottom - cell.top);
        InvalidateRect(Handle(), &cell, FALSE);
    }
}

LRESULT CTaskListView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case ReflectedMessage(WM_NOTIFY):
            return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    }
    return CWindow::WindowProc(message, wParam, lParam);
}

LRESULT CTaskListView::OnNotify(NMHDR* header) {
    switch (header->code) {
        case LVN_GETDISPINFOA:
            OnGetDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(header));
            return 0;
        case NM_CUSTOMDRAW:
            return OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
        case NM_CLICK:
            OnClick(*reinterpret_cast<NMITEMACTIVATE*>(header));
            break;  // the parent hears of the click too
    }
    return DefWindowProc(ReflectedMessage(WM_NOTIFY), 0, reinterpret_cast<LPARAM>(header));
}

CellContents CTaskListView::AskCell(int item, int subitem) {
    TaskCellRequest request;
    request.item = item;
    request.subitem = subitem;
    SendMessageA(GetParent(Handle()), WM_LIST_GETCELLINFO, reinterpret_cast<WPARAM>(Handle()),
                 reinterpret_cast<LPARAM>(&request));
    return request.contents;
}

void CTaskListView::OnGetDisplayInfo(NMLVDISPINFOA& info) {
    LVITEMA& item = info.item;
    const CellContents cell = AskCell(item.iItem, item.iSubItem);
    if (item.mask & LVIF_TEXT) {
        lstrcpynA(textBuffer_, cell.text.c_str(), sizeof textBuffer_);
        item.pszText = textBuffer_;
    }
    if (cell.hasCheckBox) {
        item.mask |= LVIF_STATE;
        item.stateMask |= LVIS_STATEIMAGEMASK;
        item.state = INDEXTOSTATEIMAGEMASK(cell.checked ? kCheckedImage : kUncheckedImage);
    }
}

LRESULT CTaskListView::OnCustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            break;
        default:
            return CDRF_DODEFAULT;
    }
    const int row = static_cast<int>(draw.nmcd.dwItemSpec);
    const CellContents cell = AskCell(row, draw.iSubItem);
    draw.clrText = cell.textColor;
    draw.clrTextBk = cell.backgroundColor;
    if (cell.progressMaximum < 1) return CDRF_NEWFONT;

    const RECT area = CellRect(row, draw.iSubItem);
    FillRect(draw.nmcd.hdc, area, cell.backgroundColor);
    RECT bar = {area.left + 1, area.top + 3, area.right - 2, area.bottom - 3};
    FillRect(draw.nmcd.hdc, bar, kEmptyBar);
    if (cell.progressPosition > 0) {
        RECT filled = bar;
        const int width = bar.right - bar.left;
        if (cell.progressPosition < cell.progressMaximum) {
            filled.right = bar.left + width * cell.progressPosition / cell.progressMaximum;
        }
        FillRect(draw.nmcd.hdc, filled, kFilledBar);
    }
    RECT text = {bar.left + 4, bar.top, bar.right, bar.bottom};
    SetBkMode(draw.nmcd.hdc, TRANSPARENT);
    SetTextColor(draw.nmcd.hdc, RGB(255, 255, 255));
    DrawTextA(draw.nmcd.hdc, cell.text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    return CDRF_SKIPDEFAULT;
}

void CTaskListView::OnClick(const NMITEMACTIVATE& click) {
    LVHITTESTINFO test = {};
    test.pt = click.ptAction;
    if (SendMessageA(Handle(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&test)) < 0 || test.iItem < 0) return;
    TaskCellHit hit;
    hit.item = test.iItem;
    hit.subitem = test.iSubItem;
    hit.onImage = (test.flags & LVHT_ONITEMICON) != 0;
    hit.onCheckBox = (test.flags & LVHT_ONITEMSTATEICON) != 0;
    SendMessageA(GetParent(Handle()), WM_LIST_CELLCLICK, reinterpret_cast<WPARAM>(Handle()),
                 reinterpret_cast<LPARAM>(&hit));
}
