#pragma once

#include <windows.h>

#include <string>

#include "controls/button_image.h"
#include "framework/gdi.h"
#include "framework/window.h"

// Every push button and check box of the skinned windows. It shows an icon or a
// bitmap that changes while the mouse is over it or it is pressed, draws its
// caption embossed in bold "Tahoma", can show the parent's background under
// itself so it sits on the skin artwork, shows a tooltip, and in check mode is
// a toggle that stays pressed while checked.
//
// Attach it to a dialog's button with SubclassDlgItem(); it makes the button
// owner-drawn and paints it when the parent reflects WM_DRAWITEM.
class CSkinButton : public CWindow {
public:
    // Colour slots: background and text while hovered or pressed, when idle,
    // and when focused.
    enum ColorSlot {
        kActiveBackground = 0,
        kActiveText = 1,
        kIdleBackground = 2,
        kIdleText = 3,
        kFocusBackground = 4,
        kFocusText = 5,
    };

    // Results of the setters.
    enum SetResult { kOk = 0, kNoImageInfo = 1, kNoMask = 2, kBadSlot = 3, kBadAlignment = 4 };

    CSkinButton();
    ~CSkinButton() override;

    // Icons from the program's group-icon resources at their own size; the
    // idle icon is optional (0). Replaces any bitmaps.
    int SetIcons(int hoverId, int idleId);
    // Bitmaps from the program's resources, each drawn without the pixels of
    // its key colour; the idle bitmap is optional (0). Replaces any icons.
    int SetBitmaps(int hoverId, COLORREF hoverKey, int idleId, COLORREF idleKey);
    // 0 image left of the caption, 1 above it, 2 right of it, 3 under it.
    int SetAlignment(int alignment, bool repaint = true);
    int SetStateColor(int slot, COLORREF color, bool repaint = true);
    int SetDefaultColors(bool repaint = true);
    int SetDrawBorder(bool draw, bool repaint = true);
    // Shows the parent's background under the button from the next paint on.
    void SetTransparent(bool repaint = true);
    // A null text does nothing.
    void SetTooltipText(const char* text, bool activate = true);
    // Only check boxes have a check state.
    void SetCheck(bool checked, bool repaint = true);
    bool GetCheck() const { return checked_; }

    // Hands mouse messages to the tooltip and turns a double click into a
    // button-down, so fast clicks each count.
    bool PreTranslateMessage(MSG* message) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

    void Repaint();

private:
    struct PaintState {
        bool pressed = false;
        bool focused = false;
        bool disabled = false;
    };

    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnEnable(bool enabled);
    void OnClicked();
    void OnSysColorChange();
    void OnDestroy();
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);

    void EndHover();
    void ClearImages();
    void EnsureTooltip();
    void CacheParentBackground(HDC reference, int width, int height);

    void DrawBackground(HDC dc, const RECT& item, const PaintState& state);
    void DrawBorder(HDC dc, const RECT& item, const PaintState& state);
    void DrawCaption(HDC dc, const std::wstring& text, const RECT& textRect, const PaintState& state);
    // The hover image while active (pressed, or hovered unless a check box)
    // or when there is no idle image.
    const CButtonImage& ImageFor(const PaintState& state) const;

    bool mouseOver_ = false;
    bool transparent_ = false;
    bool defaultButton_ = false;
    bool checkMode_ = false;
    bool checked_ = false;
    int alignment_ = 0;
    bool drawBorder_ = true;
    COLORREF colors_[6] = {};
    HWND tooltip_ = nullptr;
    CBitmapHandle backgroundCache_;
    CButtonImage hoverImage_;
    CButtonImage idleImage_;
};
