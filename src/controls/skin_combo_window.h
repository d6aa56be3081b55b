#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "controls/drop_placement.h"
#include "controls/skin_mini_scroll.h"
#include "framework/window.h"
#include "skin/skin.h"

class CSkinComboBox;

// The list of a skinned combo box: a rounded, shadowed popup of the window
// class "SkComboWindowClass" that fades in where the system has layered
// windows, shows the combo's items over skin bitmaps and scrolls with a mini
// bar. It is created at each opening and destroyed at each closing; the
// combo's keys reach it through the combo, which keeps the focus.
class CSkinComboWindow : public CWindow {
public:
    static constexpr const char* kClassName = "SkComboWindowClass";

    // Opens the popup at screen rectangle place for the owner's items.
    bool Open(CSkinComboBox& owner, const ComboStyle& style, HFONT font, std::vector<std::string> texts,
              const DropLayout& layout, const RECT& place);
    void Close();
    bool Shown() const { return Handle() != nullptr; }
    // True once the popup shows fully (at once where nothing fades).
    bool FadedIn() const { return !style_.setLayeredWindowAttributes || alpha_ >= 255; }

    // Enter, Escape, Up and Down while shown; other keys are ignored.
    void OnKey(WPARAM key);

    int Highlighted() const { return highlighted_; }
    int ScrollOffset() const { return scrollOffset_; }
    bool HasScrollBar() const { return layout_.hasScrollBar; }
    HWND ScrollBarHandle() const { return scrollBar_.Handle(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static bool RegisterClassOnce();
    void OnPaint();
    void PaintItems(HDC dc, int width, int height);
    void OnMouseMove(int x, int y);
    void OnButton(int x, int y);
    void OnFadeTick();
    void InvalidateItem(int index);
    void Highlight(int index);

    CSkinComboBox* owner_ = nullptr;
    ComboStyle style_;
    HFONT font_ = nullptr;
    std::vector<std::string> texts_;
    DropLayout layout_;
    int highlighted_ = -1;
    int ignoreMoves_ = 0;
    int alpha_ = 0;
    int scrollOffset_ = 0;
    CSkinMiniScroll scrollBar_;
};
