#pragma once

#include <windows.h>

#include "framework/window.h"

// The 32 x 32 icon of a skinned message box: a static control that draws its
// icon over the dialog's background, with no background of its own.
class CMessageIcon : public CWindow {
public:
    // The icon is not owned: message icons live for the whole process.
    void SetIcon(HICON icon);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();

    HICON icon_ = nullptr;
};
