#include "controls/range_slider.h"

#include <windowsx.h>

#include <stdexcept>

#include "framework/application.h"
#include "resource_ids.h"

namespace {

constexpr int kThumbWidth = 13;
constexpr int kThumbHeight = 17;
constexpr int kTrackTop = 3;
constexpr int kTrackHeight = 11;
constexpr int kRangeTop = 5;
constexpr int kRangeHeight = 7;

HBITMAP LoadProgramBitmap(int id) { return LoadBitmapA(ResourceModule(), MAKEINTRESOURCEA(id)); }

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

void StretchBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    const SIZE size = BitmapSize(bitmap);
    if (size.cx <= 0 || size.cy <= 0 || width <= 0 || height <= 0) return;
    CMemoryDC source(dc);
    CSelection selection(source.Get(), bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, x, y, width, height, source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
}

// Dialog templates create the slider by its class name, and the dialog then
// subclasses it; so the class itself only has the system's default procedure.
bool RegisterSliderClass() {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(ResourceModule(), CRangeSlider::kClassName, &windowClass)) return true;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = ResourceModule();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = CRangeSlider::kClassName;
    return RegisterClassExA(&windowClass) != 0;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace

CRangeSlider::CRangeSlider()
    : track_(LoadProgramBitmap(IDB_SLIDER_TRACK)),
      leftThumb_(LoadProgramBitmap(IDB_SLIDER_LEFT_THUMB)),
      rightThumb_(LoadProgramBitmap(IDB_SLIDER_RIGHT_THUMB)),
      rangeBar_(LoadProgramBitmap(IDB_SLIDER_RANGE)) {
    if (!RegisterSliderClass()) throw std::runtime_error("the window class MFCRangeSlider cannot be registered");
}

UINT CRangeSlider::RangeChangedMessage() {
    static const UINT message =
        RegisterWindowMessageA("RANGE_CHANGED{2E7439A4-12DB-42a2-BB95-3462B3EC39CE}CRangeSlider");
    return message;
}

void CRangeSlider::SetMinMax(double a, double b) {
    dragPart_ = kWholeRange;
    NotifyAll(::SetMinMax(scale_, a, b));
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void CRangeSlider::SetRange(double left, double right) {
    NotifyAll(::SetRange(scale_, left, right));
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT CRangeSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_SIZE:
            OnSize();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnLButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(GET_X_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp();
            return 0;
        case WM_CAPTURECHANGED:
            // A capture taken away ends the drag as a release would.
            if (dragging_ && reinterpret_cast<HWND>(lParam) != Handle()) OnLButtonUp();
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(wParam);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            const LRESULT result = DefWindowProc(message, wParam, lParam);
            InvalidateRect(Handle(), nullptr, FALSE);
            return result;
        }
    }
    return DefWindowProc(message, wParam, lParam);
}

void CRangeSlider::PreSubclassWindow() { OnSize(); }

void CRangeSlider::OnSize() {
    RECT client = {};
    GetClientRect(Handle(), &client);
    scale_.trackLength = TrackLengthFor(client.right);
}

void CRangeSlider::TakeSnapshot(HDC reference, int width, int height) {
    background_.Reset(CreateCompatibleBitmap(reference, width, height));
    const HWND parent = GetParent(Handle());
    CMemoryDC dc(reference);
    CSelection selection(dc.Get(), background_.Get());
    POINT corner = {0, 0};
    MapWindowPoints(Handle(), parent, &corner, 1);
    CClientDC parentDC(parent);
    BitBlt(dc.Get(), 0, 0, width, height, parentDC.Get(), corner.x, corner.y, SRCCOPY);
}

void CRangeSlider::OnPaint() {
    CBufferedPaint paint(Handle());
    const int width = paint.Width();
    const int height = paint.Height();
    if (!background_) TakeSnapshot(paint.Screen(), width, height);
    if (!paint) return;
    const HDC dc = paint.Get();
    {
        CMemoryDC source(dc);
        CSelection selection(source.Get(), background_.Get());
        BitBlt(dc, 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
    }
    scale_.thumbWidth = kThumbWidth;
    scale_.trackLength = TrackLengthFor(width);
    StretchBitmap(dc, track_.Get(), 0, kTrackTop, width, kTrackHeight);
    const ThumbPixels thumbs = ThumbsAt(scale_);
    StretchBitmap(dc, leftThumb_.Get(), thumbs.left, 0, kThumbWidth, kThumbHeight);
    leftThumbRect_ = {thumbs.left, 0, thumbs.left + kThumbWidth, height};
    StretchBitmap(dc, rightThumb_.Get(), thumbs.right + kThumbWidth, 0, kThumbWidth, kThumbHeight);
    rightThumbRect_ = {thumbs.right + kThumbWidth, 0, thumbs.right + 2 * kThumbWidth, height};
    StretchBitmap(dc, rangeBar_.Get(), kThumbWidth + thumbs.left - 1, kRangeTop, thumbs.right - thumbs.left + 2,
                  kRangeHeight);
    paint.Present();
}

void CRangeSlider::OnLButtonDown(int x, int y) {
    SetFocus(Handle());
    InvalidateRect(Handle(), nullptr, FALSE);
    if (dragging_) return;
    RECT client = {};
    GetClientRect(Handle(), &client);
    const RECT middle = {leftThumbRect_.right + 1, 0, rightThumbRect_.left - 1, client.bottom};
    const POINT point = {x, y};
    const RECT* hit = nullptr;
    if (PtInRect(&leftThumbRect_, point)) {
        dragPart_ = kLeftThumb;
        hit = &leftThumbRect_;
    } else if (PtInRect(&rightThumbRect_, point)) {
        dragPart_ = kRightThumb;
        hit = &rightThumbRect_;
    } else if (PtInRect(&middle, point)) {
        dragPart_ = kWholeRange;
        hit = &middle;
    }
    if (!hit) return;
    const POINT centre = Centre(*hit);
    dragOffset_ = {x - centre.x, y - centre.y};
    dragging_ = true;
    SetCapture(Handle());
}

void CRangeSlider::OnMouseMove(int x) {
    if (!dragging_) return;
    Notify(DragTo(scale_, dragPart_, x - dragOffset_.x), false);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CRangeSlider::OnLButtonUp() {
    if (!dragging_) return;
    dragging_ = false;
    Notify(dragPart_, true);
    if (GetCapture() == Handle()) ReleaseCapture();
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CRangeSlider::OnKeyDown(WPARAM key) {
    if ((key != VK_LEFT && key != VK_RIGHT) || GetKeyState(VK_CONTROL) < 0) return;
    const int part = ArrowKey(scale_, dragPart_, key == VK_RIGHT, GetKeyState(VK_SHIFT) < 0);
    if (part < 0) return;
    Notify(part, false);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CRangeSlider::Notify(int part, bool dragEnded) {
    if (!Handle()) return;
    SendMessageA(GetParent(Handle()), RangeChangedMessage(), static_cast<WPARAM>(part), dragEnded ? 1 : 0);
}

void CRangeSlider::NotifyAll(const std::vector<int>& parts) {
    for (int part : parts) Notify(part, false);
}
