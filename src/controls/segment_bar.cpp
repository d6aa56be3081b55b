#include "controls/segment_bar.h"

#include <windowsx.h>

#include "controls/segment_hit.h"

namespace {

constexpr COLORREF kSegmentKey = RGB(0, 255, 0);

}  // namespace

void CSegmentBar::AddSegment(int index, int bitmapId) {
    if (index < 0 || index >= kMaxSegments || count_ >= kMaxSegments) return;
    ++count_;
    bitmapIds_[index] = bitmapId;
}

void CSegmentBar::SelectSegment(int index) {
    if (index < 0 || index > count_ - 1) return;
    current_ = index;
    SetBitmaps(bitmapIds_[index], kSegmentKey, bitmapIds_[index], kSegmentKey);
}

LRESULT CSegmentBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            OnLButtonDown(lParam);
            return 0;
    }
    return CSkinButton::WindowProc(message, wParam, lParam);
}

void CSegmentBar::PreSubclassWindow() {
    CSkinButton::PreSubclassWindow();
    SetDrawBorder(false);
    SetTransparent(true);
}

// The button's own handling is skipped, so the bar never reports a click.
void CSegmentBar::OnLButtonDown(LPARAM lParam) {
    RECT bar = {};
    GetWindowRect(Handle(), &bar);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&bar), 2);
    const int segment = SegmentAt(GET_X_LPARAM(lParam), bar.left, bar.right - bar.left, count_);
    if (segment < 0 || segment == current_) return;
    SelectSegment(segment);
    SendMessageA(GetParent(Handle()), WM_TABBAR_SELCHANGE, reinterpret_cast<WPARAM>(Handle()), 0);
}
