#include "controls/skin_scroll_bar.h"

#include <commctrl.h>
#include <windowsx.h>

#include "controls/skin_paint.h"
#include "framework/application.h"
#include "framework/gdi.h"

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstDelay = 250;
constexpr UINT kRepeatDelay = 50;
constexpr int kBarId = 0xFFFF;

}  // namespace

CSkinScrollBar::CSkinScrollBar(Axis axis)
    : axis_(axis), vStyle_(CurrentSkin().vScroll), hStyle_(CurrentSkin().hScroll) {}

bool CSkinScrollBar::CreateFor(HWND list) {
    list_ = list;
    const HWND bar = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, 0, 0, GetParent(list),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBarId)), ResourceModule(), nullptr);
    if (!bar) return false;
    if (!Subclass(bar)) {
        DestroyWindow(bar);
        return false;
    }
    return true;
}

ScrollBarMetrics CSkinScrollBar::Metrics() const {
    RECT client = {};
    GetClientRect(Handle(), &client);
    if (axis_ == Axis::vertical) {
        return {client.bottom,
                vStyle_.upArrowHeight,
                vStyle_.downArrowHeight,
                vStyle_.bottomHeight,
                vStyle_.thumbLength,
                vStyle_.trackMargin,
                2};
    }
    return {client.right, hStyle_.leftArrowWidth, hStyle_.rightArrowWidth, 0, hStyle_.thumbLength, 0, 1};
}

int CSkinScrollBar::Along(LPARAM lParam) const {
    return axis_ == Axis::vertical ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
}

void CSkinScrollBar::SyncFromList() {
    if (!Handle() || !list_) return;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    const int bar = axis_ == Axis::vertical ? SB_VERT : SB_HORZ;
    int position = 0;
    int limit = 0;
    if (GetScrollInfo(list_, bar, &info)) {
        position = info.nPos;
        // The highest position the list can take; 0 when everything fits.
        const int page = info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0;
        limit = info.nMax - page - info.nMin > 0 ? info.nMax - page - info.nMin : 0;
    }
    const int offset = ::ThumbOffset(Metrics(), position, limit);
    if (offset == thumbOffset_ && limit == limit_) return;
    thumbOffset_ = offset;
    limit_ = limit;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CSkinScrollBar::ScrollList(WORD code) {
    SendMessageA(list_, axis_ == Axis::vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, 0), 0);
    SyncFromList();
}

LRESULT CSkinScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnLButtonDown(Along(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(Along(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(Along(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == kRepeatTimer) OnTimer();
            return 0;
        case WM_CAPTURECHANGED:
            // Whoever took the mouse away, the arrows stop repeating.
            if (reinterpret_cast<HWND>(lParam) != Handle()) {
                StopRepeating();
                firstPressed_ = secondPressed_ = dragging_ = false;
            }
            return 0;
        case WM_DESTROY:
            StopRepeating();
            break;
    }
    return DefWindowProc(message, wParam, lParam);
}

void CSkinScrollBar::OnLButtonDown(int at) {
    SetCapture(Handle());
    const ScrollBarMetrics m = Metrics();
    const int secondArrowStart = m.length - m.secondArrow - m.endPiece;
    if (limit_ > 0 && at >= thumbOffset_ && at < thumbOffset_ + m.thumb) {
        dragging_ = true;
    } else if (at >= secondArrowStart && at < m.length - m.endPiece) {
        secondPressed_ = true;
        SetTimer(Handle(), kRepeatTimer, kFirstDelay, nullptr);
    } else if (at >= 0 && at < m.firstArrow) {
        firstPressed_ = true;
        SetTimer(Handle(), kRepeatTimer, kFirstDelay, nullptr);
    }
}

void CSkinScrollBar::OnTimer() {
    if (!repeating_) {
        repeating_ = true;
        SetTimer(Handle(), kRepeatTimer, kRepeatDelay, nullptr);
        return;
    }
    if (secondPressed_) ScrollList(SB_LINEDOWN);
    if (firstPressed_) ScrollList(SB_LINEUP);
}

void CSkinScrollBar::StopRepeating() {
    if (Handle()) KillTimer(Handle(), kRepeatTimer);
    repeating_ = false;
}

void CSkinScrollBar::OnMouseMove(int at) {
    if (!dragging_) return;
    const ScrollBarMetrics m = Metrics();
    const int thumb = at - m.thumb / 2;
    const int wanted = PositionForThumb(m, thumb, limit_);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    GetScrollInfo(list_, axis_ == Axis::vertical ? SB_VERT : SB_HORZ, &info);
    if (wanted != info.nPos) {
        if (axis_ == Axis::vertical) {
            RECT row = {};
            row.left = LVIR_BOUNDS;
            const int rowHeight = SendMessageA(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row))
                                      ? static_cast<int>(row.bottom - row.top)
                                      : 0;
            SendMessageA(list_, LVM_SCROLL, 0, (wanted - info.nPos) * rowHeight);
        } else {
            SendMessageA(list_, LVM_SCROLL, static_cast<WPARAM>(wanted - info.nPos), 0);
        }
    }
    thumbOffset_ = ClampThumbOffset(m, thumb);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CSkinScrollBar::OnLButtonUp(int at) {
    const ScrollBarMetrics m = Metrics();
    const bool first = firstPressed_;
    const bool second = secondPressed_;
    const bool dragged = dragging_;
    firstPressed_ = secondPressed_ = dragging_ = false;
    StopRepeating();
    if (GetCapture() == Handle()) ReleaseCapture();
    SyncFromList();
    const int secondArrowStart = m.length - m.secondArrow - m.endPiece;
    if (first && at >= 0 && at < m.firstArrow) {
        ScrollList(SB_LINEUP);
    } else if (second && at >= secondArrowStart && at < m.length - m.endPiece) {
        ScrollList(SB_LINEDOWN);
    } else if (!first && !second && !dragged && (at < thumbOffset_ || at >= thumbOffset_ + m.thumb)) {
        ScrollList(at > thumbOffset_ ? SB_PAGEDOWN : SB_PAGEUP);
    }
}

void CSkinScrollBar::OnPaint() {
    CBufferedPaint paint(Handle());
    if (!paint) return;
    const HDC dc = paint.Get();
    const RECT& client = paint.Client();
    const int width = paint.Width();
    const int height = paint.Height();
    const ScrollBarMetrics m = Metrics();
    if (axis_ == Axis::vertical) {
        const VScrollStyle& s = vStyle_;
        FillSolid(dc, client, s.backgroundColor);
        StretchElement(dc, s.span, {0, m.firstArrow, s.barWidth, height - m.secondArrow - m.endPiece});
        DrawElement(dc, s.upArrow, 0, 0);
        DrawElement(dc, s.downArrow, 0, height - m.secondArrow - m.endPiece);
        DrawElement(dc, s.bottom, 0, height - m.endPiece);
        if (limit_ != 0) StretchElement(dc, s.thumb, {1, thumbOffset_, 1 + s.thumbWidth, thumbOffset_ + m.thumb});
    } else {
        const HScrollStyle& s = hStyle_;
        FillSolid(dc, client, s.backgroundColor);
        StretchElement(dc, s.span, {m.firstArrow, 0, width - m.secondArrow, s.barHeight});
        DrawElement(dc, s.leftArrow, 0, 0);
        DrawElement(dc, s.rightArrow, width - m.secondArrow, 0);
        if (limit_ != 0) StretchElement(dc, s.thumb, {thumbOffset_, 1, thumbOffset_ + m.thumb, 1 + s.thumbHeight});
    }
    paint.Present();
}
