#include "framework/taskbar_progress.h"

CTaskbarProgress::~CTaskbarProgress() {
    if (taskbar_) taskbar_->Release();
}

// Made at the first use, not at start-up: most sessions never run.
ITaskbarList3* CTaskbarProgress::Taskbar() {
    if (tried_) return taskbar_;
    tried_ = true;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                reinterpret_cast<void**>(&taskbar_))) ||
        FAILED(taskbar_->HrInit())) {
        if (taskbar_) taskbar_->Release();
        taskbar_ = nullptr;
    }
    return taskbar_;
}

void CTaskbarProgress::Show(HWND window, int percent) {
    if (ITaskbarList3* taskbar = Taskbar()) {
        taskbar->SetProgressState(window, TBPF_NORMAL);
        taskbar->SetProgressValue(window, static_cast<ULONGLONG>(percent), 100);
    }
}

void CTaskbarProgress::Clear(HWND window) {
    if (ITaskbarList3* taskbar = Taskbar()) taskbar->SetProgressState(window, TBPF_NOPROGRESS);
}
