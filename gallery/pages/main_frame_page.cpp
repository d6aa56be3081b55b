#include <windows.h>

#include "framework/application.h"
#include "framework/gdi.h"
#include "gallery.h"
#include "resource_ids.h"
#include "skin/skin.h"

namespace {

// The main window's frame bitmap, cut to its shape by BitmapToRegion with pure
// green as the transparent colour, as the main window will be.
class CMainFrameContent : public CGalleryContent {
public:
    explicit CMainFrameContent(HWND page)
        : frame_(static_cast<HBITMAP>(
              LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDB_MAIN_FRAME), IMAGE_BITMAP, 0, 0, 0))) {
        if (HRGN shape = BitmapToRegion(frame_.Get(), RGB(0, 255, 0), 0)) SetWindowRgn(page, shape, TRUE);
    }

    void PaintBackground(HWND page, HDC dc) override {
        RECT client = {};
        GetClientRect(page, &client);
        CMemoryDC source(dc);
        CSelection selection(source.Get(), frame_.Get());
        BitBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY);
    }

private:
    CBitmapHandle frame_;
};

std::unique_ptr<CGalleryContent> BuildMainFramePage(HWND page) { return std::make_unique<CMainFrameContent>(page); }

const GalleryRegistration registration({"main-frame", {865, 602}, BuildMainFramePage});

}  // namespace
