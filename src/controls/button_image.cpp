#include "controls/button_image.h"

#include <utility>

#include "framework/application.h"

namespace {

// The size of an icon, from its own bitmaps; the two bitmaps that
// GetIconInfo hands out belong to the caller and are freed here.
bool IconSize(HICON icon, int* width, int* height) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return false;
    CBitmapHandle mask(info.hbmMask);
    CBitmapHandle color(info.hbmColor);
    BITMAP bitmap = {};
    if (!GetObjectA(color ? color.Get() : mask.Get(), sizeof bitmap, &bitmap)) return false;
    *width = bitmap.bmWidth;
    // A monochrome icon keeps its AND and XOR halves one above the other.
    *height = color ? bitmap.bmHeight : bitmap.bmHeight / 2;
    return true;
}

// The monochrome mask of a bitmap (set where the key colour is); the key
// colour's pixels of the bitmap itself are blackened, so that drawing the mask
// with AND and then the bitmap with OR leaves the background there.
CBitmapHandle MakeMask(HBITMAP bitmap, int width, int height, COLORREF key) {
    CBitmapHandle mask(CreateBitmap(width, height, 1, 1, nullptr));
    CMemoryDC imageDC(nullptr);
    CMemoryDC maskDC(nullptr);
    if (!mask || !imageDC || !maskDC) return CBitmapHandle();
    CSelection image(imageDC.Get(), bitmap);
    CSelection maskSelection(maskDC.Get(), mask.Get());
    SetBkColor(imageDC.Get(), key);
    BitBlt(maskDC.Get(), 0, 0, width, height, imageDC.Get(), 0, 0, SRCCOPY);
    SetBkColor(imageDC.Get(), RGB(255, 255, 255));
    SetTextColor(imageDC.Get(), RGB(0, 0, 0));
    constexpr DWORD kSourceAndNotMask = 0x00220326;  // DSna
    BitBlt(imageDC.Get(), 0, 0, width, height, maskDC.Get(), 0, 0, kSourceAndNotMask);
    return mask;
}

}  // namespace

CButtonImage::Loaded CButtonImage::LoadIconResource(int id) {
    *this = CButtonImage();
    CIconHandle icon(
        static_cast<HICON>(LoadImageA(ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)));
    int width = 0;
    int height = 0;
    if (!IconSize(icon.Get(), &width, &height)) return Loaded::kNoInfo;
    icon_ = std::move(icon);
    width_ = width;
    height_ = height;
    return Loaded::kOk;
}

CButtonImage::Loaded CButtonImage::LoadBitmapResource(int id, COLORREF key) {
    *this = CButtonImage();
    CBitmapHandle bitmap(
        static_cast<HBITMAP>(LoadImageA(ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap.Get(), sizeof info, &info)) return Loaded::kNoInfo;
    CBitmapHandle mask = MakeMask(bitmap.Get(), info.bmWidth, info.bmHeight, key);
    if (!mask) return Loaded::kNoMask;
    bitmap_ = std::move(bitmap);
    mask_ = std::move(mask);
    width_ = info.bmWidth;
    height_ = info.bmHeight;
    return Loaded::kOk;
}

void CButtonImage::Draw(HDC dc, int x, int y, bool disabled) const {
    const UINT look = disabled ? DSS_DISABLED : DSS_NORMAL;
    if (icon_) {
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon_.Get()), 0, x, y, width_, height_,
                   DST_ICON | look);
        return;
    }
    if (!bitmap_) return;
    if (!disabled) {
        DrawMasked(dc, x, y);
        return;
    }
    // Greyed: the masked image on white, through the system's disabled look.
    CBitmapHandle composed(CreateCompatibleBitmap(dc, width_, height_));
    if (!composed) return;
    {
        CMemoryDC target(dc);
        CSelection selection(target.Get(), composed.Get());
        PatBlt(target.Get(), 0, 0, width_, height_, WHITENESS);
        DrawMasked(target.Get(), 0, 0);
    }
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(composed.Get()), 0, x, y, width_, height_,
               DST_BITMAP | look);
}

// The mask with AND, then the image with OR. From monochrome to colour, set
// mask bits become the DC's background colour and clear ones its text colour.
void CButtonImage::DrawMasked(HDC dc, int x, int y) const {
    CMemoryDC source(dc);
    if (!source) return;
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    {
        CSelection mask(source.Get(), mask_.Get());
        BitBlt(dc, x, y, width_, height_, source.Get(), 0, 0, SRCAND);
    }
    {
        CSelection bitmap(source.Get(), bitmap_.Get());
        BitBlt(dc, x, y, width_, height_, source.Get(), 0, 0, SRCPAINT);
    }
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}
