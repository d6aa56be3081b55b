#pragma once

#include <windows.h>

#include "controls/scroll_geometry.h"
#include "framework/window.h"
#include "skin/skin.h"

// A skinned scroll bar that stands beside a list and drives the list's own
// scrolling: arrows that repeat while held (after 250 ms, every 50 ms), a
// thumb to drag, and paging by a click on the track. The bar is a static
// control of the list's parent; the list calls SyncFromList() whenever its
// scroll state may have changed.
class CSkinScrollBar : public CWindow {
public:
    // Creates the bar as a child of the list's parent, linked to the list.
    bool CreateFor(HWND list);
    // Recomputes the thumb from the list's scroll state; repaints when it moved.
    void SyncFromList();
    int ThumbOffset() const { return thumbOffset_; }

protected:
    enum class Axis { vertical, horizontal };
    explicit CSkinScrollBar(Axis axis);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ScrollBarMetrics Metrics() const;
    int Along(LPARAM lParam) const;
    void ScrollList(WORD code);
    void OnPaint();
    void OnLButtonDown(int at);
    void OnMouseMove(int at);
    void OnLButtonUp(int at);
    void OnTimer();
    void StopRepeating();

    Axis axis_;
    VScrollStyle vStyle_;
    HScrollStyle hStyle_;
    HWND list_ = nullptr;
    int thumbOffset_ = 0;
    int limit_ = 0;
    bool firstPressed_ = false;
    bool secondPressed_ = false;
    bool dragging_ = false;
    bool repeating_ = false;
};

class CSkinVScrollBar : public CSkinScrollBar {
public:
    CSkinVScrollBar() : CSkinScrollBar(Axis::vertical) {}
};

class CSkinHScrollBar : public CSkinScrollBar {
public:
    CSkinHScrollBar() : CSkinScrollBar(Axis::horizontal) {}
};
