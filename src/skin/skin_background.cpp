#include <windows.h>

#include "framework/gdi.h"
#include "skin/skin.h"

namespace {

// Two 3-pixel pens draw the client rectangle; clipping keeps only the top and
// left edges of the light one and the bottom and right edges of the dark one.
void DrawRaisedFrame(HDC dc, int width, int height) {
    CPenHandle light(CreatePen(PS_SOLID, 3, RGB(224, 224, 224)));
    CPenHandle dark(CreatePen(PS_SOLID, 3, RGB(96, 96, 96)));
    {
        CSavedDC saved(dc);
        ExcludeClipRect(dc, 4, 4, width, height);
        CSelection pen(dc, light.Get());
        CSelection brush(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, 0, 0, width, height);
    }
    {
        CSavedDC saved(dc);
        ExcludeClipRect(dc, 0, 0, width - 4, height - 4);
        CSelection pen(dc, dark.Get());
        CSelection brush(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, 0, 0, width, height);
    }
}

}  // namespace

void DrawSkinBackground(HWND window, HDC dc) {
    RECT client = {};
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    const SkinRecord& skin = CurrentSkin();
    CMemoryDC source(dc);

    // Empty elements are left out: tiling by a height of 0 would never end.
    if (!skin.background.Empty()) {
        CSelection selection(source.Get(), skin.background.bitmap);
        for (int y = 0; y < height; y += skin.background.height) {
            StretchBlt(dc, 0, y, width, skin.background.height, source.Get(), 0, 0, skin.background.width,
                       skin.background.height, SRCCOPY);
        }
    }
    if (!skin.title.Empty()) {
        CSelection selection(source.Get(), skin.title.bitmap);
        StretchBlt(dc, 0, 0, width, skin.title.height, source.Get(), 0, 0, skin.title.width, skin.title.height,
                   SRCCOPY);
    }
    DrawRaisedFrame(dc, width, height);
}
