#include "controls/skin_mini_scroll.h"

#include <windowsx.h>

#include "controls/scroll_geometry.h"
#include "controls/skin_paint.h"
#include "framework/application.h"
#include "framework/gdi.h"

bool CSkinMiniScroll::CreateIn(HWND parent, const RECT& rect, int range, int page) {
    range_ = range;
    page_ = page;
    position_ = 0;
    const HWND bar =
        CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, ResourceModule(), nullptr);
    if (!bar) return false;
    if (!Subclass(bar)) {
        DestroyWindow(bar);
        return false;
    }
    return true;
}

void CSkinMiniScroll::SetScale(int range, int page) {
    range_ = range;
    page_ = page;
    SetPosition(position_);
}

void CSkinMiniScroll::SetPosition(int position) {
    position_ = ClampMiniPosition(position, range_, page_);
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT CSkinMiniScroll::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnLButtonDown(GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove();
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp();
            return 0;
        case WM_CAPTURECHANGED:
            if (dragging_ && reinterpret_cast<HWND>(lParam) != Handle()) OnLButtonUp();
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(wParam, lParam);
            return 0;
    }
    return DefWindowProc(message, wParam, lParam);
}

int CSkinMiniScroll::ClientHeight() const {
    RECT client = {};
    GetClientRect(Handle(), &client);
    return client.bottom;
}

void CSkinMiniScroll::MoveBy(int delta) {
    const int moved = ClampMiniPosition(position_ + delta, range_, page_);
    position_ = moved;
    SendMessageA(GetParent(Handle()), WM_MINISCROLL_CHANGED, static_cast<WPARAM>(position_),
                 reinterpret_cast<LPARAM>(Handle()));
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CSkinMiniScroll::OnLButtonDown(int y) {
    switch (MiniPartAt(y, ClientHeight(), position_, range_, page_)) {
        case MiniPart::pageDown:
            MoveBy(page_);
            break;
        case MiniPart::pageUp:
            MoveBy(-page_);
            break;
        case MiniPart::thumb:
            dragging_ = true;
            GetCursorPos(&lastDrag_);
            SetCapture(Handle());
            InvalidateRect(Handle(), nullptr, FALSE);
            break;
    }
}

void CSkinMiniScroll::OnMouseMove() {
    if (!dragging_) return;
    POINT point = {};
    GetCursorPos(&point);
    const int moved = MiniDragPosition(position_, point.y - lastDrag_.y, ClientHeight(), range_, page_);
    // Only whole steps use up the mouse's movement, so slow drags still add up.
    if (moved == position_) return;
    lastDrag_ = point;
    MoveBy(moved - position_);
}

void CSkinMiniScroll::OnLButtonUp() {
    if (!dragging_) return;
    dragging_ = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CSkinMiniScroll::OnKeyDown(WPARAM key, LPARAM lParam) {
    if (key == VK_NEXT) return MoveBy(page_);
    if (key == VK_PRIOR) return MoveBy(-page_);
    SendMessageA(GetParent(Handle()), WM_KEYDOWN, key, lParam);
}

void CSkinMiniScroll::OnPaint() {
    CBufferedPaint paint(Handle());
    if (!paint) return;
    const HDC dc = paint.Get();
    const RECT& client = paint.Client();
    const int w = client.right - 1;
    const int h = client.bottom - 1;
    // The track continues the parent's tiling, so the bar seems cut into it.
    POINT place = {0, 0};
    MapWindowPoints(Handle(), GetParent(Handle()), &place, 1);
    const int shift = track_.Empty() ? 0 : -(place.y % track_.height);
    FillSolid(dc, client, dark_);
    TileElement(dc, track_, {1, 1, w, h}, shift);
    Draw3dRect(dc, {0, 0, w + 1, h + 1}, dark_, light_);
    const MiniThumb thumb = MiniThumbPlace(client.bottom, position_, range_, page_);
    const RECT thumbRect = {1, thumb.top + 1, w, thumb.top + thumb.length + 9};
    TileElement(dc, track_, thumbRect, 0);
    Draw3dRect(dc, thumbRect, dragging_ ? dark_ : light_, dragging_ ? light_ : dark_);
    const int middle = thumb.top + thumb.length / 2 + 5;
    for (int line = 0; line < 6; ++line) {
        FillSolid(dc, {2, middle - 2 + line, w - 1, middle - 1 + line}, line % 2 == 0 ? light_ : dark_);
    }
    paint.Present();
}
