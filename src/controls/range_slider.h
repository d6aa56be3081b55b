#pragma once

#include <windows.h>

#include "controls/slider_scale.h"
#include "framework/gdi.h"
#include "framework/window.h"

// The trim slider under the preview: two thumbs on a horizontal track that
// select a range of a scale, painted from the program's bitmaps 198 to 201
// over a snapshot of the parent taken at the first paint.
//
// The dialog template creates the control with the window class
// "MFCRangeSlider" (registered when the first CRangeSlider is constructed);
// the dialog then attaches it with SubclassDlgItem(). Every change is sent to
// the parent as RangeChangedMessage() with wParam the part that moved (0 left,
// 1 right, 2 the range) and lParam 1 when a drag has just ended, else 0; the
// parent reads Left() and Right() there.
class CRangeSlider : public CWindow {
public:
    static constexpr const char* kClassName = "MFCRangeSlider";

    // Registers the window class (with the system's default procedure) when
    // it is not known yet; throws
    // std::runtime_error when that fails.
    CRangeSlider();

    static UINT RangeChangedMessage();

    void SetMinMax(double a, double b);
    void SetRange(double left, double right);
    double Left() const { return scale_.left; }
    double Right() const { return scale_.right; }
    double Min() const { return scale_.min; }
    double Max() const { return scale_.max; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

private:
    void OnPaint();
    void OnSize();
    void OnLButtonDown(int x, int y);
    void OnMouseMove(int x);
    void OnLButtonUp();
    void OnKeyDown(WPARAM key);
    void Notify(int part, bool dragEnded);
    void NotifyAll(const std::vector<int>& parts);
    void TakeSnapshot(HDC reference, int width, int height);

    SliderScale scale_;
    bool dragging_ = false;
    // The part last grabbed, which the arrow keys move too; the whole range
    // until a part is grabbed on the present scale.
    int dragPart_ = kWholeRange;
    POINT dragOffset_ = {};
    RECT leftThumbRect_ = {};
    RECT rightThumbRect_ = {};
    CBitmapHandle background_;
    CBitmapHandle track_;
    CBitmapHandle leftThumb_;
    CBitmapHandle rightThumb_;
    CBitmapHandle rangeBar_;
};
