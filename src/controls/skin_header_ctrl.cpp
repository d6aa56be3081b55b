#include "controls/skin_header_ctrl.h"

#include <commctrl.h>

#include "controls/skin_paint.h"
#include "controls/skin_text.h"
#include "framework/gdi.h"

namespace {

constexpr int kMaxCaption = 255;

}  // namespace

CSkinHeaderCtrl::CSkinHeaderCtrl() : style_(CurrentSkin().header) {}

int CSkinHeaderCtrl::ColumnAt(POINT client) const {
    const int count = static_cast<int>(SendMessageA(Handle(), HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT rect = {};
        if (SendMessageA(Handle(), HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect)) &&
            PtInRect(&rect, client)) {
            return i;
        }
    }
    return -1;
}

LRESULT CSkinHeaderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
    }
    return DefWindowProc(message, wParam, lParam);
}

void CSkinHeaderCtrl::OnPaint() {
    CBufferedPaint paint(Handle());
    if (!paint) return;
    const HDC dc = paint.Get();
    const RECT& client = paint.Client();
    const int elementHeight = style_.elementHeight;
    FillSolid(dc, client, style_.fillColor);
    StretchElement(dc, style_.span, {style_.startWidth, 0, client.right, elementHeight});

    if (!font_) font_ = MakeSkinTextFont();
    CSelection fontSelection(dc, font_.Get());
    SetBkMode(dc, TRANSPARENT);
    const int count = static_cast<int>(SendMessageA(Handle(), HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t caption[kMaxCaption + 1] = {};
        HDITEMW item = {};
        item.mask = HDI_FORMAT | HDI_ORDER | HDI_TEXT;
        item.pszText = caption;
        item.cchTextMax = kMaxCaption + 1;
        RECT rect = {};
        if (!SendMessageA(Handle(), HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)) ||
            !SendMessageA(Handle(), HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect))) {
            continue;
        }
        StretchElement(dc, style_.span, {rect.left, 0, rect.right, elementHeight});
        if (item.iOrder == 0) DrawElement(dc, style_.start, rect.left, 0);
        DrawElement(dc, style_.end, rect.right - style_.endWidth, 0);
        RECT text = {rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
        DrawEmbossedText(dc, caption, text, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS,
                         style_.textColor);
    }
    paint.Present();
}
