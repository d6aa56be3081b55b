#pragma once

#include <windows.h>

#include <shobjidl.h>

// The progress bar the system's taskbar shows on a window's button
// (ITaskbarList3). Where the system has none, or it fails, nothing shows and
// nothing else changes. Needs COM on the calling thread.
class CTaskbarProgress {
public:
    CTaskbarProgress() = default;
    ~CTaskbarProgress();
    CTaskbarProgress(const CTaskbarProgress&) = delete;
    CTaskbarProgress& operator=(const CTaskbarProgress&) = delete;

    // percent from 0 to 100.
    void Show(HWND window, int percent);
    void Clear(HWND window);

private:
    ITaskbarList3* Taskbar();

    ITaskbarList3* taskbar_ = nullptr;
    bool tried_ = false;
};
