#include "control_test_support.h"

#include <gtest/gtest.h>

#include "framework/gdi.h"
#include "framework/message_loop.h"
#include "skin/skin.h"

namespace {

// The controls copy the skin's style records when they are made, so the
// (built-in) skin is loaded before any test, as the program does at start.
class SkinEnvironment : public ::testing::Environment {
    void SetUp() override { LoadSkin(); }
};
const ::testing::Environment* const skinEnvironment = ::testing::AddGlobalTestEnvironment(new SkinEnvironment);

constexpr UINT kMarker = WM_APP + 40;

COLORREF FromDib(uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

// A top-down 32-bit DIB section with its pixels reachable from here.
struct DibCanvas {
    CMemoryDC dc{nullptr};
    CBitmapHandle bitmap;
    void* bits = nullptr;
    int width = 0;
    int height = 0;

    DibCanvas(int canvasWidth, int canvasHeight) : width(canvasWidth), height(canvasHeight) {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap.Reset(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    }
};

RECT ClientOf(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return client;
}

}  // namespace

COLORREF Pixels::At(int x, int y) const { return FromDib(data[static_cast<size_t>(y) * width + x]); }

bool HasInk(const Pixels& pixels, COLORREF ink, int fromY, int toY) {
    for (int y = fromY < 0 ? 0 : fromY; y < toY && y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            if (pixels.At(x, y) == ink) return true;
        }
    }
    return false;
}

Pixels PrintClient(HWND window) {
    const RECT client = ClientOf(window);
    return DrawnPixels(client.right, client.bottom, [window](HDC dc) {
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
}

Pixels DrawnPixels(int width, int height, const std::function<void(HDC)>& draw) {
    DibCanvas canvas(width, height);
    {
        CSelection selection(canvas.dc.Get(), canvas.bitmap.Get());
        draw(canvas.dc.Get());
    }
    GdiFlush();
    Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    const auto* begin = static_cast<const uint32_t*>(canvas.bits);
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

COLORREF PatternAt(int x, int y) { return RGB((x * 5) & 0xFF, (y * 3) & 0xFF, 0x60); }

void PaintPattern(HWND window, HDC dc) {
    const RECT client = ClientOf(window);
    DibCanvas canvas(client.right, client.bottom);
    auto* bits = static_cast<uint32_t*>(canvas.bits);
    if (!bits) return;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            const COLORREF color = PatternAt(x, y);
            bits[static_cast<size_t>(y) * canvas.width + x] =
                (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        }
    }
    CSelection selection(canvas.dc.Get(), canvas.bitmap.Get());
    BitBlt(dc, 0, 0, canvas.width, canvas.height, canvas.dc.Get(), 0, 0, SRCCOPY);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            int quitCode = 0;
            if (!PumpMessage(quitCode)) return false;
            continue;
        }
        const DWORD waited = GetTickCount() - start;
        if (waited >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - waited, QS_ALLINPUT);
    }
    return true;
}

void PostAndHandle(HWND window, const std::vector<MSG>& messages) {
    for (const MSG& message : messages) PostMessageA(message.hwnd, message.message, message.wParam, message.lParam);
    // A marker posted behind them is next in the queue once they are all handled.
    PostMessageA(window, kMarker, 0, 0);
    MSG next = {};
    const auto waiting = [&next] { return PeekMessageA(&next, nullptr, 0, 0, PM_NOREMOVE) != FALSE; };
    int quitCode = 0;
    while (PumpUntil(waiting) && !(next.hwnd == window && next.message == kMarker)) PumpMessage(quitCode);
    PeekMessageA(&next, window, kMarker, kMarker, PM_REMOVE);
}
