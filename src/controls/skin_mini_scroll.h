#pragma once

#include <windows.h>

#include "framework/window.h"
#include "skin/skin.h"

// Sent to the parent whenever the user moves the mini bar: wParam the new
// position, lParam the bar's window.
constexpr UINT WM_MINISCROLL_CHANGED = WM_USER + 255;

// The small skinned scroll bar of the combo's drop window and of the list
// box. Positions are hundredths of an item: a range of count x 100 and a page
// of visible count x 100. It paints, drags and pages itself.
class CSkinMiniScroll : public CWindow {
public:
    void Configure(COLORREF light, COLORREF dark, const SkinElement& track) {
        light_ = light;
        dark_ = dark;
        track_ = track;
    }
    // Creates the bar as an owner-drawn button child of parent.
    bool CreateIn(HWND parent, const RECT& rect, int range, int page);
    // Range and page; the position is kept within them.
    void SetScale(int range, int page);
    // Moves the thumb without telling the parent.
    void SetPosition(int position);
    int Position() const { return position_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void OnLButtonDown(int y);
    void OnMouseMove();
    void OnLButtonUp();
    void OnKeyDown(WPARAM key, LPARAM lParam);
    void MoveBy(int delta);
    int ClientHeight() const;

    COLORREF light_ = RGB(255, 255, 255);
    COLORREF dark_ = RGB(0, 0, 0);
    SkinElement track_;
    int position_ = 0;
    int range_ = 10;
    int page_ = 10;
    bool dragging_ = false;
    POINT lastDrag_ = {};
};
