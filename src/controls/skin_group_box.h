#pragma once

#include <windows.h>

#include <string>

#include "framework/window.h"

// The frame and caption of a group of controls, drawn over the parent's
// background. The caption is taken from the control at subclassing and the
// control's own text emptied, so the system never draws it a second time;
// whoever asks for the window's text gets the caption.
class CSkinGroupBox : public CWindow {
public:
    static constexpr size_t kMaxCaption = 255;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

private:
    void OnPaint();

    std::string caption_;
};
