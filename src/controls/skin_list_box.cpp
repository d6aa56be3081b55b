#include "controls/skin_list_box.h"

#include <windowsx.h>

#include "controls/skin_paint.h"
#include "controls/wide_text.h"
#include "framework/gdi.h"

namespace {

constexpr int kTabWidth = 20;
constexpr int kItemLeft = 5;
constexpr int kColumnTop = 3;

// Draws text in pieces split at tabs, each piece starting at the next
// multiple of the tab width after the previous one.
void DrawTabbedText(HDC dc, int x, int y, const std::string& utf8) {
    const std::wstring text = ToWide(utf8);
    size_t start = 0;
    int left = x;
    while (start <= text.size()) {
        size_t end = text.find(L'\t', start);
        if (end == std::wstring::npos) end = text.size();
        const int length = static_cast<int>(end - start);
        TextOutW(dc, left, y, text.c_str() + start, length);
        if (end == text.size()) break;
        SIZE size = {};
        GetTextExtentPoint32W(dc, text.c_str() + start, length, &size);
        const int pieceEnd = left + size.cx - x;
        left = x + (pieceEnd / kTabWidth + 1) * kTabWidth;
        start = end + 1;
    }
}

}  // namespace

CSkinListBox::CSkinListBox() : style_(CurrentSkin().listBox) {}

void CSkinListBox::PreSubclassWindow() {
    scrollBar_.Configure(style_.lightColor, style_.darkColor, style_.back);
    scrollBar_.CreateIn(Handle(), {0, 0, 10, 10}, 10, 10);
    Measure();
}

void CSkinListBox::ResetItems() {
    items_.clear();
    Measure();
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

int CSkinListBox::AddEntry(const char* text) {
    if (ItemCount() >= kMaxItems) return kMaxItems - 1;
    items_.push_back({text ? text : "", false});
    Measure();
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
    return ItemCount() - 1;
}

int CSkinListBox::SetItemSelected(int index, bool selected) {
    if (index < 0 || index >= ItemCount()) return index;
    items_[static_cast<size_t>(index)].selected = selected;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
    return index;
}

int CSkinListBox::GetFirstSelected() const {
    for (int i = 0; i < ItemCount(); ++i) {
        if (items_[static_cast<size_t>(i)].selected) return i;
    }
    return -1;
}

void CSkinListBox::EnsureItemVisible(int index) {
    if (index < 0 || index >= ItemCount()) return;
    const int offset = OffsetToShow(index, column_.itemHeight, column_.visibleCount, scrollOffset_);
    if (offset == scrollOffset_) return;
    scrollOffset_ = offset;
    scrollBar_.SetPosition(PositionForOffset(offset, column_.itemHeight));
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void CSkinListBox::Measure() {
    if (!Handle()) return;
    RECT client = {};
    GetClientRect(Handle(), &client);
    std::vector<int> heights;
    {
        CClientDC screen(Handle());
        CSelection font(screen.Get(), reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
        for (const Item& item : items_) {
            heights.push_back(Utf8Extent(screen.Get(), item.text).cy);
        }
    }
    column_ = MeasureItemColumn(heights, client.bottom);
    for (LayoutRect& item : column_.items) {
        item.left = kItemLeft;
        item.right = client.right - 15;
    }
    const bool empty = items_.empty();
    scrollBar_.SetScale(empty ? 10 : ItemCount() * 100, empty ? 10 : column_.visibleCount * 100);
    scrollBar_.SetPosition(0);
    if (scrollBar_.Handle()) MoveWindow(scrollBar_.Handle(), client.right - 13, 3, 10, client.bottom - 6, TRUE);
    scrollOffset_ = 0;
}

LRESULT CSkinListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_SIZE:
            Measure();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetFocus(Handle());
            OnClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), message == WM_LBUTTONDBLCLK);
            return 0;
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_RBUTTONDOWN:
        case WM_CHAR:
            return 0;
        case WM_KEYDOWN:
            OnArrowKey(wParam);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_MINISCROLL_CHANGED:
            OnScroll(static_cast<int>(wParam));
            return 0;
    }
    // Messages that would reach the system list's own logic stop here.
    if (message >= LB_ADDSTRING && message <= LB_MSGMAX) return LB_ERR;
    return DefWindowProc(message, wParam, lParam);
}

bool CSkinListBox::PreTranslateMessage(MSG* message) {
    if (message->message != WM_KEYDOWN || message->hwnd != Handle()) return false;
    return OnArrowKey(message->wParam);
}

bool CSkinListBox::OnArrowKey(WPARAM key) {
    if (key != VK_UP && key != VK_DOWN) return false;
    const int next = WrapStep(GetFirstSelected(), key == VK_DOWN ? 1 : -1, ItemCount());
    if (next < 0) return true;
    SelectOnly(next);
    EnsureItemVisible(next);
    Notify(LBN_SELCHANGE);
    return true;
}

void CSkinListBox::OnClick(int x, int y, bool doubleClick) {
    const int hit = ItemAt(column_.items, x, y, scrollOffset_, false);
    if (hit < 0) {
        caret_ = 0;
        return;
    }
    SelectOnly(hit);
    Notify(LBN_SELCHANGE);
    caret_ = hit;
    if (doubleClick) Notify(LBN_DBLCLK);
}

void CSkinListBox::SelectOnly(int index) {
    for (Item& item : items_) item.selected = false;
    items_[static_cast<size_t>(index)].selected = true;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CSkinListBox::Notify(WORD code) {
    const int id = GetDlgCtrlID(Handle());
    PostMessageA(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Handle()));
}

void CSkinListBox::OnScroll(int position) {
    scrollOffset_ = OffsetForPosition(position, column_.itemHeight);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CSkinListBox::OnPaint() {
    CBufferedPaint paint(Handle());
    if (!paint) return;
    const HDC dc = paint.Get();
    const int width = paint.Width();
    const int height = paint.Height();
    DrawFramedPanel(dc, width, height, style_.back, style_.lightColor, style_.darkColor);
    PaintItems(dc, width, height);
    // The scroll bar paints itself; everything else is copied in one step.
    CSavedDC saved(paint.Screen());
    ExcludeClipRect(paint.Screen(), width - 13, 3, width - 3, height - 3);
    paint.Present();
}

void CSkinListBox::PaintItems(HDC dc, int width, int height) {
    const RECT columnRect = {kItemLeft, kColumnTop, width - 15, height - kColumnTop};
    const int shift = style_.fore.Empty() ? 0 : -(scrollOffset_ % style_.fore.height);
    TileElement(dc, style_.fore, columnRect, shift);
    Draw3dRect(dc, columnRect, style_.darkColor, style_.lightColor);
    CFontHandle font = MakeFont("Tahoma", 11, FW_BOLD);
    CSavedDC saved(dc);
    SelectObject(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    IntersectClipRect(dc, 0, 4, width - 15, height - 4);
    for (size_t i = 0; i < items_.size(); ++i) {
        const LayoutRect& r = column_.items[i];
        const int top = r.top - scrollOffset_;
        const int bottom = r.bottom - scrollOffset_;
        if (bottom < 0 || top > height) continue;
        if (items_[i].selected) {
            const RECT place = {r.left, top + 1, r.right, bottom - 1};
            TileElement(dc, style_.back, place);
            Draw3dRect(dc, place, style_.lightColor, style_.darkColor);
            SetTextColor(dc, style_.selectedTextColor);
            DrawTabbedText(dc, r.left + 3, top + 2, items_[i].text);
        }
        SetTextColor(dc, style_.textColor);
        DrawTabbedText(dc, r.left + 2, top + 1, items_[i].text);
    }
}
