#include "control_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "controls/skin_paint.h"
#include "framework/gdi.h"
#include "skin/skin.h"

namespace {

// The controls copy the skin's style records when they are made, so the
// (built-in) skin is loaded before any test, as the program does at start.
class SkinEnvironment : public ::testing::Environment {
    void SetUp() override { LoadSkin(); }
};
const ::testing::Environment* const skinEnvironment = ::testing::AddGlobalTestEnvironment(new SkinEnvironment);

COLORREF FromDib(uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

RECT ClientOf(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return client;
}

}  // namespace

COLORREF Pixels::At(int x, int y) const { return FromDib(data[static_cast<size_t>(y) * width + x]); }

std::pair<int, int> InkOf(const Pixels& pixels, COLORREF ink, RECT part, const Pixels* under) {
    if (IsRectEmpty(&part)) part = {0, 0, pixels.width, pixels.height};
    int left = part.right, right = 0, count = 0;
    for (int y = part.top; y < part.bottom; ++y) {
        for (int x = part.left; x < part.right; ++x) {
            if (pixels.At(x, y) != ink || (under && under->At(x, y) == ink)) continue;
            left = std::min(left, x);
            right = std::max(right, x + 1);
            ++count;
        }
    }
    return {std::max(0, right - left), count};
}

std::pair<int, int> WideTextInk(HFONT font, const std::wstring& text, COLORREF ink) {
    SIZE size = {};
    {
        CMemoryDC measure(nullptr);
        CSelection selection(measure.Get(), font);
        GetTextExtentPoint32W(measure.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    }
    const Pixels drawn = DrawnPixels(size.cx + 4, size.cy + 4, [&](HDC dc) {
        CSelection selection(dc, font);
        FillSolid(dc, {0, 0, size.cx + 4, size.cy + 4}, ink ^ 0xFFFFFF);
        SetTextColor(dc, ink);
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, 2, 2, text.c_str(), static_cast<int>(text.size()));
    });
    return InkOf(drawn, ink);
}

Pixels PrintClient(HWND window) {
    const RECT client = ClientOf(window);
    return DrawnPixels(client.right, client.bottom, [window](HDC dc) {
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
}

Pixels DrawnPixels(int width, int height, const std::function<void(HDC)>& draw) {
    CMemoryDC dc(nullptr);
    BITMAPINFO info = {};  // top-down, 32 bits a pixel
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    CBitmapHandle bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        CSelection selection(dc.Get(), bitmap.Get());
        draw(dc.Get());
    }
    GdiFlush();
    Pixels pixels{width, height, {}};
    const auto* begin = static_cast<const uint32_t*>(bits);
    if (begin) pixels.data.assign(begin, begin + static_cast<size_t>(width) * height);
    for (uint32_t& pixel : pixels.data) pixel &= 0x00FFFFFF;
    return pixels;
}

Pixels ScreenPixels(HWND window) {
    UpdateWindow(GetAncestor(window, GA_ROOT));
    const RECT client = ClientOf(window);
    return DrawnPixels(client.right, client.bottom, [window, client](HDC dc) {
        CClientDC screen(window);
        BitBlt(dc, 0, 0, client.right, client.bottom, screen.Get(), 0, 0, SRCCOPY);
    });
}

void Click(HWND window, int x, int y) {
    const HWND dialog = GetAncestor(window, GA_ROOT);
    const LPARAM at = MAKELPARAM(x, y);
    PostAndHandle(dialog, {Msg(window, WM_LBUTTONDOWN, MK_LBUTTON, at), Msg(window, WM_LBUTTONUP, 0, at)});
    PostAndHandle(dialog, {});
}
