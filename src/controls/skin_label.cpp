#include "controls/skin_label.h"

#include <climits>

#include "controls/skin_text.h"
#include "controls/wide_text.h"

namespace {

// The parent's area repainted under a label grows by this much on each side.
constexpr int kRepaintMargin = 3;

// The text of a WM_SETTEXT in UTF-8: a subclassed control is a Unicode
// window, so the system hands it wide text (set it with SetWindowTextW).
std::string SetTextArgument(HWND hwnd, LPARAM lParam) {
    if (!lParam) return {};
    if (!IsWindowUnicode(hwnd)) return reinterpret_cast<const char*>(lParam);
    return ToUtf8(reinterpret_cast<const wchar_t*>(lParam));
}

// The control's own text follows the label's, for screen readers and other
// programs; stored by the system's plain handling, because the static
// control's own would paint its text at once in the system's look.
LRESULT StoreWindowText(HWND hwnd, LPARAM lParam) {
    return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, WM_SETTEXT, 0, lParam)
                                 : DefWindowProcA(hwnd, WM_SETTEXT, 0, lParam);
}

}  // namespace

LRESULT CSkinLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT:
            OnSetText(lParam);
            return StoreWindowText(Handle(), lParam);
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_ENABLE: {
            // The disabled look adds a shadow that only the parent can wipe out again.
            const LRESULT result = DefWindowProc(message, wParam, lParam);
            RepaintParentUnder();
            return result;
        }
    }
    return DefWindowProc(message, wParam, lParam);
}

void CSkinLabel::PreSubclassWindow() {
    style_ = static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE));
    text_.Set(WindowTextOf(Handle()).c_str());
}

void CSkinLabel::OnSetText(LPARAM lParam) {
    text_.Set(SetTextArgument(Handle(), lParam).c_str());
    RepaintParentUnder();
}

void CSkinLabel::RepaintParentUnder() {
    const HWND parent = GetParent(Handle());
    RECT area = {};
    GetWindowRect(Handle(), &area);
    if (!parent) {
        InvalidateRect(Handle(), nullptr, TRUE);
        return;
    }
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    InflateRect(&area, kRepaintMargin, kRepaintMargin);
    // With the children there, so the label paints again over the fresh background.
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CSkinLabel::OnPaint() {
    CPaintDC paint(Handle());
    const HDC dc = paint.Get();
    RECT client = {};
    GetClientRect(Handle(), &client);
    CFontHandle font = MakeSkinTextFont();
    CSavedDC saved(dc);
    IntersectClipRect(dc, 1, 1, client.right, client.bottom);
    SelectObject(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    const bool disabled = !IsWindowEnabled(Handle());
    int y = 0;
    // In a label with room for more than one line, a line wider than the
    // label goes on over as many lines as it needs.
    const auto width = [dc](const std::string& text) { return Utf8Extent(dc, text).cx; };
    const int lineHeight = metrics.tmHeight + 1;
    const int wrapWidth = client.bottom >= 2 * lineHeight ? client.right - 2 : INT_MAX;
    for (int index = 0; index < text_.LineCount(); ++index) {
        for (const std::string& piece : WrapLine(text_.Line(index), wrapWidth, width)) {
            const int x = LabelLineX(style_, client.right, width(piece));
            if (disabled) TextOutUtf8(dc, x + 1, y + 1, piece);
            TextOutUtf8(dc, x, y, piece);
            y += lineHeight;
        }
    }
}
