#include "controls/skin_list_ctrl.h"

#include <windowsx.h>

#include <algorithm>
#include <tuple>

#include "controls/list_cells.h"
#include "controls/skin_paint.h"
#include "controls/wide_text.h"
#include "framework/gdi.h"

namespace {

constexpr COLORREF kListFill = RGB(220, 220, 220);
constexpr COLORREF kSelectedRowFill = RGB(240, 240, 240);
constexpr COLORREF kEmptyBarColor = RGB(74, 97, 133);
constexpr COLORREF kFilledBarColor = RGB(83, 184, 255);

// The tooltip covers one cell at a time: the one under the mouse.
constexpr UINT_PTR kTooltipToolId = 1;
constexpr int kTooltipWidth = 400;

COLORREF Resolve(COLORREF color, int systemColor) {
    return color == kDefaultCellColor ? GetSysColor(systemColor) : color;
}

// The fill of a selected row: a third of the selection colour on white.
COLORREF SelectedRowFill(COLORREF selection) {
    const auto tint = [](int channel) { return static_cast<BYTE>(255 - (255 - channel) / 3); };
    return RGB(tint(GetRValue(selection)), tint(GetGValue(selection)), tint(GetBValue(selection)));
}

// A progress text too long for its bar keeps its last word (the percentage)
// whole at the right and cuts the rest with an ellipsis.
void DrawProgressText(HDC dc, const std::wstring& text, RECT place, UINT format) {
    SIZE whole = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &whole);
    const size_t tailStart = LastWordStart(text);
    if (whole.cx <= place.right - place.left || tailStart == 0) {
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, format);
        return;
    }
    const UINT oneLine = format & ~(DT_CENTER | DT_RIGHT | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
    const int tailLength = static_cast<int>(text.size() - tailStart);
    SIZE tail = {};
    GetTextExtentPoint32W(dc, text.c_str() + tailStart, tailLength, &tail);
    RECT tailPlace = place;
    tailPlace.left = place.right - tail.cx > place.left ? place.right - tail.cx : place.left;
    DrawTextW(dc, text.c_str() + tailStart, tailLength, &tailPlace, oneLine | DT_RIGHT);
    RECT head = place;
    head.right = tailPlace.left;
    DrawTextW(dc, text.c_str(), static_cast<int>(tailStart), &head, oneLine | DT_END_ELLIPSIS);
}

LayoutRect ToLayout(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const LayoutRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// The list's font, made bold and/or italic when the cell asks for it.
CFontHandle DerivedFont(HFONT base, bool bold, bool italic) {
    LOGFONTW font = {};
    if (!GetObjectW(base ? base : GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font)) return CFontHandle();
    if (bold) font.lfWeight = FW_BOLD;
    if (italic) font.lfItalic = TRUE;
    return CFontHandle(CreateFontIndirectW(&font));
}

// Everything that decides how a cell looks but its text and progress position.
auto LookOf(const CellInfo& c) {
    return std::tie(c.noSelectionLook, c.bold, c.italic, c.textFormat, c.imageIndex, c.imageList,
                    c.imagePlainBackground, c.imageCentred, c.selectedImageStyle, c.checkState, c.hasCheckBox,
                    c.checkBoxCentred, c.checkPlainBackground, c.progressMax, c.progressTextColor, c.progressInset,
                    c.textColor, c.backgroundColor, c.hotTextColor, c.selectedTextColor, c.selectedBackgroundFocused,
                    c.selectedBackgroundUnfocused, c.selected, c.hot);
}

// What a cell holds besides its text: the parts its rectangle is divided into.
CellContent ContentOf(const CellInfo& cell) {
    CellContent content;
    content.checkBox = cell.hasCheckBox;
    content.checkBoxCentred = cell.checkBoxCentred;
    content.imageCentred = cell.imageCentred;
    int width = 0;
    int height = 0;
    if (cell.imageIndex >= 0 && cell.imageList && ImageList_GetIconSize(cell.imageList, &width, &height)) {
        content.image = true;
        content.imageWidth = width;
        content.imageHeight = height;
    }
    return content;
}

}  // namespace

CSkinListCtrl::CSkinListCtrl() : cell_(std::make_unique<CellInfo>()) {}

CSkinListCtrl::~CSkinListCtrl() {
    if (tooltip_) DestroyWindow(tooltip_);
}

void CSkinListCtrl::PreSubclassWindow() {
    const HWND header = reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0));
    if (header) header_.Subclass(header);
    SendMessageA(Handle(), LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    SendMessageA(Handle(), LVM_SETTEXTCOLOR, 0, RGB(185, 194, 212));
    CreateTooltip();
}

// One tool over the cell under the mouse; its text is asked for when it is
// about to show, so it is the cell's text of that moment, or nothing (no tip)
// when the text fits. The list hands the tooltip its mouse messages itself
// (RelayToTooltip), so it works inside any message loop.
void CSkinListCtrl::CreateTooltip() {
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, nullptr, nullptr);
    if (!tooltip_) return;
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = Handle();
    tool.uId = kTooltipToolId;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, kTooltipWidth);
}

// The tooltip's own subclassing of the list (TTF_SUBCLASS) would cost every
// message to the list a lookup of a window property, which under Wine is a
// trip to its window server: a tenth of a millisecond or more each.
void CSkinListCtrl::RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
    MSG relayed = {Handle(), message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CSkinListCtrl::OnMouseMove(LPARAM position) {
    if (!tooltip_) return;
    LVHITTESTINFO test = {};
    test.pt = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    RECT rect = {};
    if (SendMessageA(Handle(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&test)) < 0 || test.iItem < 0 ||
        !CellRectangle(test.iItem, test.iSubItem, rect)) {
        test.iItem = -1;
        test.iSubItem = -1;
    }
    if (test.iItem == tipCell_.item && test.iSubItem == tipCell_.subitem) return;
    tipCell_.item = test.iItem;
    tipCell_.subitem = test.iSubItem;
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = Handle();
    tool.uId = kTooltipToolId;
    tool.rect = rect;
    SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CSkinListCtrl::OnTooltipText(NMTTDISPINFOW* info) {
    tipText_.clear();
    if (TextIsCut(tipCell_.item, tipCell_.subitem)) tipText_ = ToWide(GetCell(tipCell_.item, tipCell_.subitem).text);
    info->lpszText = &tipText_[0];
    info->szText[0] = L'\0';
    info->hinst = nullptr;
}

void CSkinListCtrl::InitSkinScrollBars() {
    if (vBar_.Handle()) return;
    vBar_.CreateFor(Handle());
    hBar_.CreateFor(Handle());
    ClipOwnScrollBars();
    PlaceSkinScrollBars();
}

// The list's client area as it is while both of its own bars show, whether
// it needs them now or not: the skinned bars keep one place, and the rows one
// width, from the first row to the one that overflows the list.
RECT CSkinListCtrl::ClientBesideOwnBars() const {
    RECT client = {};
    GetClientRect(Handle(), &client);
    const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
    if (!(style & WS_VSCROLL)) client.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (!(style & WS_HSCROLL)) client.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    return client;
}

// The list's own scroll bars cannot be switched off (it shows them whenever
// it needs them), so the list is cut to its client area beside them and the
// skinned bars stand where its own show.
void CSkinListCtrl::ClipOwnScrollBars() {
    RECT window = {};
    GetWindowRect(Handle(), &window);
    RECT client = ClientBesideOwnBars();
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    if (EqualRect(&client, &clippedTo_)) return;
    clippedTo_ = client;
    SetWindowRgn(Handle(), CreateRectRgnIndirect(&client), TRUE);
}

void CSkinListCtrl::PlaceSkinScrollBars() {
    if (!vBar_.Handle()) return;
    RECT client = ClientBesideOwnBars();
    MapWindowPoints(Handle(), GetParent(Handle()), reinterpret_cast<POINT*>(&client), 2);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int barWidth = CurrentSkin().vScroll.barWidth;
    const int barHeight = CurrentSkin().hScroll.barHeight;
    MoveWindow(vBar_.Handle(), client.right, client.top, barWidth, height + barHeight, TRUE);
    MoveWindow(hBar_.Handle(), client.left, client.bottom, width + 1, barHeight, TRUE);
    SyncBars();
}

void CSkinListCtrl::SyncBars() {
    vBar_.SyncFromList();
    hBar_.SyncFromList();
}

CSkinListCtrl::ListState CSkinListCtrl::ReadListState() const {
    const HWND list = Handle();
    ListState state;
    const DWORD exStyle = static_cast<DWORD>(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    state.focused = GetFocus() == list;
    state.showsSelection = state.focused || (GetWindowLongA(list, GWL_STYLE) & LVS_SHOWSELALWAYS);
    state.fullRowSelect = (exStyle & LVS_EX_FULLROWSELECT) != 0;
    state.hotItem = static_cast<int>(SendMessageA(list, LVM_GETHOTITEM, 0, 0));
    state.images = reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    state.font = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
    state.itemCount = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    state.columnCount = static_cast<int>(SendMessageA(header_.Handle(), HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < state.columnCount; ++i) {
        HDITEMA column = {};
        column.mask = HDI_FORMAT;
        UINT alignment = 0;
        if (SendMessageA(header_.Handle(), HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column))) {
            const int format = column.fmt & HDF_JUSTIFYMASK;
            alignment = format == HDF_CENTER ? DT_CENTER : format == HDF_RIGHT ? DT_RIGHT : 0;
        }
        state.alignments.push_back(alignment);
        RECT span = {};
        SendMessageA(header_.Handle(), HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&span));
        MapWindowPoints(header_.Handle(), list, reinterpret_cast<POINT*>(&span), 2);
        state.columnSpans.push_back(span);
    }
    state.topIndex = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    state.perPage = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
    RECT top = {LVIR_BOUNDS, 0, 0, 0};
    if (state.topIndex >= 0 && state.topIndex < state.itemCount &&
        SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(state.topIndex), reinterpret_cast<LPARAM>(&top))) {
        state.topRowTop = top.top;
        state.rowHeight = top.bottom - top.top;
    }
    if (header_.Handle() && IsWindowVisible(header_.Handle())) {
        GetWindowRect(header_.Handle(), &state.headerArea);
        MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&state.headerArea), 2);
    }
    return state;
}

const CSkinListCtrl::ListState& CSkinListCtrl::State() {
    if (stateFresh_) return state_;
    ListState fresh = ReadListState();
    // Rows came or went: a row's record may describe another item now.
    if (fresh.itemCount != state_.itemCount) shown_.clear();
    state_ = std::move(fresh);
    stateFresh_ = true;
    return state_;
}

// Messages that only read or paint the list; every other one may change
// what the cells share.
bool CSkinListCtrl::KeepsState(UINT message) {
    switch (message) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
        case WM_ERASEBKGND:
        case WM_NCPAINT:
        case WM_NCHITTEST:
        case WM_SETCURSOR:
        case WM_MOUSEMOVE:
        case WM_GETDLGCODE:
        case WM_GETFONT:
        case ReflectedMessage(WM_NOTIFY):
        case LVM_GETITEMCOUNT:
        case LVM_GETITEMRECT:
        case LVM_GETSUBITEMRECT:
        case LVM_GETITEMSTATE:
        case LVM_GETTOPINDEX:
        case LVM_GETCOUNTPERPAGE:
        case LVM_GETHEADER:
        case LVM_GETEXTENDEDLISTVIEWSTYLE:
        case LVM_GETHOTITEM:
        case LVM_GETIMAGELIST:
        case LVM_GETCOLUMNWIDTH:
        case LVM_GETITEMTEXTA:
        case LVM_GETITEMTEXTW:
        case LVM_HITTEST:
        case LVM_SUBITEMHITTEST:
            return true;
    }
    return false;
}

CellInfo& CSkinListCtrl::GetCell(int item, int subitem) { return FillCell(item, subitem, RowSelected(item)); }

bool CSkinListCtrl::RowSelected(int item) {
    return SendMessageA(Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED) != 0;
}

CellInfo& CSkinListCtrl::FillCell(int item, int subitem, bool rowSelected) {
    const ListState& state = State();
    CellInfo& cell = *cell_;
    cell = CellInfo();
    cell.item = item;
    cell.subitem = subitem;
    const HWND list = Handle();
    cell.selected = state.showsSelection && (subitem == 0 || state.fullRowSelect) && rowSelected;
    cell.hot = state.hotItem == item;
    cell.imageList = state.images;
    if (subitem >= 0 && subitem < static_cast<int>(state.alignments.size())) {
        cell.textFormat |= state.alignments[static_cast<size_t>(subitem)];
    }
    SendMessageA(GetParent(list), WM_LIST_GETCELLINFO, reinterpret_cast<WPARAM>(list), reinterpret_cast<LPARAM>(&cell));
    return cell;
}

// Cells are measured from the header's columns: asking the list for a
// subitem's rectangle makes it ask the parent for the cell's text first.
bool CSkinListCtrl::CellInRow(int subitem, int top, int bottom, RECT& rect) {
    const ListState& state = State();
    if (subitem < 0 || subitem >= state.columnCount) return false;
    const RECT& span = state.columnSpans[static_cast<size_t>(subitem)];
    const int nextLeft = state.columnCount >= 2 ? state.columnSpans[1].left : span.right;
    rect = ToRect(CellRect({span.left, top, span.right, bottom}, subitem, state.columnCount, nextLeft));
    return true;
}

bool CSkinListCtrl::CellRectangle(int item, int subitem, RECT& rect) {
    const ListState& state = State();
    if (item < 0 || item >= state.itemCount || state.rowHeight <= 0) return false;
    const int top = state.topRowTop + (item - state.topIndex) * state.rowHeight;
    return CellInRow(subitem, top, top + state.rowHeight, rect);
}

void CSkinListCtrl::RepaintCells(int first, int last, int column, bool checkBoxOnly) {
    const ListState& state = State();
    if (state.itemCount <= 0 || column < 0 || column >= state.columnCount) return;
    // Rows out of view need no repaint.
    first = std::max(first, state.topIndex);
    last = std::min({last, state.topIndex + state.perPage, state.itemCount - 1});
    for (int item = first; item <= last; ++item) {
        RECT cell = {};
        if (!CellRectangle(item, column, cell)) continue;
        const auto key = std::make_pair(item, column);
        RECT changed = cell;
        if (checkBoxOnly) {
            changed.right = changed.left + (cell.bottom - cell.top);
            shown_.erase(key);
        } else {
            // Once the changed part is painted, the whole cell shows what it holds now.
            const CellInfo& now = FillCell(item, column, RowSelected(item));
            const auto found = shown_.find(key);
            if (found != shown_.end()) changed = ChangedPart(found->second, now, cell);
            shown_[key] = now;
        }
        if (!IsRectEmpty(&changed)) PaintNow(changed);
    }
}

// A changed part is painted at once rather than invalidated: a progress cell
// changes many times a second, and an invalidation with its paint round
// costs more than the painting itself.
void CSkinListCtrl::PaintNow(const RECT& part) {
    const HWND list = Handle();
    if (redrawOn_ && IsWindowVisible(list)) {
        CClientDC screen(list);
        if (screen) {
            IntersectClipRect(screen.Get(), part.left, part.top, part.right, part.bottom);
            PaintOnScreen(screen.Get(), part);
            return;
        }
    }
    InvalidateRect(list, &part, FALSE);
}

// A text or a colour may change anything in the cell; a progress bar whose
// text stayed the same differs only between its old and its new fill.
RECT CSkinListCtrl::ChangedPart(const CellInfo& shown, const CellInfo& now, const RECT& cell) {
    if (LookOf(shown) != LookOf(now) || shown.text != now.text) return cell;
    if (now.progressMax < 1 || shown.progressPos == now.progressPos) return {};
    const LayoutRect bar = PlaceText(now, cell).bar;
    const int before = ProgressFillWidth(bar.Width(), shown.progressPos, shown.progressMax);
    const int after = ProgressFillWidth(bar.Width(), now.progressPos, now.progressMax);
    return {bar.left + std::min(before, after), bar.top, bar.left + std::max(before, after), bar.bottom};
}

LRESULT CSkinListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!KeepsState(message)) stateFresh_ = false;
    // The tool follows the cell under the mouse before the tooltip hears of the move, so a move into a cut cell
    // counts as a move over it.
    if (message == WM_MOUSEMOVE) OnMouseMove(lParam);
    if (tooltip_ && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) RelayToTooltip(message, wParam, lParam);
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            SyncBars();
            return TRUE;
        case WM_SETREDRAW:
            return OnSetRedraw(wParam);
        case WM_NCPAINT:
            // Cut to its client area, the list's own frame and scroll bars never show.
            if (!IsRectEmpty(&clippedTo_)) return 0;
            break;
        case WM_PRINTCLIENT: {
            RECT client = {};
            GetClientRect(Handle(), &client);
            PaintArea(reinterpret_cast<HDC>(wParam), client, nullptr);
            return 0;
        }
        case WM_MOUSEMOVE:
            return 0;
        case WM_NOTIFYFORMAT:
            if (tooltip_ && reinterpret_cast<HWND>(wParam) == tooltip_) return NFR_UNICODE;
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_MOUSEWHEEL: {
            const LRESULT result = DefWindowProc(message, wParam, lParam);
            SyncBars();
            return result;
        }
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = DefWindowProc(message, wParam, lParam);
            if (vBar_.Handle()) {
                ClipOwnScrollBars();
                PlaceSkinScrollBars();
            }
            return result;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header && header->hwndFrom == header_.Handle() && header->code == static_cast<UINT>(NM_RCLICK)) {
                OnHeaderRightClick();
            }
            if (header && tooltip_ && header->hwndFrom == tooltip_ && header->code == TTN_GETDISPINFOW) {
                OnTooltipText(reinterpret_cast<NMTTDISPINFOW*>(lParam));
                return 0;
            }
            break;
        }
        case ReflectedMessage(WM_NOTIFY):
            return OnReflectedNotify(reinterpret_cast<NMHDR*>(lParam));
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CSkinListCtrl::OnReflectedNotify(NMHDR* header) {
    switch (header->code) {
        case LVN_GETDISPINFOA:
        case LVN_GETDISPINFOW:
            if (header->code == LVN_GETDISPINFOA) {
                OnGetDispInfoA(reinterpret_cast<NMLVDISPINFOA*>(header));
            } else {
                OnGetDispInfoW(reinterpret_cast<NMLVDISPINFOW*>(header));
            }
            return 0;
        case LVN_HOTTRACK:
            // Hot tracking never selects.
            return 1;
        case NM_CLICK:
            OnClick(reinterpret_cast<const NMITEMACTIVATE*>(header));
            break;
    }
    // Not answered here: the parent sees the notification as usual.
    return DefWindowProc(ReflectedMessage(WM_NOTIFY), 0, reinterpret_cast<LPARAM>(header));
}

// The list also asks when it only measures a row (for its indent): the
// parent is asked only for what it decides.
constexpr UINT kParentFields = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;

void CSkinListCtrl::OnGetDispInfoA(NMLVDISPINFOA* info) {
    if (!(info->item.mask & kParentFields)) return;
    const CellInfo& cell = GetCell(info->item.iItem, info->item.iSubItem);
    if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
        lstrcpynA(info->item.pszText, cell.text.c_str(), info->item.cchTextMax);
    }
    if (info->item.mask & LVIF_IMAGE) info->item.iImage = cell.imageIndex;
    if (cell.hasCheckBox) {
        info->item.mask |= LVIF_STATE;
        info->item.stateMask |= LVIS_STATEIMAGEMASK;
        info->item.state =
            (info->item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK((cell.checkState & DFCS_CHECKED) ? 2 : 1);
    }
}

void CSkinListCtrl::OnGetDispInfoW(NMLVDISPINFOW* info) {
    if (!(info->item.mask & kParentFields)) return;
    const CellInfo& cell = GetCell(info->item.iItem, info->item.iSubItem);
    if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
        lstrcpynW(info->item.pszText, ToWide(cell.text).c_str(), info->item.cchTextMax);
    }
    if (info->item.mask & LVIF_IMAGE) info->item.iImage = cell.imageIndex;
    if (cell.hasCheckBox) {
        info->item.mask |= LVIF_STATE;
        info->item.stateMask |= LVIS_STATEIMAGEMASK;
        info->item.state =
            (info->item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK((cell.checkState & DFCS_CHECKED) ? 2 : 1);
    }
}

void CSkinListCtrl::OnClick(const NMITEMACTIVATE* click) {
    LVHITTESTINFO test = {};
    test.pt = click->ptAction;
    if (SendMessageA(Handle(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&test)) < 0 || test.iItem < 0) return;
    RECT rect = {};
    if (!CellRectangle(test.iItem, test.iSubItem, rect)) return;
    const CellInfo& cell = GetCell(test.iItem, test.iSubItem);
    const CellContent content = ContentOf(cell);
    const CellParts parts = LayOutCell(ToLayout(rect), content);
    CellHit hit;
    hit.item = test.iItem;
    hit.subitem = test.iSubItem;
    hit.onCheckBox = content.checkBox && Contains(parts.checkBox, test.pt.x, test.pt.y);
    hit.onImage = content.image && Contains(parts.image, test.pt.x, test.pt.y);
    SendMessageA(GetParent(Handle()), WM_LIST_CELLCLICK, reinterpret_cast<WPARAM>(Handle()),
                 reinterpret_cast<LPARAM>(&hit));
}

void CSkinListCtrl::OnHeaderRightClick() {
    POINT screen = {};
    GetCursorPos(&screen);
    POINT client = screen;
    ScreenToClient(header_.Handle(), &client);
    HeaderClick click;
    click.column = header_.ColumnAt(client);
    click.x = screen.x;
    click.y = screen.y;
    SendMessageA(GetParent(Handle()), WM_LIST_HEADERRCLICK, reinterpret_cast<WPARAM>(Handle()),
                 reinterpret_cast<LPARAM>(&click));
}

void CSkinListCtrl::OnPaint() {
    CPaintDC paint(Handle());
    PaintOnScreen(paint.Get(), paint.Area());
}

// Only the area to repaint is buffered, asked for and drawn; the buffer
// keeps the list's client coordinates.
void CSkinListCtrl::PaintOnScreen(HDC screen, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    const HDC dc = paintBuffer_.Get(screen, width, height);
    if (!dc) return;
    SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
    SyncBars();
    PaintArea(dc, area, screen);
    const RECT& header = State().headerArea;
    if (!IsRectEmpty(&header)) ExcludeClipRect(screen, header.left, header.top, header.right, header.bottom);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    BitBlt(screen, area.left, area.top, width, height, dc, 0, 0, SRCCOPY);
}

// The cells are drawn here, row by row, rather than through the system
// list's own painting: it would ask for every cell three times over.
void CSkinListCtrl::PaintArea(HDC dc, const RECT& area, HDC screen) {
    CSavedDC saved(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    FillSolid(dc, area, kListFill);
    SetBkMode(dc, TRANSPARENT);
    const ListState& state = State();
    const int top = state.topIndex;
    const int rowHeight = state.rowHeight;
    if (top < 0 || top >= state.itemCount || rowHeight <= 0) return;
    // Rows changed here and there make one area around them all: only the
    // rows the screen takes are drawn.
    RECT box = {};
    const bool wholeArea = screen && GetClipBox(screen, &box) == SIMPLEREGION && EqualRect(&box, &area);
    const int skipped = area.top > state.topRowTop ? (area.top - state.topRowTop) / rowHeight : 0;
    for (int item = top + skipped; item < state.itemCount; ++item) {
        const int rowTop = state.topRowTop + (item - top) * rowHeight;
        if (rowTop >= area.bottom) break;
        const RECT row = {area.left, rowTop, area.right, rowTop + rowHeight};
        if (screen && !RectVisible(screen, &row)) continue;
        const bool selected = RowSelected(item);
        for (int subitem = 0; subitem < state.columnCount; ++subitem) {
            const RECT& span = state.columnSpans[static_cast<size_t>(subitem)];
            if (span.right <= area.left || span.left >= area.right) continue;
            const bool whole = wholeArea && span.left >= area.left && span.right <= area.right && rowTop >= area.top &&
                               rowTop + rowHeight <= area.bottom;
            DrawCell(dc, item, subitem, rowTop, rowTop + rowHeight, selected, whole);
        }
    }
}

// The empty and the full bar are drawn once for the bars' size and the
// cell's background (it shows at their rounded corners) and then copied: a
// progress cell is repainted many times a second.
void CSkinListCtrl::DrawBar(HDC dc, const RECT& bar, int filled, COLORREF background) {
    const int width = bar.right - bar.left;
    const int height = bar.bottom - bar.top;
    if (width <= 0 || height <= 0) return;
    const HDC pictures = barPictures_.Get(dc, width, 2 * height);
    if (!pictures) {
        barSize_ = {};
        return;
    }
    if (width != barSize_.cx || height != barSize_.cy || background != barBackground_) {
        barSize_ = {width, height};
        barBackground_ = background;
        FillSolid(pictures, {0, 0, width, 2 * height}, background);
        DrawShadedBar(pictures, {0, 0, width, height}, kEmptyBarColor);
        DrawShadedBar(pictures, {0, height, width, 2 * height}, kFilledBarColor);
    }
    const int full = filled < width ? filled : width;
    if (full < width) BitBlt(dc, bar.left + full, bar.top, width - full, height, pictures, full, 0, SRCCOPY);
    if (full > 0) BitBlt(dc, bar.left, bar.top, full, height, pictures, 0, height, SRCCOPY);
}

// Where a cell's text goes: beside its check box and image, or inside its
// progress bar.
CSkinListCtrl::TextPlace CSkinListCtrl::PlaceText(const CellInfo& cell, const RECT& rect) {
    const LayoutRect cellRect = ToLayout(rect);
    TextPlace place;
    place.progress = cell.progressMax >= 1;
    if (place.progress) {
        place.bar = ProgressArea(cellRect);
        const LayoutRect& bar = place.bar;
        place.text =
            cell.progressInset != 0 ? LayoutRect{bar.left + 2, bar.top + 2, bar.right - 2, bar.bottom - 2} : bar;
    } else {
        const LayoutRect text = LayOutCell(cellRect, ContentOf(cell)).text;
        place.text = {text.left + 2 - 1, text.top - 1, text.right - 1, text.bottom - 1};
    }
    return place;
}

HFONT CSkinListCtrl::FontFor(const CellInfo& cell) {
    const HFONT listFont = State().font;
    if (!cell.bold && !cell.italic) return listFont;
    CFontHandle& derived = derivedFonts_[(cell.bold ? 1 : 0) + (cell.italic ? 2 : 0) - 1];
    if (!derived || derivedFrom_ != listFont) {
        for (CFontHandle& font : derivedFonts_) font.Reset();
        derivedFrom_ = listFont;
        derived = DerivedFont(listFont, cell.bold, cell.italic);
    }
    return derived.Get();
}

bool CSkinListCtrl::TextIsCut(int item, int subitem) {
    RECT rect = {};
    if (!CellRectangle(item, subitem, rect)) return false;
    const CellInfo& cell = GetCell(item, subitem);
    if (cell.text.empty()) return false;
    const TextPlace place = PlaceText(cell, rect);
    CClientDC dc(Handle());
    CSelection font(dc.Get(), FontFor(cell));
    return Utf8Extent(dc.Get(), cell.text).cx > place.text.Width();
}

// Everything a cell draws stays inside its rectangle (texts are clipped by
// DrawText), so only the progress text's two colours need a clip of their own.
void CSkinListCtrl::DrawCell(HDC dc, int item, int subitem, int top, int bottom, bool rowSelected, bool whole) {
    RECT rect = {};
    if (!CellInRow(subitem, top, bottom, rect)) return;
    const CellInfo& cell = FillCell(item, subitem, rowSelected);
    RecordShown(cell, rect, whole);
    const bool focused = State().focused;
    const bool selectedLook = cell.selected && !cell.noSelectionLook;
    const COLORREF background = Resolve(cell.backgroundColor, COLOR_WINDOW);
    const COLORREF selectedBackground = focused ? Resolve(cell.selectedBackgroundFocused, COLOR_HIGHLIGHT)
                                                : Resolve(cell.selectedBackgroundUnfocused, COLOR_BTNFACE);
    COLORREF text = Resolve(cell.textColor, COLOR_WINDOWTEXT);
    if (selectedLook) {
        text = Resolve(cell.selectedTextColor, focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    } else if (cell.hot) {
        text = Resolve(cell.hotTextColor, COLOR_HOTLIGHT);
    }

    const CellContent content = ContentOf(cell);
    const CellParts parts = LayOutCell(ToLayout(rect), content);
    const COLORREF fill = selectedLook ? SelectedRowFill(selectedBackground) : background;
    if (selectedLook) {
        // A light tint of the selection colour keeps the dark texts readable;
        // lines above and below in the colour itself make the row stand out.
        FillSolid(dc, ToRect(parts.text), fill);
        FillSolid(dc, {rect.left, rect.top, rect.right, rect.top + 1}, selectedBackground);
        FillSolid(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, selectedBackground);
    } else {
        FillSolid(dc, ToRect(parts.text), background);
    }

    if (content.checkBox) {
        RECT box = ToRect(parts.checkBox);
        FillSolid(dc, box, selectedLook && !cell.checkPlainBackground ? selectedBackground : background);
        DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (cell.checkState & ~DFCS_BUTTONCHECK));
    }
    if (content.image) {
        const RECT image = ToRect(parts.image);
        FillSolid(dc, image, selectedLook && !cell.imagePlainBackground ? selectedBackground : background);
        ImageList_DrawEx(cell.imageList, cell.imageIndex, dc, image.left, image.top, image.right - image.left,
                         image.bottom - image.top, CLR_NONE, selectedLook ? selectedBackground : CLR_NONE,
                         selectedLook ? cell.selectedImageStyle : ILD_NORMAL);
    }
    const TextPlace place = PlaceText(cell, rect);
    const LayoutRect& bar = place.bar;
    int filled = 0;
    if (place.progress) {
        filled = ProgressFillWidth(bar.Width(), cell.progressPos, cell.progressMax);
        DrawBar(dc, {bar.left, bar.top + 2, bar.right, bar.bottom - 2}, filled, fill);
    }
    if (cell.text.empty()) return;

    const std::wstring shown = ToWide(cell.text);
    const UINT format = (cell.textFormat | DT_NOPREFIX) & ~DT_NOCLIP;
    SelectObject(dc, FontFor(cell));
    if (place.progress) {
        {
            CSavedDC clip(dc);
            IntersectClipRect(dc, bar.left, bar.top, bar.left + filled, bar.bottom);
            SetTextColor(dc, Resolve(cell.progressTextColor, COLOR_HIGHLIGHTTEXT));
            DrawProgressText(dc, shown, ToRect(place.text), format);
        }
        CSavedDC clip(dc);
        ExcludeClipRect(dc, bar.left, bar.top, bar.left + filled, bar.bottom);
        SetTextColor(dc, text);
        DrawProgressText(dc, shown, ToRect(place.text), format);
        return;
    }
    RECT textRect = ToRect(place.text);
    SetTextColor(dc, text);
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &textRect, format);
}

// Wine's list does not hide itself from painting when its drawing is
// switched off, so a scroll still paints it at once: the default handling
// does (on Windows the list calls it itself, and twice does no harm).
LRESULT CSkinListCtrl::OnSetRedraw(WPARAM redraw) {
    redrawOn_ = redraw != 0;
    if (redraw) ::DefWindowProcA(Handle(), WM_SETREDRAW, redraw, 0);
    const LRESULT result = DefWindowProc(WM_SETREDRAW, redraw, 0);
    if (!redraw) ::DefWindowProcA(Handle(), WM_SETREDRAW, redraw, 0);
    return result;
}

// A cell painted only in part may show older contents in the rest of it:
// then no record of it holds.
void CSkinListCtrl::RecordShown(const CellInfo& cell, const RECT& rect, bool whole) {
    const auto key = std::make_pair(cell.item, cell.subitem);
    if (whole) {
        shown_[key] = cell;
        return;
    }
    const auto found = shown_.find(key);
    if (found == shown_.end()) return;
    const RECT changed = ChangedPart(found->second, cell, rect);
    if (!IsRectEmpty(&changed)) shown_.erase(found);
}
