#include "controls/skin_group_box.h"

#include "controls/skin_text.h"
#include "controls/wide_text.h"

namespace {

constexpr COLORREF kFrameColor = RGB(230, 230, 230);
constexpr int kFrameWidth = 2;
constexpr int kCaptionX = 11;
constexpr int kCaptionY = 1;
// The frame stops this far left of the caption and resumes this far right of it.
constexpr int kCaptionGapLeft = 8;
constexpr int kCaptionGapRight = 12;

}  // namespace

LRESULT CSkinGroupBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            // Readers get the caption the box shows, though the system's own text stays empty.
            return AnswerTextRequest(Handle(), message, wParam, lParam, caption_);
    }
    return DefWindowProc(message, wParam, lParam);
}

void CSkinGroupBox::PreSubclassWindow() {
    // The window's own text: asking with WM_GETTEXT would get the caption, not yet taken.
    wchar_t caption[kMaxCaption + 1] = {};
    InternalGetWindowText(Handle(), caption, kMaxCaption + 1);
    caption_ = ToUtf8(caption);
    SetWindowTextA(Handle(), "");
}

void CSkinGroupBox::OnPaint() {
    CPaintDC paint(Handle());
    const HDC dc = paint.Get();
    RECT client = {};
    GetClientRect(Handle(), &client);
    CFontHandle font = MakeSkinTextFont();
    CPenHandle pen(CreatePen(PS_SOLID, kFrameWidth, kFrameColor));
    CSavedDC saved(dc);
    SelectObject(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SIZE caption = {0, metrics.tmHeight};
    if (!caption_.empty()) {
        caption = Utf8Extent(dc, caption_);
        TextOutUtf8(dc, kCaptionX, kCaptionY, caption_);
        ExcludeClipRect(dc, kCaptionGapLeft, 0, caption.cx + kCaptionGapRight, caption.cy);
    }
    SelectObject(dc, pen.Get());
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 1, caption.cy / 2, client.right - 1, client.bottom - 1);
}
