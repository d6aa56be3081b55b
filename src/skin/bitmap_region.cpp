#include <windows.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "framework/gdi.h"
#include "skin/region_walk.h"
#include "skin/skin.h"

namespace {

// Very large rectangle lists make region creation fail on older systems.
const std::size_t kRectanglesPerRegion = 2000;

// A region of one batch of runs, with its bounding box.
HRGN RegionOfRuns(const PixelRun* runs, std::size_t count) {
    std::vector<unsigned char> block(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(block.data());
    RECT bounds = {INT_MAX, INT_MAX, 0, 0};
    auto* rectangles = reinterpret_cast<RECT*>(data->Buffer);
    for (std::size_t i = 0; i < count; ++i) {
        rectangles[i] = {runs[i].left, runs[i].top, runs[i].right, runs[i].bottom};
        bounds.left = std::min<LONG>(bounds.left, runs[i].left);
        bounds.top = std::min<LONG>(bounds.top, runs[i].top);
        bounds.right = std::max<LONG>(bounds.right, runs[i].right);
        bounds.bottom = std::max<LONG>(bounds.bottom, runs[i].bottom);
    }
    if (count == 0) bounds = {0, 0, 0, 0};
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(count);
    data->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    data->rdh.rcBound = bounds;
    return ExtCreateRegion(nullptr, static_cast<DWORD>(block.size()), data);
}

}  // namespace

HRGN BitmapToRegion(HBITMAP bitmap, COLORREF keyColor, COLORREF tolerance) {
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) {
        return nullptr;
    }
    const int width = info.bmWidth;
    const int height = info.bmHeight;

    // A 32-bit copy whose rows run from the top of the image down (negative height).
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    std::vector<std::uint8_t> pixels(stride * static_cast<std::size_t>(height));
    {
        CClientDC screen(nullptr);
        if (!screen || GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &format,
                                 DIB_RGB_COLORS) != height) {
            return nullptr;
        }
    }

    const std::vector<PixelRun> runs = OpaqueRuns(pixels.data(), width, height, stride, keyColor, tolerance);
    CRegionHandle result(RegionOfRuns(runs.data(), std::min(runs.size(), kRectanglesPerRegion)));
    for (std::size_t first = kRectanglesPerRegion; result && first < runs.size(); first += kRectanglesPerRegion) {
        CRegionHandle batch(RegionOfRuns(runs.data() + first, std::min(runs.size() - first, kRectanglesPerRegion)));
        if (!batch || CombineRgn(result.Get(), result.Get(), batch.Get(), RGN_OR) == ERROR) return nullptr;
    }
    return result.Release();
}
