#pragma once

#include <atomic>
#include <memory>

#include "framework/ui_thread.h"
#include "main/splash_dialog.h"

// Shows the splash picture from a thread of its own while the main window is
// being built, with input attached to the thread that started it so the two
// share activation and focus.
//
// The window may not exist yet when the main window is ready, so Close()
// waits (with a limit) for the thread to report that its window is up before
// it sends WM_CLOSE; the thread then destroys its window, detaches its input
// and ends, and Close() joins it.
class CSplashThread : public CUiThread {
public:
    CSplashThread();
    // Closes the splash without waiting for its window.
    ~CSplashThread() override;

    // The splash window, once the thread has started; null when it could not be made.
    HWND Window() const { return window_; }

    // Closes the splash, waiting at most waitMs for its window to appear, and
    // returns once the thread has ended. Harmless when it has ended or never ran.
    void Close(DWORD waitMs);

protected:
    bool InitInstance() override;
    void ExitInstance() override;

private:
    DWORD startingThread_;
    std::unique_ptr<CSplashDialog> dialog_;
    std::atomic<HWND> window_{nullptr};
};
