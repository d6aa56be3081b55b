#pragma once

#include <windows.h>

#include "framework/gdi.h"
#include "framework/window.h"
#include "skin/skin.h"

// The column header of the skinned list, painted from the skin's
// "columnheader_start", "columnheader_span" and "columnheader_end" elements
// with embossed bold "Tahoma" captions. The list attaches it to its own header.
class CSkinHeaderCtrl : public CWindow {
public:
    // Copies the header style of the loaded skin.
    CSkinHeaderCtrl();

    // The column whose header holds the client point, -1 when none.
    int ColumnAt(POINT client) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();

    HeaderStyle style_;
    CFontHandle font_;  // made at the first paint, kept
};
