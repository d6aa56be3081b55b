#pragma once

#include <windows.h>

#include "controls/skin_button.h"

// Sent to the parent when the user picks another segment: wParam the bar's
// window, lParam 0.
constexpr UINT WM_TABBAR_SELCHANGE = 0x0BC0;

// A bar of equal segments showing one full-width bitmap per segment, such as
// the device tab bar: a click picks the segment under the mouse. It never
// reports clicks as a button does; only a change of segment is reported.
class CSegmentBar : public CSkinButton {
public:
    static constexpr int kMaxSegments = 256;

    // Stores the bitmap of segment index and counts one more segment.
    void AddSegment(int index, int bitmapId);
    // Shows segment index; an index without a segment is ignored.
    void SelectSegment(int index);
    // -1 until a segment is selected.
    int GetSelectedSegment() const { return current_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

private:
    void OnLButtonDown(LPARAM lParam);

    int current_ = -1;
    int count_ = 0;
    int bitmapIds_[kMaxSegments] = {};
};
