#include "controls/fade_picture.h"

#include <utility>

#include "framework/application.h"

namespace {

constexpr int kAlphaStep = 5;

// Blends the bitmap over the window's current pixels with a rising constant
// alpha, 0 to 255, pausing between steps. False when told to stop; a window
// without a DC skips the steps and goes straight to the finished picture.
bool FadeIn(const CWorkerThread::StopSignal& stop, HWND window, HBITMAP bitmap, int width, int height,
            DWORD stepDelay) {
    CClientDC screen(window);
    CMemoryDC source(screen.Get());
    if (!screen || !source) return true;
    CSelection selection(source.Get(), bitmap);
    for (int alpha = 0; alpha <= 255; alpha += kAlphaStep) {
        const BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
        AlphaBlend(screen.Get(), 0, 0, width, height, source.Get(), 0, 0, width, height, blend);
        if (stop.WaitFor(stepDelay)) return false;
    }
    return true;
}

}  // namespace

CFadePicture::~CFadePicture() { worker_.Stop(); }

bool CFadePicture::StartFade(int bitmapId, DWORD stepDelayMs) {
    CBitmapHandle bitmap(static_cast<HBITMAP>(
        LoadImageA(ResourceModule(), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap.Get(), sizeof info, &info) || !Handle()) return false;

    worker_.Stop();
    bitmap_ = std::move(bitmap);
    finished_ = false;
    // Sized here, on the window's own thread, before the worker draws.
    SetWindowPos(Handle(), nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const HWND window = Handle();
    const HBITMAP shared = bitmap_.Get();
    const int width = info.bmWidth;
    const int height = info.bmHeight;
    return worker_.Start([this, window, shared, width, height, stepDelayMs](const CWorkerThread::StopSignal& stop) {
        if (!FadeIn(stop, window, shared, width, height, stepDelayMs)) return;
        // The DCs are released by now, so painting may select the bitmap.
        finished_ = true;
        InvalidateRect(window, nullptr, FALSE);
    });
}

LRESULT CFadePicture::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_DESTROY:
            worker_.Stop();
            break;
    }
    return DefWindowProc(message, wParam, lParam);
}

void CFadePicture::OnPaint() {
    CPaintDC paint(Handle());
    if (!finished_ || !bitmap_) return;
    BITMAP info = {};
    GetObjectA(bitmap_.Get(), sizeof info, &info);
    CMemoryDC source(paint.Get());
    CSelection selection(source.Get(), bitmap_.Get());
    BitBlt(paint.Get(), 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
}
