#include "framework/ui_thread.h"

#include "framework/message_loop.h"

CUiThread::~CUiThread() {
    PostQuit();
    Join();
}

bool CUiThread::Start() {
    if (thread_) return false;
    if (!started_) started_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!started_) return false;
    ResetEvent(started_.Get());
    quitRequested_ = false;
    thread_.Reset(CreateThread(nullptr, 0, ThreadMain, this, CREATE_SUSPENDED, &threadId_));
    if (!thread_) return false;
    SetThreadPriority(thread_.Get(), THREAD_PRIORITY_NORMAL);
    ResumeThread(thread_.Get());
    return true;
}

bool CUiThread::WaitUntilStarted(DWORD timeoutMs) const {
    return started_ && thread_ && WaitForSingleObject(started_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

void CUiThread::PostQuit() {
    quitRequested_ = true;
    if (thread_) PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
}

void CUiThread::Join() {
    if (!thread_) return;
    WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Reset();
    threadId_ = 0;
}

DWORD WINAPI CUiThread::ThreadMain(void* self) {
    auto* thread = static_cast<CUiThread*>(self);
    // The queue must exist before anyone is told the thread has started, or a
    // WM_QUIT posted right then would be lost.
    MSG message;
    PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    bool initialised = false;
    try {
        initialised = thread->InitInstance();
    } catch (...) {
        initialised = false;
    }
    SetEvent(thread->started_.Get());
    // A quit asked for before the queue existed was lost on the way.
    if (initialised && !thread->quitRequested_) RunMessageLoop();
    try {
        thread->ExitInstance();
    } catch (...) {
    }
    return 0;
}
