#include "controls/message_icon.h"

#include "framework/gdi.h"

namespace {

constexpr int kIconSize = 32;

}  // namespace

void CMessageIcon::SetIcon(HICON icon) {
    icon_ = icon;
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT CMessageIcon::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
    }
    return DefWindowProc(message, wParam, lParam);
}

void CMessageIcon::OnPaint() {
    CPaintDC paint(Handle());
    if (!icon_) return;
    RECT client = {};
    GetClientRect(Handle(), &client);
    CSavedDC saved(paint.Get());
    IntersectClipRect(paint.Get(), 0, 0, client.right, client.bottom);
    DrawIconEx(paint.Get(), 0, 0, icon_, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
}
