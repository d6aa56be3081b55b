#pragma once

#include <windows.h>

// Borderless windows (the main window, the message box) are dragged by any
// point that no child covers: their non-client hit test answers this for
// every point.
inline LRESULT DragWindowHitTest() { return HTCAPTION; }
