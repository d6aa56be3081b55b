#include "controls/skin_paint.h"

#include "controls/shaded_bar.h"
#include "framework/gdi.h"

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    const COLORREF old = SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

void Draw3dRect(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    FillSolid(dc, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    FillSolid(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    FillSolid(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    FillSolid(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

void StretchElement(HDC dc, const SkinElement& element, const RECT& rect) {
    if (element.Empty() || rect.right <= rect.left || rect.bottom <= rect.top) return;
    CMemoryDC source(dc);
    CSelection selection(source.Get(), element.bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source.Get(), 0, 0,
               element.width, element.height, SRCCOPY);
}

void DrawElement(HDC dc, const SkinElement& element, int x, int y) {
    if (element.Empty()) return;
    CMemoryDC source(dc);
    CSelection selection(source.Get(), element.bitmap);
    BitBlt(dc, x, y, element.width, element.height, source.Get(), 0, 0, SRCCOPY);
}

void TileElement(HDC dc, const SkinElement& element, const RECT& rect, int yShift) {
    if (element.Empty()) return;
    CMemoryDC source(dc);
    CSelection selection(source.Get(), element.bitmap);
    CSavedDC saved(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    for (int y = rect.top + yShift; y < rect.bottom; y += element.height) {
        for (int x = rect.left; x < rect.right; x += element.width) {
            BitBlt(dc, x, y, element.width, element.height, source.Get(), 0, 0, SRCCOPY);
        }
    }
}

void DrawFramedPanel(HDC dc, int width, int height, const SkinElement& background, COLORREF light, COLORREF dark) {
    FillSolid(dc, {0, 0, width, height}, dark);
    TileElement(dc, background, {1, 1, width - 1, height - 1});
    CSavedDC saved(dc);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    CPenHandle lightPen(CreatePen(PS_SOLID, 1, light));
    CPenHandle darkPen(CreatePen(PS_SOLID, 1, dark));
    {
        CSavedDC clip(dc);
        ExcludeClipRect(dc, 2, 2, width, height);
        CSelection pen(dc, lightPen.Get());
        RoundRect(dc, 0, 0, width, height, 5, 5);
    }
    ExcludeClipRect(dc, 0, 0, width - 2, height - 2);
    CSelection pen(dc, darkPen.Get());
    RoundRect(dc, 0, 0, width, height, 5, 5);
}

void DrawShadedBar(HDC dc, const RECT& rect, COLORREF color) {
    // The DC's own brush and pen take each ring's colour: nothing is made or freed per ring.
    CSelection brush(dc, GetStockObject(DC_BRUSH));
    CSelection pen(dc, GetStockObject(DC_PEN));
    const COLORREF oldBrush = GetDCBrushColor(dc);
    const COLORREF oldPen = GetDCPenColor(dc);
    for (const ShadedRing& ring : ShadedBarRings({rect.left, rect.top, rect.right, rect.bottom}, color)) {
        SetDCBrushColor(dc, ring.color);
        SetDCPenColor(dc, ring.color);
        RoundRect(dc, ring.rect.left, ring.rect.top, ring.rect.right, ring.rect.bottom, 2, 2);
    }
    SetDCBrushColor(dc, oldBrush);
    SetDCPenColor(dc, oldPen);
}
