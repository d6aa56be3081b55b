#include "controls/skin_combo_window.h"

#include <windowsx.h>

#include "controls/item_column.h"
#include "controls/skin_combo_box.h"
#include "controls/skin_paint.h"
#include "controls/wide_text.h"
#include "framework/gdi.h"

namespace {

constexpr UINT_PTR kFadeTimer = 1;
constexpr UINT kFadeDelay = 20;
constexpr int kFadeStep = 20;
constexpr int kMaxAlpha = 255;
constexpr int kIgnoredMoves = 3;
#ifndef CS_DROPSHADOW
constexpr UINT CS_DROPSHADOW = 0x00020000;
#endif

}  // namespace

bool CSkinComboWindow::RegisterClassOnce() {
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    const HBRUSH brush = GetSysColorBrush(COLOR_WINDOW);
    // Systems without drop shadows refuse the class with the shadow style.
    return RegisterWindowClass(kClassName, CS_DBLCLKS | CS_SAVEBITS | CS_DROPSHADOW, arrow, brush) ||
           RegisterWindowClass(kClassName, CS_DBLCLKS | CS_SAVEBITS, arrow, brush);
}

bool CSkinComboWindow::Open(CSkinComboBox& owner, const ComboStyle& style, HFONT font, std::vector<std::string> texts,
                            const DropLayout& layout, const RECT& place) {
    Close();
    if (!RegisterClassOnce()) return false;
    owner_ = &owner;
    style_ = style;
    font_ = font;
    texts_ = std::move(texts);
    layout_ = layout;
    highlighted_ = -1;
    scrollOffset_ = 0;
    ignoreMoves_ = kIgnoredMoves;
    const bool layered = style_.setLayeredWindowAttributes != nullptr;
    const DWORD exStyle = WS_EX_TOOLWINDOW | (layered ? WS_EX_LAYERED : 0);
    if (!Create(kClassName, "", WS_POPUP | WS_CLIPCHILDREN, exStyle, place, owner.Handle(), 0)) return false;
    if (layered) {
        alpha_ = 0;
        style_.setLayeredWindowAttributes(Handle(), 0, 0, LWA_ALPHA);
        SetTimer(Handle(), kFadeTimer, kFadeDelay, nullptr);
    }
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    if (layout_.hasScrollBar) {
        scrollBar_.Configure(RGB(255, 255, 255), RGB(0, 0, 0), style_.itemArea);
        const int count = static_cast<int>(texts_.size());
        scrollBar_.CreateIn(Handle(), {width - 13, 3, width - 3, height - 3}, count * 100,
                            layout_.column.visibleCount * 100);
    }
    SetWindowRgn(Handle(), CreateRoundRectRgn(0, 0, width + 1, height + 1, 5, 5), FALSE);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    return true;
}

void CSkinComboWindow::Close() {
    if (Handle()) DestroyWindow(Handle());
    highlighted_ = -1;
}

LRESULT CSkinComboWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_MOUSEACTIVATE:
            // The combo keeps the focus, and with it the keys.
            return MA_NOACTIVATE;
        case WM_MOUSEMOVE:
            OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            OnButton(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == kFadeTimer) OnFadeTick();
            return 0;
        case WM_MINISCROLL_CHANGED:
            scrollOffset_ = OffsetForPosition(static_cast<int>(wParam), layout_.column.itemHeight);
            InvalidateRect(Handle(), nullptr, FALSE);
            return 0;
        case WM_DESTROY:
            KillTimer(Handle(), kFadeTimer);
            break;
    }
    return DefWindowProc(message, wParam, lParam);
}

void CSkinComboWindow::OnFadeTick() {
    alpha_ += kFadeStep;
    if (alpha_ > kMaxAlpha) {
        alpha_ = kMaxAlpha;
        KillTimer(Handle(), kFadeTimer);
    }
    if (style_.setLayeredWindowAttributes) {
        style_.setLayeredWindowAttributes(Handle(), 0, static_cast<BYTE>(alpha_), LWA_ALPHA);
    }
}

void CSkinComboWindow::InvalidateItem(int index) {
    if (index < 0 || index >= static_cast<int>(layout_.column.items.size())) return;
    const LayoutRect& r = layout_.column.items[static_cast<size_t>(index)];
    const RECT rect = {r.left, r.top - scrollOffset_, r.right + 1, r.bottom - scrollOffset_ + 1};
    InvalidateRect(Handle(), &rect, FALSE);
}

void CSkinComboWindow::Highlight(int index) {
    if (index == highlighted_) return;
    InvalidateItem(highlighted_);
    highlighted_ = index;
    InvalidateItem(highlighted_);
}

void CSkinComboWindow::OnMouseMove(int x, int y) {
    if (ignoreMoves_ > 0) {
        --ignoreMoves_;
        return;
    }
    const int hit = ItemAt(layout_.column.items, x, y, scrollOffset_, true);
    if (hit >= 0) Highlight(hit);
}

void CSkinComboWindow::OnButton(int x, int y) {
    const int hit = ItemAt(layout_.column.items, x, y, scrollOffset_, true);
    if (hit < 0 || !owner_) return;
    CSkinComboBox& owner = *owner_;
    owner.SelectAndNotify(hit);
    owner.CloseDropDown();
}

void CSkinComboWindow::OnKey(WPARAM key) {
    if (!Shown() || !owner_) return;
    CSkinComboBox& owner = *owner_;
    switch (key) {
        case VK_RETURN:
            if (highlighted_ >= 0) owner.SelectAndNotify(highlighted_);
            owner.CloseDropDown();
            return;
        case VK_ESCAPE:
            owner.CloseDropDown();
            return;
        case VK_UP:
        case VK_DOWN: {
            const int next = WrapStep(highlighted_, key == VK_DOWN ? 1 : -1, static_cast<int>(texts_.size()));
            if (next < 0) return;
            Highlight(next);
            ignoreMoves_ = kIgnoredMoves;
            const int itemHeight = layout_.column.itemHeight;
            const int offset = OffsetToShow(next, itemHeight, layout_.column.visibleCount, scrollOffset_);
            if (offset != scrollOffset_) {
                scrollOffset_ = offset;
                scrollBar_.SetPosition(PositionForOffset(offset, itemHeight));
                InvalidateRect(Handle(), nullptr, FALSE);
            }
            return;
        }
    }
}

void CSkinComboWindow::OnPaint() {
    CBufferedPaint paint(Handle());
    if (!paint) return;
    const HDC dc = paint.Get();
    const int width = paint.Width();
    const int height = paint.Height();
    DrawFramedPanel(dc, width, height, style_.dropBackground, style_.lightFrameColor, style_.darkFrameColor);
    PaintItems(dc, width, height);
    paint.Present();
}

void CSkinComboWindow::PaintItems(HDC dc, int width, int height) {
    const auto& items = layout_.column.items;
    if (items.empty()) return;
    const RECT column = {items[0].left, 3, items[0].right, height - 3};
    const int shift = style_.itemArea.Empty() ? 0 : -(scrollOffset_ % style_.itemArea.height);
    TileElement(dc, style_.itemArea, column, shift);
    Draw3dRect(dc, column, style_.darkFrameColor, style_.lightFrameColor);
    CSavedDC saved(dc);
    SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    IntersectClipRect(dc, 0, 4, width - 5 - (layout_.hasScrollBar ? 10 : 0), height - 4);
    for (size_t i = 0; i < items.size(); ++i) {
        const LayoutRect& r = items[i];
        const int top = r.top - scrollOffset_;
        const int bottom = r.bottom - scrollOffset_;
        if (bottom < 0 || top > height) continue;
        const std::string& text = texts_[i];
        if (static_cast<int>(i) == highlighted_) {
            const RECT place = {r.left, top + 1, r.right, bottom - 1};
            TileElement(dc, style_.dropBackground, place);
            Draw3dRect(dc, place, style_.darkFrameColor, style_.lightFrameColor);
            SetTextColor(dc, style_.hotItemTextColor);
            TextOutUtf8(dc, r.left + 3, top + 2, text);
        } else {
            SetTextColor(dc, style_.textColor);
            TextOutUtf8(dc, r.left + 2, top + 1, text);
        }
    }
}
