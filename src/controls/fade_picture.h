#pragma once

#include <windows.h>

#include <atomic>

#include "framework/gdi.h"
#include "framework/window.h"
#include "framework/worker_thread.h"

// A static picture that fades its bitmap in over what the control shows, from
// a worker thread, when the main window opens. Until the fade has finished,
// painting draws nothing, so the fade is not overdrawn; afterwards painting
// shows the bitmap.
//
// The worker draws only into this control, through DCs of its own that it
// releases before it reports the fade finished; the control stops and joins it
// before the window or the bitmap goes away.
class CFadePicture : public CWindow {
public:
    CFadePicture() = default;
    ~CFadePicture() override;

    // Sizes the control to the bitmap and starts fading it in, one step of
    // alpha 5 every stepDelayMs. False, and nothing started, when the bitmap
    // resource cannot be loaded or no thread can be made.
    bool StartFade(int bitmapId, DWORD stepDelayMs);
    bool FadeFinished() const { return finished_.load(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();

    CBitmapHandle bitmap_;
    std::atomic<bool> finished_{false};
    // Declared last so that it is stopped before the members it uses go.
    CWorkerThread worker_;
};
